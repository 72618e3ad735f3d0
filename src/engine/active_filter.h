// The ideal active filter ahead of each amplifier's network: level and up to six high- and
// low-pass sections.
#pragma once

#include "engine/result.h"
#include "foundation/complex.h"
#include "model/projekt.h"

#include <string>

namespace tavrel {

/// Transfer function of the enabled sections at frequency f.
TComplex AktFilterResponse(const TAktFilter& filter, double f);

/// The active filter job for amplifier a: checks the settings and writes AktFilterH[a].
/// Returns the status text.
std::string RunAktFilterJob(const TProjekt& working, int a, TResult& result);

} // namespace tavrel
