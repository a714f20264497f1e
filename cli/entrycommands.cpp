#include "entrycommands.h"

#include "exitcodes.h"
#include "output.h"
#include "streamprompter.h"

#include "base/calendar.h"
#include "base/numberlist.h"
#include "core/drawentry.h"
#include "core/session.h"
#include "store/fileops.h"

#include <QCommandLineParser>
#include <QFile>

#include <algorithm>
#include <array>
#include <cstdio>
#include <optional>

namespace
{
    QString value(const QCommandLineParser &parser, const char *name)
    {
        return parser.value(QString::fromLatin1(name)).trimmed();
    }

    std::optional<std::array<int, 5>> numbersOf(const QString &text)
    {
        const std::optional<std::vector<int>> read = parseNumberList(text);
        if (!read || read->size() != 5)
            return std::nullopt;
        std::array<int, 5> numbers {};
        std::copy(read->begin(), read->end(), numbers.begin());
        return numbers;
    }

    // The entry's boxes on stderr, and the exit status its outcome calls for.
    int exitOf(Prompter &prompter, const DrawEntry::Entered &entered)
    {
        return Cli::report(prompter, entered.outcome);
    }
}

QString Cli::addDrawUsageError(const QCommandLineParser &parser)
{
    for (const char *name : {"date", "numbers", "key"}) {
        if (!parser.isSet(QString::fromLatin1(name)))
            return QStringLiteral("add-draw: falta --%1. Uso: add-draw --date AAAA-MM-DD --numbers a,b,c,d,e --key k [--yes]")
                .arg(QLatin1String(name));
    }
    if (!QDate::fromString(value(parser, "date"), Qt::ISODate).isValid())
        return QStringLiteral("--date: fecha no válida (%1): use AAAA-MM-DD.").arg(value(parser, "date"));
    if (!numbersOf(value(parser, "numbers")))
        return QStringLiteral("--numbers: deben ser cinco números separados por comas (%1).").arg(value(parser, "numbers"));
    bool ok = false;
    value(parser, "key").toInt(&ok);
    if (!ok)
        return QStringLiteral("--key: la clave debe ser un número (%1).").arg(value(parser, "key"));
    return {};
}

QString Cli::setPrizesUsageError(const QCommandLineParser &parser)
{
    if (!parser.isSet(QStringLiteral("set")))
        return {};
    if (!parser.isSet(QStringLiteral("date")))
        return QStringLiteral("prizes --set: falta --date AAAA-MM-DD, el sorteo del informe.");
    if (parser.isSet(QStringLiteral("all")) || parser.isSet(QStringLiteral("json")))
        return QStringLiteral("prizes --set no admite --all ni --json.");
    if (value(parser, "set").isEmpty())
        return QStringLiteral("prizes --set: falta el fichero (- para la entrada estándar).");
    return {};
}

int Cli::runAddDraw(Session &session, StreamPrompter &prompter, const QCommandLineParser &parser)
{
    const QDate date = QDate::fromString(value(parser, "date"), Qt::ISODate);
    const std::array<int, 5> numbers = *numbersOf(value(parser, "numbers"));
    const int key = value(parser, "key").toInt();
    QStringList shown;
    for (int n : numbers)
        shown << QString::number(n);
    prompter.setAnswers({parser.isSet(QStringLiteral("yes"))});
    if (!prompter.ask(QStringLiteral("Añadir sorteos"), QStringLiteral("¿Añadir el sorteo del %1: %2, clave %3?").arg(longSpanishDate(date), shown.join(QLatin1Char('-'))).arg(key)))
        return Exit::kAnsweredNo;
    DrawEntry entry(session);
    return exitOf(prompter, entry.addDraw(date, numbers, key));
}

int Cli::runSetPrizes(Session &session, StreamPrompter &prompter, const QCommandLineParser &parser)
{
    const QDate date = QDate::fromString(value(parser, "date"), Qt::ISODate);
    const QString source = value(parser, "set");
    QFile file;
    const bool opened = source == QLatin1String("-") ? file.open(stdin, QIODevice::ReadOnly)
                                                     : (file.setFileName(source), file.open(QIODevice::ReadOnly));
    if (!opened) {
        std::fprintf(stderr, "No se puede leer %s: %s\n", qUtf8Printable(source), qUtf8Printable(file.errorString()));
        return Exit::kFailed;
    }
    // A report is a few hundred bytes; anything far larger is not one.
    const QByteArray bytes = file.read(1024 * 1024);
    QString problem;
    const auto report = DrawEntry::readPrizeReportJson(bytes, date, &problem);
    if (!report) {
        std::fprintf(stderr, "Informe de premios: %s. No se ha cambiado nada.\n", qUtf8Printable(problem));
        return Exit::kFailed;
    }
    prompter.setAnswers({parser.isSet(QStringLiteral("yes"))});
    DrawEntry entry(session);
    return exitOf(prompter, entry.setPrizeReport(*report));
}
