// What the crossover editor asks before it closes with OK, and the undo text of an applied
// network.
#pragma once

#include "model/weiche.h"

#include <string>
#include <vector>

namespace tavrel {

extern const char* const NoAmpQuestion;
extern const char* const NoDriverQuestion;
extern const char* const CloseQuestionChoices;

/// The questions to ask, in order: one when no slot is an amplifier output, one when no slot
/// is a driver.
std::vector<std::string> CloseQuestions(const TWeiche& weiche);

/// "crossover network N Edit" for amplifier index `amp` (0-based).
std::string ApplyUndoText(int amp);

} // namespace tavrel
