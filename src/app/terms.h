// The terms-of-use check at start-up and the reminder to look for updates, kept in the
// settings file's "Update" section.
#pragma once

#include "foundation/number_text.h"

#include <string>

namespace tavrel {

enum class TermsStep {
    None,         ///< this version's terms were accepted and no reminder is due
    ShowReminder, ///< accepted long ago: remind the user of updates (LastInfo was renewed)
    AskTerms,     ///< a new version: the terms must be accepted before the program runs
};

/// Reads "Update"/"version" and "LastInfo" from the settings file.
TermsStep CheckTerms(const std::string& settingsPath, const std::string& version, Date today);

/// Records the answer: LastInfo and the version when accepted, an empty version otherwise.
/// Returns an empty text or why the settings file could not be written.
std::string RecordTermsAnswer(const std::string& settingsPath, const std::string& version,
                              bool accepted, Date today);

} // namespace tavrel
