#include "tolerance/tolerance_bands.h"

#include <algorithm>

namespace tavrel {

namespace {

ChartBand bandOf(int slot, const std::vector<double>& freq, const CurveSpread& spread) {
    return {slot, freq, spread.p5, spread.p95, spread.min, spread.max};
}

} // namespace

std::vector<ChartBand> ResponseBands(const ToleranceResult& r, int drivers) {
    std::vector<ChartBand> bands{bandOf(0, r.freq, r.level)};
    for (std::size_t a = 0; a < r.impedance.size(); ++a) {
        bands.push_back(bandOf(drivers + 1 + static_cast<int>(a), r.freq, r.impedance[a]));
    }
    return bands;
}

std::vector<int> HistogramCounts(const std::vector<double>& values, int bins) {
    std::vector<int> counts(static_cast<std::size_t>(std::max(bins, 1)), 0);
    const double largest = values.empty() ? 0 : *std::max_element(values.begin(), values.end());
    for (double v : values) {
        const double position = largest > 0 ? v / largest * static_cast<double>(counts.size()) : 0;
        const auto bin =
            std::min(static_cast<std::size_t>(std::max(position, 0.0)), counts.size() - 1);
        ++counts[bin];
    }
    return counts;
}

} // namespace tavrel
