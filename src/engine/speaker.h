// The speaker job: every driver's outputs placed in space and summed into the whole
// speaker's responses, directivity and the maximum voltage and SPL.
#pragma once

#include "engine/result.h"
#include "model/projekt.h"

#include <array>
#include <string>

namespace tavrel {

/// Per driver slot: true when its directional outputs must be computed anew.
using DriverMask = std::array<bool, ChassisSlots>;

/// Returns the status text ("Ok" or the error text). With `recompute`, the directional
/// outputs (DirFront, DirRear) of a driver whose entry is false are taken as they stand from
/// the last pass instead of computed again: the caller vouches that nothing they depend on
/// has changed. The sums come out the same either way.
std::string RunSpeakerJob(const TProjekt& working, TResult& result,
                          const DriverMask* recompute = nullptr);

/// Extra distance (m) by which a source at (x, y, z) lies nearer to a listener in direction n:
/// z is along the axis towards the listener, x horizontal, y vertical.
double DirPathLength(int n, double x, double y, double z);

/// Path phase (rad) of a source at (x, y, z) heard in direction n at f Hz; applied with
/// CRotate, a source nearer to the listener gets a phase lead.
double DirPhase(int n, double x, double y, double z, double f);

} // namespace tavrel
