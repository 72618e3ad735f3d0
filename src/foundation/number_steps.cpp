#include "foundation/number_steps.h"

#include <cmath>

namespace tavrel {

namespace {

double percentOf(bool fine) {
    return fine ? 0.1 : 1.0;
}

} // namespace

double StepByPercent(double value, int notches, double percent) {
    return value * std::pow(1.0 + percent / 100.0, notches);
}

double StepPercent(double value, int notches, bool fine) {
    return StepByPercent(value, notches, percentOf(fine));
}

double StepFrequency(double frequency, int notches, bool fine) {
    if (frequency <= 0) {
        return frequency;
    }
    if (fine) {
        return StepPercent(frequency, notches, true);
    }
    constexpr double PointsPerOctave = 24;
    // Of a grid step: a grid value shown rounded in a field still counts as on the grid.
    constexpr double Tolerance = 0.05;
    const double k = PointsPerOctave * std::log2(frequency / 1000.0);
    const double target =
        notches > 0 ? std::floor(k + Tolerance) + notches : std::ceil(k - Tolerance) + notches;
    return 1000.0 * std::exp2(target / PointsPerOctave);
}

double StepLevelDb(double db, int notches, bool fine) {
    return db + 20.0 * notches * std::log10(1.0 + percentOf(fine) / 100.0);
}

} // namespace tavrel
