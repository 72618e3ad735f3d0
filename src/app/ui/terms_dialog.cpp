#include "app/ui/terms_dialog.h"

#include "foundation/ui/choice_dialog.h"

namespace tavrel {

namespace {

const QString& termsText() {
    static const QString terms =
        "Terms of use / Disclaimer\n\n"
        "Tavrel is free software: you may use, copy and change it under the terms of the GNU "
        "General Public License, version 3 or later.\n\n"
        "Tavrel simulates loudspeakers from the data you enter. The results are models, not "
        "measurements: check a design before you build it. The program comes without any "
        "warranty; the authors are not liable for damage to drivers, amplifiers, hearing or "
        "anything else that results from its use.";
    return terms;
}

} // namespace

bool TermsDialog::Ask(QWidget* parent) {
    return TUniAuswahlDlg::Ask(parent, termsText() + "\n\nDo you accept these terms?",
                               "I &accept | I do &not accept", 2) == 1;
}

void TermsDialog::Show(QWidget* parent) {
    ShowMessage(parent, termsText());
}

} // namespace tavrel
