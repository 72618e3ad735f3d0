#include "optimizer/e_series.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace tavrel {

namespace {

/// E24 and the first values of the next decade, so a value near 10 can round up.
constexpr std::array<double, 29> Table{1.0, 1.1, 1.2, 1.3, 1.5, 1.6, 1.8, 2.0, 2.2, 2.4,
                                       2.7, 3.0, 3.3, 3.6, 3.9, 4.3, 4.7, 5.1, 5.6, 6.2,
                                       6.8, 7.5, 8.2, 9.1, 10,  11,  12,  13,  15};

} // namespace

int SeriesStep(PartChoice choice) {
    return SeriesStepOf(choice == PartChoice::E6 ? 6 : 12);
}

double NearestESeries(double x, int q) {
    if (x <= 1e-100) {
        return 1e-100;
    }
    const double decade = std::pow(10.0, std::floor(std::log10(x)));
    std::size_t j = 0;
    const auto step = static_cast<std::size_t>(q);
    while (j + step < Table.size() &&
           std::abs(x - decade * Table[j + step]) < std::abs(x - decade * Table[j])) {
        j += step;
    }
    return decade * Table[j];
}

int SeriesStepOf(int valuesPerDecade) {
    return valuesPerDecade == 6 ? 4 : valuesPerDecade == 24 ? 1 : 2;
}

double StepESeries(double x, int q, int direction) {
    constexpr double Tolerance = 1e-9;
    constexpr std::size_t ValuesPerDecadeInTable = 24;
    const double decade = std::pow(10.0, std::floor(std::log10(x)));
    const auto step = static_cast<std::size_t>(q);
    double best = direction > 0 ? HUGE_VAL : 0.0;
    // The decades below and above, too: the neighbour of 1.0 is 0.82, that of 8.2 is 10.
    for (const double d : {decade / 10, decade, decade * 10}) {
        for (std::size_t j = 0; j < ValuesPerDecadeInTable; j += step) {
            const double v = d * Table[j];
            if (direction > 0 && v > x * (1 + Tolerance)) {
                best = std::min(best, v);
            } else if (direction <= 0 && v < x * (1 - Tolerance)) {
                best = std::max(best, v);
            }
        }
    }
    return best;
}

} // namespace tavrel
