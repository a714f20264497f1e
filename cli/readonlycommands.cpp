#include "readonlycommands.h"

#include <QCommandLineParser>

bool Cli::writesData(const QCommandLineParser &parser, const QStringList &arguments)
{
    // Listed by what only reads: a command added later writes until it is
    // known not to.
    static const QStringList reading = {
        QStringLiteral("status"), QStringLiteral("draws"),  QStringLiteral("check"),
        QStringLiteral("syndicates"), QStringLiteral("prizes"), QStringLiteral("ledger"),
        QStringLiteral("export"), QStringLiteral("print"), QStringLiteral("participation"),
        QStringLiteral("stats"), QStringLiteral("try"),
    };
    const QString command = arguments.value(0);
    if (command == QLatin1String("wheel"))
        return parser.isSet(QStringLiteral("save"));
    if (command == QLatin1String("prizes"))
        return parser.isSet(QStringLiteral("set"));
    if (command == QLatin1String("members")) {
        return parser.isSet(QStringLiteral("add")) || parser.isSet(QStringLiteral("set"))
            || parser.isSet(QStringLiteral("remove"));
    }
    return !reading.contains(command);
}
