// The ideal active filter ahead of each amplifier's network: level and up to six high- and
// low-pass sections.
#pragma once

#include "engine/result.h"
#include "foundation/complex.h"
#include "model/projekt.h"

#include <string>

namespace tavrel {

/// Transfer function of the whole filter at frequency f: the level times every enabled
/// section, in the order HP6, HP121, HP122, TP6, TP121, TP122. A positive phase is a lead.
TComplex AktFilterResponse(const TAktFilter& filter, double f);

/// Empty when the settings can be computed, otherwise the error text for amplifier a
/// (0-based). When several settings are wrong the text of the last one checked is returned.
std::string CheckAktFilter(const TAktFilter& filter, int a);

/// The active filter job for amplifier a: checks the settings and writes AktFilterH[a] at
/// every grid point. Returns "Ok" or the error text; never throws.
std::string RunAktFilterJob(const TProjekt& working, int a, TResult& result);

} // namespace tavrel
