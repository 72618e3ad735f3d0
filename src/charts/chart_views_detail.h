// Helpers shared by the chart view files; not for use outside the charts folder.
#pragma once

#include "charts/tv_chart.h"
#include "engine/result.h"
#include "model/projekt.h"

#include <functional>
#include <string>
#include <string_view>

namespace tavrel::views_detail {

int pointCount(const TResult& result);
int driverCount(const TResult& result);
int ampCount(const TResult& result);
/// name + infix + "(" + number + ")".
std::string driverTitle(const TResult& result, int driver, std::string_view infix);

/// Valid flag, frequency and level ranges of the project, comment lines; hides all curves.
void setHeader(TVChart& chart, const TResult& result, const TProjekt& projekt);
void setSecondAxis(TVChart& chart, double min, double max, AxisType type);
/// Name, colour, visibility and point count; the values come with fillPoints.
void setCurve(TVChart& chart, int slot, std::string_view name, Colour colour, bool visible,
              const TResult& result);
/// x = grid frequency, y = valueAt(k); only for valid results.
void fillPoints(TVChart& chart, int slot, const TResult& result,
                const std::function<double(int)>& valueAt);

} // namespace tavrel::views_detail
