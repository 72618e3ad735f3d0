// The text sections of the design report: the drivers with their Thiele-Small data, enclosure
// and baffle, and each amplifier's active filter, one line each.
#pragma once

#include "model/projekt.h"

#include <string>
#include <vector>

namespace tavrel {

/// Per driver of the project: its name, then its data, enclosure and baffle lines.
std::vector<std::vector<std::string>> ReportDriverLines(const TProjekt& project);

/// The active filter of amplifier `amp` (0-based): its level and the sections that are on.
std::string ReportFilterLine(const TProjekt& project, int amp);

} // namespace tavrel
