// Where the program's bundled data (Default.TVP, the examples, the pictures) lives: beside the
// program in a build tree, in share/tavrel/ beside bin/ when installed.
#pragma once

#include <string>

namespace tavrel {

/// `programDir`/../share/tavrel when it holds Default.TVP, else `programDir` itself.
std::string DataDirectory(const std::string& programDir);

} // namespace tavrel
