// libFuzzer: the results page scanner (the marker reader, the month table,
// the pairing of headings and number blocks) on arbitrary bytes.

#include "base/calendar.h"
#include "store/oledate.h"
#include "web/resultsparser.h"

#include <QByteArray>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    // The first byte picks the newest stored draw: none, an old one, a recent one.
    static const double newest[] = {0.0, 38389.0, 45662.0, 46250.0};
    const double stored = size > 0 ? newest[data[0] % 4] : 0.0;
    const QByteArray page(reinterpret_cast<const char *>(data), qsizetype(size));
    static const QDate today(2026, 12, 9);
    const ResultsPageScan scan = scanResultsPage(page, stored, today);
    // What would be stored is always storable: in range, distinct, ascending,
    // in date order, on draw days up to today.
    double previous = stored;
    for (const DrawRecord &draw : scan.draws) {
        if (!draw.inRange() || draw.date <= previous || !isDrawDay(draw.qdate()) || draw.qdate() > today)
            __builtin_trap();
        for (int i = 1; i < 5; ++i) {
            if (draw.numbers[i] <= draw.numbers[i - 1])
                __builtin_trap();
        }
        previous = draw.date;
    }
    return 0;
}
