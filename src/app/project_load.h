// Making a fresh project and loading a project file the way both programs do it, so the
// command line computes exactly what the desktop program shows.
#pragma once

#include "model/projekt.h"

#include <string>

namespace tavrel {

/// Every field at its file default (what reading a missing file gives); driver slots 2 to 8
/// take slot 1's driver, enclosure and baffle.
void ResetProject(TProjekt& projekt, const TOptionBlock* programWideOptions = nullptr);

/// Fresh enclosure estimates and derived driver data (at f → 0) for the eight driver slots.
void RefreshDerived(TProjekt& projekt);
/// The same for driver slot `d` alone, after its driver record was replaced.
void RefreshDerivedDriver(TProjekt& projekt, int d);

struct ProjectLoadResult {
    bool loaded = false; ///< the project now holds the file's content
    bool coded = true;   ///< the file's store form, which a save should keep
    std::string message; ///< for the user when something went wrong
};

/// Loads `path`, stored plain or coded, into `projekt`. A missing file changes nothing; a file
/// that is no store (no header in either form) resets the project and says so; a wrong version
/// leaves the project unchanged.
ProjectLoadResult LoadProjectFile(TProjekt& projekt, const std::string& path,
                                  const TOptionBlock* programWideOptions = nullptr);

} // namespace tavrel
