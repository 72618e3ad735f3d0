// The speaker job: every driver's outputs placed in space and summed into the whole
// speaker's responses, directivity and the maximum voltage and SPL.
#pragma once

#include "engine/result.h"
#include "model/projekt.h"

#include <string>

namespace tavrel {

/// Returns the status text ("Ok" or the error text).
std::string RunSpeakerJob(const TProjekt& working, TResult& result);

/// Extra distance (m) by which a source at (x, y, z) lies nearer to a listener in direction n:
/// z is along the axis towards the listener, x horizontal, y vertical.
double DirPathLength(int n, double x, double y, double z);

/// Path phase (rad) of a source at (x, y, z) heard in direction n at f Hz; applied with
/// CRotate, a source nearer to the listener gets a phase lead.
double DirPhase(int n, double x, double y, double z, double f);

} // namespace tavrel
