// The decade series that chart grids and polar rings take their steps from: five columns,
// each a repeating pattern per decade from 1e-20 up to 1e20.
#pragma once

#include <array>
#include <vector>

namespace tavrel {

constexpr int GridColumns = 5;

/// Column 0: 1; 1: 1, 3; 2: 1, 2, 5; 3: 1, 1.6, 2.5, 4, 6; 4: the ten-step series
/// 1 .. 8 (401 rows). Built once on first use.
const std::vector<double>& GridColumn(int column);

/// Index of the first value of `column` for which `accept(value)` holds, -1 if none.
template <typename Predicate>
int FirstGridRow(int column, Predicate accept) {
    const std::vector<double>& values = GridColumn(column);
    for (int row = 0; row < static_cast<int>(values.size()); ++row) {
        if (accept(values[row])) {
            return row;
        }
    }
    return -1;
}

} // namespace tavrel
