#include "drawlist.h"

#include "store/oledate.h"

bool DrawList::load(QByteArrayView fileBytes)
{
    draws.clear();
    numberTally.fill(0);
    keyTally.fill(0);

    const qsizetype count = fileBytes.size() / DrawRecord::kSize;
    draws.reserve(std::size_t(count));
    for (qsizetype n = count; n >= 1; --n) {
        const DrawRecord draw = DrawRecord::fromBytes(fileBytes.sliced((n - 1) * DrawRecord::kSize, DrawRecord::kSize));
        if (!draw.inRange() || !OleDate::isValid(draw.date))
            return false;
        for (auto number : draw.numbers)
            ++numberTally[std::size_t(number - 1)];
        ++keyTally[std::size_t(draw.clave)];
        draws.push_back(draw);
    }
    return true;
}
