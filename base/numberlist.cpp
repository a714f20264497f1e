#include "numberlist.h"

#include <QStringList>

std::optional<std::vector<int>> parseNumberList(const QString &text)
{
    std::vector<int> numbers;
    for (const QString &part : text.split(QLatin1Char(','))) {
        bool ok = false;
        const int n = part.trimmed().toInt(&ok);
        if (!ok)
            return std::nullopt;
        numbers.push_back(n);
    }
    return numbers;
}
