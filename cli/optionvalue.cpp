#include "optionvalue.h"

std::optional<QString> Cli::takeOptionValue(const QStringList &arguments, qsizetype *i, QString *option)
{
    const qsizetype equals = option->indexOf(QLatin1Char('='));
    if (option->startsWith(QLatin1String("--")) && equals > 0) {
        const QString value = option->mid(equals + 1);
        option->truncate(equals);
        return value;
    }
    if (*i + 1 < arguments.size())
        return arguments.at(++*i);
    return std::nullopt;
}
