#include "printcommand.h"
#include "exitcodes.h"
#include "optionvalue.h"

#include "base/prompter.h"
#include "core/session.h"
#include "print/calibrationeditor.h"
#include "print/pdffileprinter.h"
#include "print/sliplayout.h"

#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>

#include <cstdio>
#include <optional>

namespace
{
    const QString kTitle = QStringLiteral("IMPRIMIR BOLETOS");
    const QString kUsage = QStringLiteral("Uso: quorvale-cli print --syndicate R (--official | --plain) --pdf FICHERO");

    int refuse(Prompter &prompter, const QString &text, int code = Cli::Exit::kFailed)
    {
        prompter.warn(kTitle, text);
        return code;
    }
}

int Cli::runPrint(Session &session, Prompter &prompter, const QStringList &arguments, bool json)
{
    std::optional<QString> recordText;
    std::optional<SlipLayout::Mode> mode;
    std::optional<QString> pdf;

    for (qsizetype i = arguments.isEmpty() || arguments.first() != QLatin1String("print") ? 0 : 1;
         i < arguments.size(); ++i) {
        QString option = arguments.at(i);
        if (option == QLatin1String("--official") || option == QLatin1String("--plain")) {
            const auto chosen = option == QLatin1String("--official") ? SlipLayout::Mode::Official
                                                                      : SlipLayout::Mode::Plain;
            if (mode && *mode != chosen)
                return refuse(prompter, QStringLiteral("Elija papel oficial o papel normal, no ambos.\n%1").arg(kUsage), Cli::Exit::kUsage);
            mode = chosen;
            continue;
        }
        const std::optional<QString> given = takeOptionValue(arguments, &i, &option);
        if (!given)
            return refuse(prompter, QStringLiteral("Falta el valor de %1.\n%2").arg(option, kUsage), Cli::Exit::kUsage);
        const QString &value = *given;
        if (option == QLatin1String("--syndicate"))
            recordText = value;
        else if (option == QLatin1String("--pdf"))
            pdf = value;
        else
            return refuse(prompter, QStringLiteral("Opción desconocida: %1.\n%2").arg(option, kUsage), Cli::Exit::kUsage);
    }
    if (!recordText || !mode || !pdf || pdf->isEmpty())
        return refuse(prompter, QStringLiteral("Faltan datos para imprimir.\n%1").arg(kUsage), Cli::Exit::kUsage);

    const auto &syndicates = session.syndicates();
    bool ok = false;
    const int record = recordText->trimmed().toInt(&ok);
    if (!ok || record < 1 || record > int(syndicates.size()))
        return refuse(prompter, QStringLiteral("No existe la peña %1. Hay %2 peñas guardadas.")
                                    .arg(*recordText)
                                    .arg(syndicates.size()));
    const SyndicateRecord &syndicate = syndicates[std::size_t(record - 1)];
    if (SlipLayout::jobFor(syndicate).slipCount == 0)
        return refuse(prompter, QStringLiteral("La peña %1 no tiene apuestas que imprimir.").arg(record));

    // As the printing window opens: the offsets nums.ini holds now.
    CalibrationEditor calibration(session.calibrationFile(), session.prompter());
    calibration.load();
    const QPointF offsets = calibration.offsets();
    PdfFilePrinter printer(*pdf, QStringLiteral("Peña %1").arg(syndicate.name()));
    int pages = 0;
    if (!printer.print([&](PrintSurface &surface) { pages = SlipLayout::print(surface, syndicate, *mode, offsets, session.nextDrawDate()); }))
        return refuse(prompter, printer.errorString());
    if (json) {
        const QJsonObject out {{QStringLiteral("pages"), pages}, {QStringLiteral("pdf"), QFileInfo(*pdf).absoluteFilePath()}};
        const QByteArray bytes = QJsonDocument(out).toJson(QJsonDocument::Compact) + '\n';
        std::fwrite(bytes.constData(), 1, std::size_t(bytes.size()), stdout);
    } else {
        std::printf("%d\n", pages);
    }
    std::fflush(stdout);
    return 0;
}
