#pragma once

#include <QString>

#include <optional>
#include <vector>

// "3, 12,25": whole numbers separated by commas, blanks around them allowed,
// in the order given; nothing when a piece is not a whole number (an empty
// text is one empty piece). No range is checked: each caller knows its own.
std::optional<std::vector<int>> parseNumberList(const QString &text);
