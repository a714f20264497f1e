#include "drawfilecheck.h"

#include "drawrecord.h"
#include "oledate.h"
#include "recordfile.h"

#include <algorithm>

bool isImportableDrawFile(QByteArrayView bytes)
{
    if (bytes.isEmpty() || bytes.size() % DrawRecord::kSize != 0)
        return false;
    double previous = 0;
    bool first = true;
    for (const DrawRecord &draw : decodeRecords<DrawRecord>(bytes, kAllRecords)) {
        if (!draw.inRange() || !OleDate::isValid(draw.date) || draw.date < 1)
            return false;
        auto numbers = draw.numbers;
        std::sort(numbers.begin(), numbers.end());
        if (std::adjacent_find(numbers.begin(), numbers.end()) != numbers.end())
            return false;
        if (first) {
            if (draw.qdate().dayOfWeek() != Qt::Sunday)
                return false;
        } else if (draw.date <= previous) {
            return false;
        }
        first = false;
        previous = draw.date;
    }
    return true;
}
