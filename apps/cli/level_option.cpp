#include "level_option.h"

#include "engine/excursion.h"
#include "foundation/number_text.h"

#include <cmath>
#include <cstdio>

namespace tavrel::cli {

namespace {

/// A positive finite number (point or comma) and nothing else.
std::optional<double> positive(const std::string& text) {
    const ParsedFloat parsed = ParseFloat(text);
    const auto value = static_cast<double>(parsed.value);
    if (text.empty() || parsed.consumed != static_cast<int>(text.size()) || !(value > 0) ||
        !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

} // namespace

std::optional<double> LevelVolts(const std::string& command, const CommandLine& line, bool watts) {
    const auto volts = line.values.find("--volts");
    const auto power = watts ? line.values.find("--watts") : line.values.end();
    if (volts != line.values.end() && power != line.values.end()) {
        std::fprintf(stderr, "tavrel-cli %s: give --volts or --watts, not both\n", command.c_str());
        return std::nullopt;
    }
    if (power != line.values.end()) {
        const auto value = positive(power->second);
        if (!value) {
            std::fprintf(stderr,
                         "tavrel-cli %s: --watts needs a positive number of watts, not '%s'\n",
                         command.c_str(), power->second.c_str());
            return std::nullopt;
        }
        return VoltsFromWattsInto8Ohm(*value);
    }
    if (volts == line.values.end()) {
        return DefaultLevelVolts;
    }
    const auto value = positive(volts->second);
    if (!value) {
        std::fprintf(stderr, "tavrel-cli %s: --volts needs a positive number of volts, not '%s'\n",
                     command.c_str(), volts->second.c_str());
    }
    return value;
}

} // namespace tavrel::cli
