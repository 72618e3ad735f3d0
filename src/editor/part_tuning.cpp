#include "editor/part_tuning.h"

#include "foundation/number_steps.h"
#include "optimizer/e_series.h"

#include <algorithm>
#include <cmath>
#include <string_view>

namespace tavrel {

namespace {

constexpr double FinePercent = 1.0;
constexpr double SeriesResistancePercent = 5.0;

double seriesSteps(double value, int notches, int seriesStep) {
    const int direction = notches > 0 ? 1 : -1;
    for (int n = std::abs(notches); n > 0; --n) {
        value = StepESeries(value, seriesStep, direction);
    }
    return value;
}

} // namespace

double FieldScale(int typ) {
    return typ == PartCapacitor ? 1e6 : typ == PartInductance ? 1e3 : 1.0;
}

double TunedValue(double value, int typ, int notches, TuneMode mode, int seriesStep) {
    const double scale = mode == TuneMode::SeriesResistance ? 1.0 : FieldScale(typ);
    // Out of range (zero, negative or huge) the first step lands on the nearest limit.
    const double field = std::clamp(value * scale, TuneFieldMin, TuneFieldMax);
    double tuned = field;
    if (notches == 0) {
        tuned = field;
    } else if (mode == TuneMode::Series) {
        tuned = seriesSteps(field, notches, seriesStep);
    } else {
        tuned = StepByPercent(field, notches,
                              mode == TuneMode::Fine ? FinePercent : SeriesResistancePercent);
    }
    return std::clamp(tuned, TuneFieldMin, TuneFieldMax) / scale;
}

bool TunePart(TWeichePart& part, int notches, TuneMode mode, int seriesStep) {
    if (!IsTunable(part) || (mode == TuneMode::SeriesResistance && part.typ != PartInductance)) {
        return false;
    }
    double& target = mode == TuneMode::SeriesResistance ? part.Rvalue : part.value;
    const double tuned = TunedValue(target, part.typ, notches, mode, seriesStep);
    if (tuned == target) {
        return false;
    }
    target = tuned;
    return true;
}

std::string PartName(const TWeiche& weiche, int slot) {
    const TWeichePart& part = weiche[slot];
    if (!IsTunable(part)) {
        return {};
    }
    int number = 0;
    for (int s = 0; s <= slot; ++s) {
        number += weiche[s].typ == part.typ ? 1 : 0;
    }
    const char letter = part.typ == PartResistor ? 'R' : part.typ == PartCapacitor ? 'C' : 'L';
    return letter + std::to_string(number);
}

namespace {
constexpr std::string_view TunePrefix = "Tune ";
} // namespace

std::string TuneUndoText(const std::string& name) {
    return std::string(TunePrefix) + name;
}

bool IsTuneUndoText(const std::string& text) {
    return text.starts_with(TunePrefix);
}

} // namespace tavrel
