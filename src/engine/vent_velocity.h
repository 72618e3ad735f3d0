// Air velocity in the ports of vented and bandpass enclosures at a chosen amplifier voltage.
//
// A port's output pressure p (the driver job's rear output for the rear chamber's port, its
// front output for the front chamber's port) is taken with everything in the driver's signal
// path (active filter and level, crossover network, driver impedance) but without baffle
// diffraction, scaled from 0 dB (2.83 V) to the chosen voltage. As a small source radiating
// into half space, as the model's efficiency assumes, the port's volume velocity is
// |q| = |p| · 2π · 1 m / (ρ · ω); the peak air velocity in the port is √2 · |q| / S.
#pragma once

#include "engine/result.h"
#include "model/einbau.h"

#include <array>
#include <cstdint>

namespace tavrel {

/// The rear chamber's port (vented, bivented bandpass) or the front chamber's (bandpass,
/// bivented bandpass).
enum class PortSide { Rear, Front };

struct DriverPort {
    PortSide side = PortSide::Rear;
    double area = 0; ///< m²; 0 when not entered
};

struct DriverPorts {
    int count = 0;
    std::array<DriverPort, 2> ports{};
};

/// The ports of an enclosure of type `typ`, with the cross-sections of `einbau`.
DriverPorts PortsOf(std::int32_t typ, const TEinbau& einbau);

/// RMS volume velocity (m³/s) of a source whose output is `pressure` (on the results' scale,
/// for 0 dB at the amplifier, signal path included) at `f`, for `volts` at the amplifier.
double VolumeVelocity(TComplex pressure, double f, double volts);

/// RMS volume velocity (m³/s) of the source of driver `d` whose output pressure is `source`
/// (one of the driver's result curves) at grid point `k` for `volts` at the amplifier; 0 for a
/// driver without amplifier.
double SourceVolumeVelocity(const TResult& result, int d, const Curve& source, int k, double volts);

/// RMS volume velocity (m³/s) of the port of driver `d` on `side` at grid point `k` for
/// `volts` at the amplifier; 0 for a driver without amplifier.
double PortVolumeVelocity(const TResult& result, int d, PortSide side, int k, double volts);

/// Peak air velocity (m/s) in `port` of driver `d`; NaN when the cross-section is unknown or
/// the value is not finite.
double PortAirVelocity(const TResult& result, int d, const DriverPort& port, int k, double volts);

} // namespace tavrel
