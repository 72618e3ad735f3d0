// What a mouse click on the schematic does: the six-digit mouse key assignment, the action a
// button and modifier combination selects, the effect of each action on a slot, and the
// optimize marks set for many slots at once.
#pragma once

#include "model/weiche.h"

#include <array>
#include <cstdint>

namespace tavrel {

enum class ClickAction {
    None = 0,
    CreateWire = 1,
    DeletePart = 2,
    EditPart = 3,
    ReversePolarity = 4,
    MarkToOptimize = 5,
};

constexpr int ClickActionCount = 6;
constexpr int AssignmentDigits = 6;

/// The captions of the six actions, in action order.
extern const std::array<const char*, ClickActionCount> ClickActionCaptions;

enum class MouseButton { Left, Right, Other };

/// The digit (0 = units … 5 = hundred-thousands) a click uses: Shift wins over Ctrl; −1 for a
/// button other than left and right.
int AssignmentDigitOf(MouseButton button, bool shift, bool ctrl);

/// The six digits of an assignment, units first; a digit that names no action reads as 0.
std::array<int, AssignmentDigits> DigitsOfAssignment(std::int32_t assignment);
std::int32_t AssignmentOfDigits(const std::array<int, AssignmentDigits>& digits);

ClickAction ActionOfClick(std::int32_t assignment, MouseButton button, bool shift, bool ctrl);

/// Performs a click action on a slot. Editing needs the part editor and is left to the caller;
/// returns whether the slot changed.
bool ApplyClickAction(TWeichePart& part, ClickAction action);

enum class MarkScope { AllParts, AllResistors, None };

/// Sets the optimize marks of every slot: parts (types 2..4) or resistors get one, all other
/// slots lose theirs.
void SetOptimizeMarks(TWeiche& weiche, MarkScope scope);

} // namespace tavrel
