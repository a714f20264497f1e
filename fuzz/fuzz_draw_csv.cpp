// libFuzzer: the CSV reader of draws the user imports, on arbitrary bytes.
// Whatever it takes must be whole draws; whatever it refuses names a line
// that exists.

#include "store/drawcsv.h"

#include <QByteArray>

#include <algorithm>
#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const DrawCsvRead read = readDrawCsv(bytes);
    if (read.badLine > 0) {
        if (!read.draws.empty() || read.problem.isEmpty() || read.badLine > bytes.count('\n') + 1)
            __builtin_trap();
        return 0;
    }
    if (read.draws.size() != read.lines.size())
        __builtin_trap();
    for (std::size_t i = 0; i < read.draws.size(); ++i) {
        const DrawRecord &draw = read.draws[i];
        if (!draw.inRange() || !std::is_sorted(draw.numbers.begin(), draw.numbers.end())
            || std::adjacent_find(draw.numbers.begin(), draw.numbers.end()) != draw.numbers.end()
            || !draw.qdate().isValid() || (i > 0 && read.lines[i] <= read.lines[i - 1]))
            __builtin_trap();
    }
    return 0;
}
