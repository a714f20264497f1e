// libFuzzer: the results service's JSON answers (draws, combinations, prize
// rows, amounts) and the prize report file's reader, on arbitrary bytes.

#include "store/prizereportfile.h"
#include "web/servicereader.h"

#include <QByteArray>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const ServiceAnswer answer = readServiceAnswer(bytes, QDate(2024, 1, 1), QDate(2025, 12, 31), QDate(2025, 12, 31));
    for (const ServiceDraw &draw : answer.draws) {
        if (draw.date < QDate(2024, 1, 1) || draw.date > QDate(2025, 12, 31))
            __builtin_trap();
    }
    std::map<QDate, PrizeReport> reports;
    if (PrizeReportFile::parse(bytes, &reports)) {
        // Whatever the reader takes, the writer gives back the same.
        std::map<QDate, PrizeReport> again;
        if (!PrizeReportFile::parse(PrizeReportFile::serialize(reports), &again) || again != reports)
            __builtin_trap();
    }
    return 0;
}
