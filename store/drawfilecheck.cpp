#include "drawfilecheck.h"

#include "drawrecord.h"
#include "oledate.h"

#include <algorithm>

bool isImportableDrawFile(QByteArrayView bytes)
{
    if (bytes.isEmpty() || bytes.size() % DrawRecord::kSize != 0)
        return false;
    double previous = 0;
    for (qsizetype at = 0; at < bytes.size(); at += DrawRecord::kSize) {
        const DrawRecord draw = DrawRecord::fromBytes(bytes.sliced(at, DrawRecord::kSize));
        if (!draw.inRange() || !OleDate::isValid(draw.date) || draw.date < 1)
            return false;
        auto numbers = draw.numbers;
        std::sort(numbers.begin(), numbers.end());
        if (std::adjacent_find(numbers.begin(), numbers.end()) != numbers.end())
            return false;
        if (at == 0) {
            if (draw.qdate().dayOfWeek() != Qt::Sunday)
                return false;
        } else if (draw.date <= previous) {
            return false;
        }
        previous = draw.date;
    }
    return true;
}
