// The save dialog of driver and project files: it offers the coded form the program has always
// written and the plain text form that version control can diff, preselecting the form the
// file was opened in.
#pragma once

#include <QString>

class QWidget;

namespace tavrel {

/// Asks where to save a file of `kind` ("Project", "Driver") with `extension` ("TVP", "TVC").
/// `coded` holds the current form on entry and the chosen one on return; empty when cancelled.
QString ChooseSaveFileAndForm(QWidget* parent, const QString& caption, const QString& directory,
                              const QString& kind, const QString& extension, bool& coded);

/// The open dialog's filter for both forms of a file of `kind` with `extension`.
QString StoreFileOpenFilter(const QString& kind, const QString& extension);

} // namespace tavrel
