#include "drawlist.h"

#include "store/oledate.h"
#include "store/recordfile.h"

bool DrawList::load(QByteArrayView fileBytes)
{
    draws.clear();
    numberTally.fill(0);
    keyTally.fill(0);

    const std::vector<DrawRecord> stored = decodeRecords<DrawRecord>(fileBytes, kAllRecords);
    draws.reserve(stored.size());
    // Newest first.
    for (auto it = stored.rbegin(); it != stored.rend(); ++it) {
        const DrawRecord &draw = *it;
        if (!draw.inRange() || !OleDate::isValid(draw.date))
            return false;
        for (auto number : draw.numbers)
            ++numberTally[std::size_t(number - 1)];
        ++keyTally[std::size_t(draw.clave)];
        draws.push_back(draw);
    }
    return true;
}
