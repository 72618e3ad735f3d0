// Gives a driver's measured frequency response or impedance the minimum phase of its magnitude,
// with the model driver in its measurement condition supplying the slopes outside the band.
#pragma once

#include "driver_editor/measurement_import.h"

#include <string>

namespace tavrel {

/// Replaces the phase list of the chosen curve with the minimum phase at the magnitude's
/// frequencies. The condition `fgang_which` sets the model's enclosure, 5 (the simulated box)
/// read as 1 since the driver stands alone here; a driver whose parameters the model cannot run
/// continues the band's edge values flat. Returns an error text, empty on success.
std::string SetMinimumPhase(TChassis& driver, ImportKind kind);

} // namespace tavrel
