// "Use for driver N" of the port page: the port just designed becomes the port of a driver's
// enclosure, so the vent air velocity chart can show how fast it blows.
#pragma once

#include "calculators/port_tuning.h"
#include "model/einbau.h"

namespace tavrel {

/// Which chamber's port the page describes: a vented enclosure has only the rear one, a
/// bandpass only the front one; a bivented bandpass has both and the user picks.
enum class PortChamber { Rear, Front };

/// The chambers of `einbau` that have a port: none, one, or both (bivented bandpass).
bool HasRearPort(const TEinbau& einbau);
bool HasFrontPort(const TEinbau& einbau);

/// Copies the ports' total cross-section, the geometric volume (the port's share taken off)
/// and the tuning frequency into `chamber` of `einbau`. Only a tuned result with a port
/// cross-section is used; false (and `einbau` unchanged) otherwise or when that chamber has
/// no port.
bool UsePortForEnclosure(const PortResult& port, PortChamber chamber, TEinbau& einbau);

} // namespace tavrel
