// Rules of the project workflow that the main window applies: the caption with its shortened
// path, the save name, the project properties and the driver menu captions.
#pragma once

#include "model/projekt.h"

#include <string>
#include <string_view>

namespace tavrel {

/// Keeps the first path component and as much of the tail as fits in `maxChars`, joined by
/// "...<sep>"; whole components are dropped from the front of the rest.
std::string ShortenPath(std::string_view path, int maxChars, char separator);

/// "Tavrel <version> - KELMORA-Edition [<path>]" with the path shortened for the window width.
std::string MainCaption(std::string_view version, std::string_view path, int windowWidth,
                        char separator);

/// The file name a save writes: ".TVP" appended unless the name already ends with it (any
/// case), looking through a trailing ".plain"; empty when the name is four characters or less
/// (nothing is written then).
std::string ProjectSaveName(std::string_view chosen);

struct ProjectProperties {
    int nAmps = 1;
    int nChassis = 1;
    std::string fMin = "20";
    std::string fMax = "20000";
    int points = 126;
    std::string comment1;
    std::string comment2;
    int dspRate = 0; ///< 0: analog active filters
};

/// The properties dialog's values as they stand in `projekt`.
ProjectProperties PropertiesOf(const TProjekt& projekt);

/// Applies the dialog's values: counts clamped to 1..6 and 1..8, frequencies parsed, swapped
/// when reversed and 20 Hz..20 kHz when equal, points clamped to 10..599, grid rebuilt and the
/// smoothing widths set to 7 grid steps; a DSP rate that no channel runs at is taken as analog.
void ApplyProperties(TProjekt& projekt, const ProjectProperties& properties);

/// "Driver &3: name" plus " in 12,5 liters closed." / " liters vented." for boxed drivers.
std::string DriverMenuCaption(int d, const TProjekt& projekt);

} // namespace tavrel
