// libFuzzer: the draw page scanner behind the prize report (amounts, the
// report document's path) on arbitrary bytes.

#include "web/prizereport.h"

#include <QByteArray>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray page(reinterpret_cast<const char *>(data), qsizetype(size));
    scanDrawPage(page);
    return 0;
}
