#include "printcommand.h"
#include "exitcodes.h"
#include "optionvalue.h"
#include "output.h"

#include "base/plural.h"
#include "core/session.h"
#include "print/calibrationeditor.h"
#include "print/pdffileprinter.h"
#include "print/sliplayout.h"
#include "store/outcome.h"

#include <QFileInfo>
#include <QJsonObject>

#include <cstdio>
#include <optional>

namespace
{
    const QString kUsage = QStringLiteral("Uso: quorvale-cli print --syndicate R (--official | --plain) --pdf FICHERO [--yes]");

    // The refusal in the printing's own box; code says how the run ends.
    int refuse(Prompter &prompter, const QString &text, int code = Cli::Exit::kFailed)
    {
        Cli::report(prompter, Outcome::problem(Outcome::Command::PrintSlips, text));
        return code;
    }

    struct Request
    {
        int record = 0;
        SlipLayout::Mode mode = SlipLayout::Mode::Plain;
        QString pdf;
        bool replace = false; // --yes: an existing file may be replaced
    };

    // The job the command line asks for, or the message refusing it; none
    // of these checks needs the data, so they run before it is opened.
    struct Reading
    {
        std::optional<Request> request;
        QString problem;
    };

    Reading read(const QStringList &arguments)
    {
        std::optional<QString> recordText;
        std::optional<SlipLayout::Mode> mode;
        std::optional<QString> pdf;
        bool replace = false;

        for (qsizetype i = arguments.isEmpty() || arguments.first() != QLatin1String("print") ? 0 : 1;
             i < arguments.size(); ++i) {
            QString option = arguments.at(i);
            if (option == QLatin1String("--official") || option == QLatin1String("--plain")) {
                const auto chosen = option == QLatin1String("--official") ? SlipLayout::Mode::Official
                                                                          : SlipLayout::Mode::Plain;
                if (mode && *mode != chosen)
                    return {{}, QStringLiteral("Elija papel oficial o papel normal, no ambos.\n%1").arg(kUsage)};
                mode = chosen;
                continue;
            }
            if (option == QLatin1String("--yes")) {
                replace = true;
                continue;
            }
            const std::optional<QString> given = Cli::takeOptionValue(arguments, &i, &option);
            if (!given)
                return {{}, QStringLiteral("Falta el valor de %1.\n%2").arg(option, kUsage)};
            const QString &value = *given;
            if (option == QLatin1String("--syndicate"))
                recordText = value;
            else if (option == QLatin1String("--pdf"))
                pdf = value;
            else
                return {{}, QStringLiteral("Opción desconocida: %1.\n%2").arg(option, kUsage)};
        }
        if (!recordText || !mode || !pdf || pdf->isEmpty())
            return {{}, QStringLiteral("Faltan datos para imprimir.\n%1").arg(kUsage)};
        bool ok = false;
        const int record = recordText->trimmed().toInt(&ok);
        if (!ok || record < 1) {
            return {{}, QStringLiteral("--syndicate: el número de la peña es un número entero desde 1 (%1).\n%2").arg(*recordText, kUsage)};
        }
        return {Request {record, *mode, *pdf, replace}, {}};
    }
}

QString Cli::printUsageError(const QStringList &arguments)
{
    return read(arguments).problem;
}

int Cli::runPrint(Session &session, Prompter &prompter, const QStringList &arguments, bool json)
{
    const Reading reading = read(arguments);
    if (!reading.request)
        return refuse(prompter, reading.problem, Cli::Exit::kUsage);
    const int record = reading.request->record;
    const SlipLayout::Mode mode = reading.request->mode;
    const QString &pdf = reading.request->pdf;

    const auto &syndicates = session.syndicates().records();
    if (record > int(syndicates.size()))
        return refuse(prompter, QStringLiteral("No existe la peña %1. Hay %2.").arg(record).arg(savedSyndicatesText(qint64(syndicates.size()))));
    const SyndicateRecord &syndicate = syndicates[std::size_t(record - 1)];
    if (SlipLayout::jobFor(syndicate).slipCount == 0)
        return refuse(prompter, QStringLiteral("La peña %1 no tiene apuestas que imprimir.").arg(record));

    if (const QString refused = Cli::outputFileRefusal(pdf, session.dataDir(), reading.request->replace); !refused.isEmpty())
        return refuse(prompter, refused);

    // As the printing window opens: the offsets nums.ini holds now.
    CalibrationEditor calibration(session.calibrationFile());
    calibration.load();
    const QPointF offsets = calibration.offsets();
    PdfFilePrinter printer(pdf, QStringLiteral("Peña %1").arg(syndicate.name()));
    int pages = 0;
    if (!printer.print([&](PrintSurface &surface) { pages = SlipLayout::print(surface, syndicate, mode, offsets, session.nextDrawDate()); }))
        return refuse(prompter, printer.errorString());
    if (json) {
        const QJsonObject out {{QStringLiteral("pages"), pages}, {QStringLiteral("pdf"), QFileInfo(pdf).absoluteFilePath()}};
        Cli::printJsonLine(out);
    } else {
        Cli::writeOut(QByteArray::number(pages) + '\n');
    }
    Cli::flushOut();
    return Cli::Exit::kDone;
}
