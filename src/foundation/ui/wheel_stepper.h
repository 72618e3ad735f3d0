// Makes a number field step under the mouse wheel and the arrow keys Up and Down: the field's
// number goes through a step function, is written back in the field's format, and the owner
// is told, as if the user had typed the value and confirmed it.
#pragma once

#include <functional>

class QLineEdit;
class QWheelEvent;

namespace tavrel {

/// The value after `notches` steps (positive: up); `fine` while Ctrl is held.
using StepFunction = std::function<double(double value, int notches, bool fine)>;

/// Whole wheel notches of `event` (positive: away from the user), keeping the part of a notch
/// that fine-grained wheels send in `rest` for the next event. Shift turns a vertical wheel
/// into a horizontal one on some platforms, so either direction counts.
int TakeWheelNotches(const QWheelEvent& event, int& rest);

/// Installs the stepping on `edit`; the field shows FloatToWidth(`width`, value), and
/// `stepped` runs after every step that changed the text.
void InstallWheelStepper(QLineEdit* edit, int width, StepFunction step,
                         std::function<void()> stepped);

} // namespace tavrel
