// Where a chart draws its grid lines and labels: pure functions of the axis range and the
// pixel space available, so the spacing rules can be checked without painting.
#pragma once

#include <vector>

namespace tavrel {

struct GridLine {
    double value = 0.0;
    bool labelled = false; ///< a labelled line is drawn darker and gets its value as text
    bool operator==(const GridLine&) const = default;
};

/// Steps of a linear vertical axis: labels at least 1.8 character heights apart.
struct LinearSteps {
    double label = 0.0;
    double line = 0.0;
};

/// `pixelSpan` is bottom − top of the plot. `degrees` selects the 10°/30° line steps.
LinearSteps ChooseLinearSteps(double min, double max, bool degrees, int charHeight, int pixelSpan);
std::vector<GridLine> LinearAxisGrid(double min, double max, bool degrees, int charHeight,
                                     int pixelSpan);

/// Column of the decade series used for labels of a logarithmic vertical axis (0..4).
int LogAxisColumn(double min, double max, int charWidth, int pixelSpan);
std::vector<GridLine> LogAxisGrid(double min, double max, int charWidth, int pixelSpan);

/// Column of the decade series used for frequency labels (0..2); `pixelSpan` = right − left.
int FrequencyAxisColumn(double xMin, double xMax, int charWidth, int pixelSpan);
std::vector<GridLine> FrequencyAxisGrid(double xMin, double xMax, int charWidth, int pixelSpan);

} // namespace tavrel
