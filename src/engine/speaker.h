// The speaker job: every driver's outputs placed in space and summed into the whole
// speaker's responses, directivity and the maximum voltage and SPL.
#pragma once

#include "engine/result.h"
#include "model/projekt.h"

#include <string>

namespace tavrel {

/// Returns the status text ("Ok" or the error text).
std::string RunSpeakerJob(const TProjekt& working, TResult& result);

} // namespace tavrel
