#include "categories.h"

#include <array>

namespace
{
    struct Category
    {
        const char16_t *caption;
        Rgb colour;
    };

    constexpr std::array<Category, PrizeCategory::kCount> kCategories = {{
        {u"Aciertos de 8ª categoría (2+0): ", 0x00C000},
        {u"Aciertos de 7ª categoría (2+1): ", 0x00C000},
        {u"Aciertos de 6ª categoría (3+0): ", 0x0000FF},
        {u"Aciertos de 5ª categoría (3+1): ", 0x0000FF},
        {u"Aciertos de 4ª categoría (4+0): ", 0x400040},
        {u"Aciertos de 3ª categoría (4+1): ", 0x400040},
        {u"Aciertos de 2ª categoría (5+0): ", 0xC04000},
        {u"Aciertos de 1ª categoría (5+1): ", 0xFF0000},
    }};
}

QString PrizeCategory::caption(int code)
{
    if (code < 1 || code > kCount)
        return {};
    return QString::fromUtf16(kCategories[std::size_t(code - 1)].caption);
}

Rgb PrizeCategory::colour(int code)
{
    if (code < 1 || code > kCount)
        return 0;
    return kCategories[std::size_t(code - 1)].colour;
}
