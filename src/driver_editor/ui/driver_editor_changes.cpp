// The driver editor's unapplied changes: telling whether there are any, and meeting a driver
// that the project reloaded from a newer file while the editor works on it.
#include "driver_editor/driver_editor_actions.h"
#include "driver_editor/ui/driver_editor.h"
#include "foundation/ui/choice_dialog.h"

#include <memory>

namespace tavrel {

bool DriverEditor::HasUnappliedChanges() {
    auto shown = std::make_unique<DriverRecords>(*m_records);
    ApplyControls(readControls(), m_filled, *shown);
    auto opened = std::make_unique<DriverRecords>(*m_opened);
    return !(FillControls(*shown) == FillControls(*opened));
}

void DriverEditor::TakeReloadedDriver(const TChassis& reloaded) {
    if (HasUnappliedChanges()) {
        const QString question =
            QString("The driver file of driver %1 changed, and the project now holds the "
                    "driver from that file.\nThe driver editor holds changes to driver %1 "
                    "that were not applied.\n\nKeep the changes in the editor, or take the "
                    "driver from the file?")
                .arg(m_slot + 1);
        if (TUniAuswahlDlg::Ask(this, question, "Keep the &changes|Take the &file", 1) == 1) {
            return; // "Ok" will apply them over the reloaded driver, as the user chose
        }
    }
    applyControls(); // changes of the enclosure and baffle pages stay
    m_records->chassis = reloaded;
    m_opened->chassis = reloaded;
    fillControls();
    refreshDerived();
}

} // namespace tavrel
