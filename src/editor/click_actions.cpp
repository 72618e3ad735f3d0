#include "editor/click_actions.h"

namespace tavrel {

const std::array<const char*, ClickActionCount> ClickActionCaptions = {
    "no action", "create wire",          "delete part",
    "edit part", "reverse the polarity", "mark part to optimize"};

int AssignmentDigitOf(MouseButton button, bool shift, bool ctrl) {
    if (button == MouseButton::Other) {
        return -1;
    }
    const int pair = shift ? 1 : ctrl ? 2 : 0;
    return 2 * pair + (button == MouseButton::Right ? 1 : 0);
}

std::array<int, AssignmentDigits> DigitsOfAssignment(std::int32_t assignment) {
    std::array<int, AssignmentDigits> digits{};
    std::int32_t rest = assignment < 0 ? 0 : assignment;
    for (int& digit : digits) {
        digit = rest % 10;
        if (digit >= ClickActionCount) {
            digit = 0;
        }
        rest /= 10;
    }
    return digits;
}

std::int32_t AssignmentOfDigits(const std::array<int, AssignmentDigits>& digits) {
    std::int32_t assignment = 0;
    for (int k = AssignmentDigits - 1; k >= 0; --k) {
        assignment = assignment * 10 + digits[k];
    }
    return assignment;
}

ClickAction ActionOfClick(std::int32_t assignment, MouseButton button, bool shift, bool ctrl) {
    const int digit = AssignmentDigitOf(button, shift, ctrl);
    if (digit < 0) {
        return ClickAction::None;
    }
    return static_cast<ClickAction>(DigitsOfAssignment(assignment)[digit]);
}

bool ApplyClickAction(TWeichePart& part, ClickAction action) {
    switch (action) {
    case ClickAction::CreateWire:
        part.typ = PartWire;
        return true;
    case ClickAction::DeletePart:
        part.typ = PartNone;
        return true;
    case ClickAction::ReversePolarity:
        part.verpolt = static_cast<std::int16_t>(1 - part.verpolt);
        return true;
    case ClickAction::MarkToOptimize:
        part.bOpti = !part.bOpti;
        return true;
    case ClickAction::None:
    case ClickAction::EditPart:
        break;
    }
    return false;
}

void SetOptimizeMarks(TWeiche& weiche, MarkScope scope) {
    for (TWeichePart& part : weiche) {
        const bool isPart = part.typ >= PartResistor && part.typ <= PartInductance;
        part.bOpti = (scope == MarkScope::AllParts && isPart) ||
                     (scope == MarkScope::AllResistors && part.typ == PartResistor);
    }
}

} // namespace tavrel
