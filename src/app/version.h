// The program's version string, shown in the caption and kept with the accepted terms of use.
#pragma once

namespace tavrel {

inline constexpr const char* ProgramVersion = "0.1";

} // namespace tavrel
