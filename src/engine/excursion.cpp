#include "engine/excursion.h"

#include <cmath>
#include <limits>

namespace tavrel {

namespace {

constexpr double NominalOhms = 8.0;

} // namespace

double WattsInto8Ohm(double volts) {
    return volts * volts / NominalOhms;
}

double VoltsFromWattsInto8Ohm(double watts) {
    return watts > 0 ? std::sqrt(watts * NominalOhms) : 0.0;
}

bool HasExcursion(const TResult& result, int d) {
    return d < MaxChassis && d < result.nChassis && AmpOfDriver(result, d) >= 0;
}

double ExcursionAt(const TResult& result, int d, int k, double xlin, double volts) {
    constexpr double Unknown = std::numeric_limits<double>::quiet_NaN();
    if (!HasExcursion(result, d) || k < 0 || k >= GridSize) {
        return Unknown;
    }
    const double limit = result.UmaxExcursion[d][k];
    if (!(limit > 0) || !std::isfinite(limit)) {
        return Unknown;
    }
    const double x = xlin * volts / limit;
    return std::isfinite(x) ? x : Unknown;
}

} // namespace tavrel
