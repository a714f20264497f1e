#pragma once

#include <QString>
#include <QStringList>

#include <optional>

namespace Cli
{
    // The value of the option at arguments[*i], given as "--option value" or
    // "--option=value". *option loses its "=value"; *i moves past a separate
    // value. Nothing when the value is missing.
    std::optional<QString> takeOptionValue(const QStringList &arguments, qsizetype *i, QString *option);
}
