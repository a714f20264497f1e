#include "window.h"

#include <algorithm>

Stats::Slice Stats::select(std::span<const DrawRecord> history, const Window &window)
{
    const std::size_t size = history.size();
    switch (window.kind) {
    case Window::Kind::All:
        return {0, size};
    case Window::Kind::Last: {
        const std::size_t count = window.last <= 0 ? 0 : std::min(size, std::size_t(window.last));
        return {size - count, count};
    }
    case Window::Kind::Range:
        break;
    }
    const auto inside = [&window](const DrawRecord &draw) {
        const QDate date = draw.qdate();
        return (!window.since.isValid() || date >= window.since) && (!window.until.isValid() || date <= window.until);
    };
    // The history is in date order: the window is the run from the first
    // draw inside to the last one.
    std::size_t first = 0;
    while (first < size && !inside(history[first]))
        ++first;
    std::size_t end = size;
    while (end > first && !inside(history[end - 1]))
        --end;
    return {first, end - first};
}
