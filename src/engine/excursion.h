// Peak cone excursion of each driver at a chosen amplifier voltage.
//
// The maximum-SPL chart already states, per frequency, the amplifier voltage UmaxExcursion at
// which a driver reaches its linear excursion xlin. The excursion at any other voltage U
// follows from it: the cone moves in proportion to the driving voltage, so x = xlin · U /
// UmaxExcursion. Deriving it this way, instead of calibrating the excursion figure of the
// driver model a second time, keeps both charts saying the same thing: where the excursion
// curve crosses xlin, the maximum-SPL chart has its excursion limit at exactly that voltage.
#pragma once

#include "engine/result.h"

namespace tavrel {

/// Amplifier voltage into 8 ohm as power, and back (the usual way to state an input level).
double WattsInto8Ohm(double volts);
double VoltsFromWattsInto8Ohm(double watts);

/// True when driver `d` (0-based) is driven by an amplifier, so the results hold its limits.
bool HasExcursion(const TResult& result, int d);

/// Peak excursion in m (one side) of driver `d` at grid point `k` for `volts` (V rms at the
/// amplifier). NaN when the results hold no usable limit there (no amplifier, or a limit that
/// is zero or not finite); callers decide how to show that.
double ExcursionAt(const TResult& result, int d, int k, double xlin, double volts);

} // namespace tavrel
