// TUniAuswahlDlg: the program's one way of asking the user something — a text and up to 12
// buttons given as one "|"-separated caption list. Tests (and the screenshot mode) answer
// through an injected handler instead of a window.
#pragma once

#include <QDialog>
#include <QString>
#include <QStringList>
#include <functional>

class QPushButton;

namespace tavrel {

class TUniAuswahlDlg : public QDialog {
    Q_OBJECT
public:
    /// Receives the text, the button captions and the default button (1-based) and returns
    /// the 1-based number of the button "pressed".
    using Handler = std::function<int(const QString& text, const QStringList& buttons, int def)>;

    /// Asks modally; returns the 1-based number of the button pressed, 0 when the window was
    /// closed without a button.
    static int Ask(QWidget* parent, const QString& text, const QString& captions, int def);
    /// Replaces the window by `handler` (an empty handler restores the window).
    static void SetHandler(Handler handler);
    /// Splits "Yes | No" into trimmed captions, at most 12.
    static QStringList SplitCaptions(const QString& captions);

private:
    TUniAuswahlDlg(QWidget* parent, const QString& text, const QStringList& buttons, int def);
    int m_pressed = 0;
};

/// A message with a single "OK", through the same handler as every question.
void ShowMessage(QWidget* parent, const QString& text);

} // namespace tavrel
