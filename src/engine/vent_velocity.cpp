#include "engine/vent_velocity.h"

#include <cmath>
#include <limits>
#include <numbers>

namespace tavrel {

namespace {

constexpr double AirDensity = 1.2;   ///< kg/m³
constexpr double Distance = 1.0;     ///< m: the model's pressures are at 1 m
constexpr double ZeroDbVolts = 2.83; ///< amplifier voltage of the results' 0 dB
/// Pa rms of the model's pressure magnitude 1 (112 dB SPL re 20 µPa).
const double PascalPerUnit = 20e-6 * std::pow(10.0, 112.0 / 20.0);

} // namespace

DriverPorts PortsOf(std::int32_t typ, const TEinbau& einbau) {
    DriverPorts result;
    if (typ == EinbauVented || typ == EinbauBandpassBivented) {
        result.ports[result.count++] = {PortSide::Rear, einbau.Aport};
    }
    if (typ == EinbauBandpass || typ == EinbauBandpassBivented) {
        result.ports[result.count++] = {PortSide::Front, einbau.Aportf};
    }
    return result;
}

double PortVolumeVelocity(const TResult& result, int d, PortSide side, int k, double volts) {
    if (d < 0 || d >= MaxChassis) {
        return 0.0;
    }
    return SourceVolumeVelocity(
        result, d, side == PortSide::Rear ? result.PRearBlend[d] : result.PFrontBlend[d], k, volts);
}

double SourceVolumeVelocity(const TResult& result, int d, const Curve& source, int k,
                            double volts) {
    if (d < 0 || d >= MaxChassis || k < 0 || k >= GridSize) {
        return 0.0;
    }
    const int amp = AmpOfDriver(result, d);
    const double f = result.Freq[k];
    if (amp < 0 || !(f > 0)) {
        return 0.0;
    }
    const TComplex path = CMul(result.ChassisU[d][k], result.AktFilterH[amp][k]);
    return VolumeVelocity(CMul(source[k], path), f, volts);
}

double VolumeVelocity(TComplex pressure, double f, double volts) {
    const double pascal = CAbs(pressure) * volts / ZeroDbVolts * PascalPerUnit;
    const double omega = 2.0 * std::numbers::pi * f;
    return pascal * 2.0 * std::numbers::pi * Distance / (AirDensity * omega);
}

double PortAirVelocity(const TResult& result, int d, const DriverPort& port, int k, double volts) {
    constexpr double Unknown = std::numeric_limits<double>::quiet_NaN();
    if (!(port.area > 0)) {
        return Unknown;
    }
    const double v =
        std::sqrt(2.0) * PortVolumeVelocity(result, d, port.side, k, volts) / port.area;
    return std::isfinite(v) ? v : Unknown;
}

} // namespace tavrel
