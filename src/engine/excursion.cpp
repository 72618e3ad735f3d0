#include "engine/excursion.h"

#include "engine/vent_velocity.h"

#include <cmath>
#include <limits>
#include <numbers>

namespace tavrel {

namespace {

constexpr double NominalOhms = 8.0;
constexpr double Unknown = std::numeric_limits<double>::quiet_NaN();

double pistonExcursion(const TResult& result, int d, const Curve& source, int k, double area,
                       double volts) {
    if (!HasExcursion(result, d) || k < 0 || k >= GridSize || !(area > 0)) {
        return Unknown;
    }
    const double x =
        PeakExcursion(SourceVolumeVelocity(result, d, source, k, volts), area, result.Freq[k]);
    return std::isfinite(x) ? x : Unknown;
}

} // namespace

double PeakExcursion(double q, double area, double f) {
    return std::sqrt(2.0) * q / (area * 2.0 * std::numbers::pi * f);
}

double WattsInto8Ohm(double volts) {
    return volts * volts / NominalOhms;
}

double VoltsFromWattsInto8Ohm(double watts) {
    return watts > 0 ? std::sqrt(watts * NominalOhms) : 0.0;
}

bool HasExcursion(const TResult& result, int d) {
    return d < MaxChassis && d < result.nChassis && AmpOfDriver(result, d) >= 0;
}

double ExcursionAt(const TResult& result, int d, int k, double amem, double volts) {
    if (d < 0 || d >= MaxChassis) {
        return Unknown;
    }
    return pistonExcursion(result, d, result.PCone[d], k, amem, volts);
}

bool HasRadiators(const TResult& result, int d, const TEinbau& einbau) {
    return HasExcursion(result, d) && result.EinbauTyp[d] == EinbauPassiveRadiator &&
           einbau.Typ == EinbauPassiveRadiator;
}

double RadiatorExcursionAt(const TResult& result, int d, int k, const TEinbau& einbau,
                           double volts) {
    if (!HasRadiators(result, d, einbau)) {
        return Unknown;
    }
    return pistonExcursion(result, d, result.PRearBlend[d], k, einbau.PRn * einbau.PRSd, volts);
}

} // namespace tavrel
