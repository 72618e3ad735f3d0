// The windows that `tavrel --screenshot FILE --window NAME` can picture. A name is a window's
// short name followed by its arguments, separated by colons ("active-filter:2"); each opens its
// window the way its menu item does, so the picture shows what a user would see.
#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

namespace tavrel {

class TMainForm;

/// Opens one window. It may block in a modal dialog's event loop: the caller finds the window
/// as the top-level widget that became visible.
using WindowOpener = std::function<void()>;

/// The opener of the window called `name`, or nothing with `error` set when no window has that
/// name or its arguments are out of range.
std::optional<WindowOpener> FindWindowOpener(TMainForm& main, const QString& name, QString& error);

/// True for the windows pictured inside the main window (the tuning panel, a dock).
bool PicturesMainWindow(const QString& name);

/// Every window name with its arguments ("active-filter:A"), for help texts.
QStringList WindowNames();

/// Reads argument `index` of a window name as a whole number in `low`..`high`.
std::optional<int> WindowArgument(const QStringList& arguments, int index, int low, int high);

} // namespace tavrel
