// The input level option of the commands that compute at a programme level: --volts V (rms at
// the amplifier's input) or --watts W (into 8 ohm), 2.83 V when neither is given.
#pragma once

#include "project_input.h"

#include <optional>
#include <string>

namespace tavrel::cli {

constexpr double DefaultLevelVolts = 2.83;

/// The level in V rms, or nothing after printing why the option is wrong, prefixed with
/// `command`. `watts` says whether --watts is an accepted option.
std::optional<double> LevelVolts(const std::string& command, const CommandLine& line,
                                 bool watts = true);

} // namespace tavrel::cli
