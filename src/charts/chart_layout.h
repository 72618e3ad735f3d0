// Layout rules of a response chart that tests check on their own: the font fitted to the
// chart width, the plot margins and where the placeholder picture goes.
#pragma once

#include "charts/display_list.h"
#include "charts/tv_chart.h"

namespace tavrel {

/// Point size of the chart font: the largest of 36 … 4 points whose "mmmmmmmmmmm" fits the
/// width share of that size (twice the width with large fonts); 4 points at the smallest.
int FitChartFont(int rectWidth, bool largeFonts, const TextMetrics& metrics);

/// Plot rectangle inside `rect`: 6 character widths left and right, 3 character heights on
/// top and 5 (2 without legend) below.
PixelRect PlotRectangle(const PixelRect& rect, int charWidth, int charHeight, bool noLegend);

/// The picture scaled to 6/7 of the limiting side of `rect`, keeping its aspect, centred.
PixelRect PictureTarget(const PixelRect& rect, PictureSize picture);

} // namespace tavrel
