#include "charts/axis_grid.h"

#include "charts/grid_values.h"

#include <algorithm>
#include <cmath>

namespace tavrel {

namespace {

// Absurd ranges (1e-20 .. 1e20 on a few pixels) must not spin: no axis needs more lines.
constexpr int MaxLines = 10000;

bool usableRange(double min, double max) {
    return std::isfinite(min) && std::isfinite(max) && max > min;
}

bool usableLogRange(double min, double max) {
    return usableRange(min, max) && min > 0.0;
}

bool isMultipleOf(double value, double step) {
    const double ratio = value / step;
    return std::abs(ratio - std::round(ratio)) < 1e-6;
}

int clampColumn(double column, int highest) {
    if (!std::isfinite(column)) {
        return column > 0 ? highest : 0;
    }
    return std::clamp(static_cast<int>(std::floor(column)), 0, highest);
}

double decadeBelow(double value) {
    return std::pow(10.0, std::floor(std::log10(value)));
}

/// Thin lines 1, 2, … 9, 10, 20, …: each decade is walked in steps of its first value.
/// `extraHalfLine` adds a line halfway into the first step of every new decade (15, 150, …).
std::vector<GridLine> decadeStepLines(double start, double min, double max, bool inclusiveMax,
                                      bool extraHalfLine) {
    std::vector<GridLine> lines;
    double step = start;
    double value = start;
    const double limit = inclusiveMax ? max * 1.0000000000001 : max;
    for (int i = 0; i < MaxLines && (inclusiveMax ? value <= limit : value < limit); ++i) {
        if (value >= min) {
            lines.push_back({value, false});
        }
        value += step;
        if (step < 0.1001 * value) {
            if (extraHalfLine) {
                const double extra = value + 5.0 * step;
                if (extra >= min && extra <= limit) {
                    lines.push_back({extra, false});
                }
            }
            step *= 10.0;
        }
    }
    return lines;
}

} // namespace

LinearSteps ChooseLinearSteps(double min, double max, bool degrees, int charHeight, int pixelSpan) {
    LinearSteps steps;
    if (!usableRange(min, max) || pixelSpan <= 0) {
        return steps;
    }
    const double minimumLabelStep = 1.8 * (max - min) * charHeight / pixelSpan;
    const int row = FirstGridRow(2, [&](double s) { return s > minimumLabelStep; });
    if (row < 0) {
        return steps;
    }
    const std::vector<double>& column = GridColumn(2);
    steps.label = column[row];
    steps.line = column[std::max(row - 2, 0)];
    if (degrees) {
        steps.line = steps.line >= 12.0 ? 30.0 : 10.0;
        // Labels sit on lines, so a label step must be a whole number of line steps: 100°
        // labels on a 30° grid would otherwise leave only the 0° line labelled.
        steps.label = std::ceil(steps.label / steps.line - 1e-9) * steps.line;
    }
    return steps;
}

std::vector<GridLine> LinearAxisGrid(double min, double max, bool degrees, int charHeight,
                                     int pixelSpan) {
    std::vector<GridLine> lines;
    const LinearSteps steps = ChooseLinearSteps(min, max, degrees, charHeight, pixelSpan);
    if (steps.line <= 0.0) {
        return lines;
    }
    // Whole multiples instead of repeated addition, so 0 stays exactly 0.
    const double first = std::floor(min / steps.line) + 1.0;
    for (int i = 0; i < MaxLines; ++i) {
        const double value = (first + i) * steps.line;
        if (value >= max) {
            break;
        }
        lines.push_back({value, isMultipleOf(value, steps.label)});
    }
    return lines;
}

int LogAxisColumn(double min, double max, int charWidth, int pixelSpan) {
    if (!usableLogRange(min, max) || pixelSpan <= 0 || charWidth <= 0) {
        return 0;
    }
    const double column =
        0.3 + std::log10(2.0 * pixelSpan / charWidth) - std::log10(std::log10(max / min));
    return clampColumn(column, 4);
}

std::vector<GridLine> LogAxisGrid(double min, double max, int charWidth, int pixelSpan) {
    std::vector<GridLine> lines;
    if (!usableLogRange(min, max) || pixelSpan <= 0) {
        return lines;
    }
    const std::vector<double>& labels = GridColumn(LogAxisColumn(min, max, charWidth, pixelSpan));
    double firstLabel = 0.0;
    for (double value : labels) {
        if (value > min && value < max) {
            if (firstLabel == 0.0) {
                firstLabel = value;
            }
            lines.push_back({value, true});
        }
    }
    const double start = decadeBelow(firstLabel > 0.0 ? firstLabel : min);
    for (const GridLine& thin : decadeStepLines(start, min, max, false, false)) {
        lines.push_back(thin);
    }
    return lines;
}

int FrequencyAxisColumn(double xMin, double xMax, int charWidth, int pixelSpan) {
    if (pixelSpan <= 0 || charWidth <= 0) {
        return 0;
    }
    const double column = -0.9 + std::log10(2.0 * pixelSpan / charWidth) -
                          std::log10(std::log10((xMax + 1e-20) / (xMin + 1e-20)));
    return clampColumn(column, 2);
}

std::vector<GridLine> FrequencyAxisGrid(double xMin, double xMax, int charWidth, int pixelSpan) {
    std::vector<GridLine> lines;
    if (!usableLogRange(xMin, xMax) || pixelSpan <= 0) {
        return lines;
    }
    const std::vector<double>& labels =
        GridColumn(FrequencyAxisColumn(xMin, xMax, charWidth, pixelSpan));
    double firstLabel = 0.0;
    for (double value : labels) {
        if (value >= xMin * (1.0 - 1e-13) && value <= xMax * 1.0000000000001) {
            if (firstLabel == 0.0) {
                firstLabel = value;
            }
            lines.push_back({value, true});
        }
    }
    const double start = decadeBelow(firstLabel > 0.0 ? firstLabel : xMin);
    for (const GridLine& thin : decadeStepLines(start, xMin, xMax, true, true)) {
        lines.push_back(thin);
    }
    return lines;
}

} // namespace tavrel
