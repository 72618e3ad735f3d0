// The DSP channel's keys at the end of an "AktFilter" section: delay, polarity and the further
// sections. Each is written only when it differs from its default, so files without them read
// and write back unchanged.
#pragma once

#include "foundation/my_ini_file.h"
#include "model/projekt.h"

#include <string>

namespace tavrel {

void WriteDspChannel(const TAktFilter& filter, TMyIniFile& store, const std::string& section);

/// Types outside 0..9 read as no section; a section reads only the fields its type uses.
void ReadDspChannel(TAktFilter& filter, TMyIniFile& store, const std::string& section);

} // namespace tavrel
