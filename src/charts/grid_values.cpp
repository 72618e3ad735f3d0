#include "charts/grid_values.h"

#include <cmath>
#include <initializer_list>

namespace tavrel {

namespace {

constexpr int FirstDecade = -20;
constexpr int LastDecade = 20;

std::vector<double> buildColumn(std::initializer_list<double> pattern) {
    std::vector<double> values;
    for (int decade = FirstDecade; decade < LastDecade; ++decade) {
        // Dividing by an exact power of ten keeps 2.5e-3 as close as 2.5/1000 gets.
        const double scale = std::pow(10.0, std::abs(decade));
        for (double p : pattern) {
            values.push_back(decade < 0 ? p / scale : p * scale);
        }
    }
    values.push_back(std::pow(10.0, LastDecade));
    return values;
}

const std::array<std::vector<double>, GridColumns>& columns() {
    static const std::array<std::vector<double>, GridColumns> table{
        buildColumn({1.0}),
        buildColumn({1.0, 3.0}),
        buildColumn({1.0, 2.0, 5.0}),
        buildColumn({1.0, 1.6, 2.5, 4.0, 6.0}),
        buildColumn({1.0, 1.25, 1.6, 2.0, 2.5, 3.2, 4.0, 5.0, 6.3, 8.0}),
    };
    return table;
}

} // namespace

const std::vector<double>& GridColumn(int column) {
    const int clamped = column < 0 ? 0 : (column >= GridColumns ? GridColumns - 1 : column);
    return columns()[clamped];
}

} // namespace tavrel
