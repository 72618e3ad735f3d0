// Peak excursion of each driver's cone and of its passive radiators at a chosen amplifier
// voltage.
//
// Both follow from the volume velocity of their own output, as the port air velocity does
// (vent_velocity.h): the diaphragm's output for the cone (for bandpasses the diaphragm, not the
// front port), the rear output for the radiators, each with everything in the driver's signal
// path. A piston of area S moving with volume velocity q (rms) has the peak excursion
// x = √2 · |q| / (S · ω).
#pragma once

#include "engine/result.h"
#include "model/einbau.h"

namespace tavrel {

/// Amplifier voltage into 8 ohm as power, and back (the usual way to state an input level).
double WattsInto8Ohm(double volts);
double VoltsFromWattsInto8Ohm(double watts);

/// Peak excursion (m) of a piston of `area` (m²) moving `q` (m³/s rms) at `f`.
double PeakExcursion(double q, double area, double f);

/// True when driver `d` (0-based) is driven by an amplifier, so the results hold its limits.
bool HasExcursion(const TResult& result, int d);

/// Peak excursion in m (one side) of the cone of driver `d`, piston area `amem` (m²), at grid
/// point `k` for `volts` (V rms at the amplifier). NaN when the results hold nothing usable
/// there (no amplifier, no area, a value that is not finite); callers decide how to show that.
double ExcursionAt(const TResult& result, int d, int k, double amem, double volts);

/// True when driver `d` is driven and its enclosure `einbau` has passive radiators.
bool HasRadiators(const TResult& result, int d, const TEinbau& einbau);

/// Peak excursion in m (one side) of the passive radiators of driver `d` in `einbau`; NaN as
/// for ExcursionAt, and for an enclosure without radiators.
double RadiatorExcursionAt(const TResult& result, int d, int k, const TEinbau& einbau,
                           double volts);

} // namespace tavrel
