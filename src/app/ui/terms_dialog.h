// The terms of use, shown on the first start of each program version.
#pragma once

class QWidget;

namespace tavrel {

class TermsDialog {
public:
    /// True when the user accepts the terms.
    static bool Ask(QWidget* parent);
    /// Shows the terms for reading only.
    static void Show(QWidget* parent);
};

} // namespace tavrel
