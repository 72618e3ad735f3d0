#include "app/ui/terms_dialog.h"

#include "app/ui/choice_dialog.h"

namespace tavrel {

bool TermsDialog::Ask(QWidget* parent) {
    const QString terms =
        "Terms of use / Disclaimer\n\n"
        "Tavrel is free software: you may use, copy and change it under the terms of the GNU "
        "General Public License, version 3 or later.\n\n"
        "Tavrel simulates loudspeakers from the data you enter. The results are models, not "
        "measurements: check a design before you build it. The program comes without any "
        "warranty; the authors are not liable for damage to drivers, amplifiers, hearing or "
        "anything else that results from its use.\n\n"
        "Do you accept these terms?";
    return TUniAuswahlDlg::Ask(parent, terms, "I &accept | I do &not accept", 2) == 1;
}

} // namespace tavrel
