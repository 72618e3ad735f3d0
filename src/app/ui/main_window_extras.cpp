// The main window's openers of the utilities window, the common outer housing, the view
// options and the driver copy dialog.
#include "app/common_housing.h"
#include "app/ui/copy_driver_dialog.h"
#include "app/ui/housing_dialog.h"
#include "app/ui/main_window.h"
#include "app/ui/view_options_dialog.h"
#include "app/view_options.h"
#include "calculators/port_use.h"
#include "calculators/radiator_design.h"
#include "calculators/ui/calc_utils_window.h"
#include "driver_editor/ui/driver_editor.h"
#include "engine/driver_model.h"
#include "foundation/ui/choice_dialog.h"
#include "foundation/ui/store_text.h"

#include <QAction>

namespace tavrel {

void TMainForm::ShowCalculator(int page) {
    if (m_calcUtils == nullptr) {
        m_calcUtils = new TFormCalcUtils(FromStoreText(m_settings.DriverDir), this);
        m_calcUtils->SetPortUser(
            [this](int d, const PortResult& port) { usePortForDriver(d, port); });
        m_calcUtils->SetRadiatorUser(
            [this](int d, const RadiatorInputs& inputs) { useRadiatorsForDriver(d, inputs); });
    }
    m_calcUtils->SetPortDriverCount(m_project->nChassis);
    m_calcUtils->ShowPage(static_cast<TFormCalcUtils::Page>(page));
}

/// A calculator may write into driver d's enclosure: it exists and its editor is not open.
bool TMainForm::calculatorMayChange(int d) {
    if (d < 0 || d >= m_project->nChassis) {
        return false;
    }
    if (m_driverEditorOpen && m_driverEditor->Slot() == d) {
        ShowMessage(
            this,
            QStringLiteral("The driver editor is open on driver %1: close it first.").arg(d + 1));
        return false;
    }
    return true;
}

void TMainForm::takeEnclosure(int d, const TEinbau& einbau, const std::string& what) {
    PushUndo("Driver " + std::to_string(d + 1) + " " + what);
    m_project->Einbau[d] = einbau;
    CalcDerived(m_project->Chassis[d], m_project->Einbau[d], 1e-10);
    MarkModified();
    RequestCalc();
}

void TMainForm::usePortForDriver(int d, const PortResult& port) {
    if (!calculatorMayChange(d)) {
        return;
    }
    const QString driver = QStringLiteral("driver %1").arg(d + 1);
    TEinbau einbau = m_project->Einbau[d];
    if (!HasRearPort(einbau) && !HasFrontPort(einbau)) {
        ShowMessage(this, "The enclosure of " + driver +
                              " has no port: choose a vented or bandpass enclosure first.");
        return;
    }
    PortChamber chamber = HasRearPort(einbau) ? PortChamber::Rear : PortChamber::Front;
    if (HasRearPort(einbau) && HasFrontPort(einbau)) {
        const int answer = TUniAuswahlDlg::Ask(this, "Which port of " + driver + "?",
                                               "&Rear port|&Front port|&Abort", 1);
        if (answer != 1 && answer != 2) {
            return;
        }
        chamber = answer == 1 ? PortChamber::Rear : PortChamber::Front;
    }
    if (!UsePortForEnclosure(port, chamber, einbau)) {
        return; // the page has no tuned port to give
    }
    takeEnclosure(d, einbau, "port");
}

/// The page's radiators, volume and tuning become the driver's enclosure.
void TMainForm::useRadiatorsForDriver(int d, const RadiatorInputs& page) {
    if (!calculatorMayChange(d)) {
        return;
    }
    TEinbau einbau = m_project->Einbau[d];
    if (!UseRadiatorsForEnclosure(page, m_project->Chassis[d], einbau)) {
        ShowMessage(this, QStringLiteral("The passive radiators cannot be tuned to this fb in the "
                                         "enclosure of driver %1.")
                              .arg(d + 1));
        return;
    }
    takeEnclosure(d, einbau, "passive radiators");
}

void TMainForm::EditCommonHousing() {
    TFormGemGeh dialog(this);
    dialog.Load(*m_project);
    if (dialog.exec() != QDialog::Accepted) {
        return;
    }
    PushUndo("Edit common outer housing");
    ApplyCommonHousing(*m_project, dialog.Housing(), dialog.Places());
    MarkModified();
    RequestCalc();
}

void TMainForm::EditViewOptions() {
    TFormViewOptions dialog(this);
    dialog.Load(m_project->Option, m_settings.UseOption);
    if (dialog.exec() != QDialog::Accepted) {
        return;
    }
    const TOptionBlock option = dialog.Edited();
    const StoreCloseResult stored =
        StoreProgramWideOptions(m_settings, dialog.UseForAllProjects(), option);
    if (!stored.ok) {
        ShowMessage(this, FromStoreText("The settings could not be saved:\n" + stored.error));
    }
    PushUndo("View options");
    m_project->Option = option;
    MarkModified();
    updateCharts();
}

void TMainForm::CopyDriver() {
    const QString undoCaption = m_undoAction->text();
    const bool undoEnabled = m_undoAction->isEnabled();
    PushUndo("Copy driver");
    TFormCopyDriver dialog(*m_project, this);
    if (dialog.exec() != QDialog::Accepted) {
        m_undo.Discard();
        m_undoAction->setText(undoCaption);
        m_undoAction->setEnabled(undoEnabled);
        return;
    }
    *m_project = dialog.Project();
    MarkModified();
    RequestCalc();
    refreshMenus();
}

} // namespace tavrel
