// The spread of a tolerance analysis as bands of the whole-speaker response chart: the 5 to
// 95 % range shaded with min and max lines, around the speaker's level and around each
// amplifier's impedance curve.
#pragma once

#include "charts/tv_chart.h"
#include "tolerance/tolerance_stats.h"

#include <vector>

namespace tavrel {

/// `drivers`: the driver count of the displayed results, which places the impedance curves.
std::vector<ChartBand> ResponseBands(const ToleranceResult& result, int drivers);

/// Counts of `values` in `bins` equal bins from 0 to the largest value (all in the first bin
/// when that is 0).
std::vector<int> HistogramCounts(const std::vector<double>& values, int bins);

} // namespace tavrel
