// The voice-coil fit moved to model/ so the driver file reader can complete old drivers
// without looking up to the engine; this name stays for code written against it.
#pragma once

#include "model/voice_coil_fit.h"
