// One named chart of a result, as the command line names it: "response",
// "directions-up|left|down|right", "driver N", "phase", "umax", "maxspl", "voltage",
// "directivity", "excursion", "ventvelocity", "groupdelay", "impulse", "step", "polar K" (K:
// frequency grid index).
#pragma once

#include "charts/chart_views.h"

#include <string>
#include <string_view>

namespace tavrel {

struct ChartSelection {
    bool polar = false;
    ChartKind kind = ChartKind::Response;
    DirectionPlane plane = DirectionPlane::Up;
    int index = 0;    ///< 0-based driver of "driver N"; grid index of "polar K"
    InputLevel level; ///< of "excursion" and "ventvelocity"
};

struct ChartSelectionResult {
    bool ok = false;
    ChartSelection selection;
    std::string error;
};

/// Accepts "driver 2", "driver-2" and "driver2" alike (and the same for "polar").
ChartSelectionResult ParseChartSelection(std::string_view name);

/// Fills `chart` for a non-polar selection with the default check box states.
void FillSelectedChart(TVChart& chart, const ChartSelection& selection, const TResult& result,
                       const TProjekt& projekt);

} // namespace tavrel
