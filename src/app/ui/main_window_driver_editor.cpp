// The main window's side of the driver editor: opening it on a driver slot, taking its
// records back on "Ok", and closing it before operations that replace the project.
#include "app/project_load.h"
#include "app/ui/main_window.h"
#include "charts/ui/chart_painter.h"
#include "driver_editor/driver_editor_actions.h"
#include "driver_editor/ui/driver_editor.h"
#include "foundation/ui/choice_dialog.h"
#include "foundation/ui/store_text.h"

#include <QAction>

namespace tavrel {

void TMainForm::createDriverEditor() {
    m_driverEditor = new DriverEditor(LoadPlaceholderPicture(m_programDir), this);
    connect(m_driverEditor, &DriverEditor::applied, this, &TMainForm::driverEdited);
    connect(m_driverEditor, &DriverEditor::closed, this, [this] {
        setDriverEditorOpen(false);
        endPreview(); // after "Ok" the project holds the records and nothing changes
    });
    connect(m_driverEditor, &DriverEditor::previewed, this, [this] {
        const int d = m_driverEditor->Slot();
        const DriverRecords& edited = m_driverEditor->Records();
        previewCalc([&](TProjekt& p) {
            p.Chassis[d] = edited.chassis;
            p.Einbau[d] = edited.einbau;
            p.Schallwand[d] = edited.baffle;
        });
    });
}

void TMainForm::EditDriver(int d, int page) {
    if (d < 0 || d >= ChassisSlots || !settleDriverEditor(d)) {
        return;
    }
    if (m_driverEditor == nullptr) {
        createDriverEditor(); // at its first use: most sessions never open it
    }
    m_driverEditor->Open(d, *m_project, FromStoreText(m_settings.DriverDir), page);
    setDriverEditorOpen(true);
}

bool TMainForm::settleDriverEditor(int d) {
    if (!m_driverEditorOpen || !m_driverEditor->HasUnappliedChanges()) {
        return true;
    }
    const int m = m_driverEditor->Slot();
    if (m == d) {
        ShowDriverEditor(); // reopening the same driver would drop what was typed
        return false;
    }
    const int answer = TUniAuswahlDlg::Ask(
        m_driverEditor, QString("Apply the changes to driver %1 first?").arg(m + 1),
        "&Yes|&No|&Cancel", 1);
    if (answer == 1) {
        return m_driverEditor->Ok(); // the closing check may keep the editor on driver m
    }
    if (answer != 2) {
        ShowDriverEditor();
        return false;
    }
    return true;
}

void TMainForm::driverReloaded(int d) {
    if (m_driverEditorOpen && m_driverEditor->Slot() == d) {
        m_driverEditor->TakeReloadedDriver(m_project->Chassis[d]);
    }
}

void TMainForm::ShowDriverEditor() {
    if (m_driverEditorOpen) {
        m_driverEditor->show();
        m_driverEditor->raise();
        m_driverEditor->activateWindow();
    }
}

void TMainForm::CloseDriverEditor() {
    if (m_driverEditorOpen) {
        m_driverEditor->hide();
        setDriverEditorOpen(false);
    }
}

void TMainForm::setDriverEditorOpen(bool open) {
    m_driverEditorOpen = open;
    m_showDriverEditorAction->setEnabled(open);
}

void TMainForm::driverEdited() {
    const int d = m_driverEditor->Slot();
    const DriverRecords& edited = m_driverEditor->Records();
    PushUndo(DriverEditUndoText(d));
    m_project->Chassis[d] = edited.chassis;
    m_project->Einbau[d] = edited.einbau;
    m_project->Schallwand[d] = edited.baffle;
    refreshMenus();
    MarkModified();
    RequestCalc();
}

} // namespace tavrel
