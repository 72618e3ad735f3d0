// The project workflow of the main window: new, load, save, undo, reference, properties,
// active filter, export and quit.
#include "app/driver_update.h"
#include "app/project_load.h"
#include "app/ui/active_filter_dialog.h"
#include "app/ui/directories_dialog.h"
#include "app/ui/dsp_export_dialog.h"
#include "app/ui/export_dialog.h"
#include "app/ui/main_window.h"
#include "app/ui/project_properties_dialog.h"
#include "app/version.h"
#include "app/workflow.h"
#include "calculators/ui/calc_utils_window.h"
#include "charts/ui/chart_tab_set.h"
#include "editor/part_tuning.h"
#include "editor/ui/crossover_editor.h"
#include "foundation/ui/choice_dialog.h"
#include "foundation/ui/store_form_dialog.h"
#include "foundation/ui/store_text.h"
#include "model/chassis_file.h"
#include "model/projekt_file.h"
#include "optimizer/ui/optimizer_window.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMenu>
#include <QTabWidget>
#include <QThread>
#include <QTimer>
#include <filesystem>

namespace tavrel {

namespace {

TMainForm::FileChooser& fileChooser() {
    static TMainForm::FileChooser instance;
    return instance;
}

QString chooseFile(QWidget* parent, bool save, const QString& directory, bool& coded) {
    if (fileChooser()) {
        return fileChooser()(save, directory, coded);
    }
    if (save) {
        return ChooseSaveFileAndForm(parent, "Save project file", directory, "Project", "TVP",
                                     coded);
    }
    return QFileDialog::getOpenFileName(parent, "Load project file", directory,
                                        StoreFileOpenFilter("Project", "TVP"));
}

} // namespace

void TMainForm::SetFileChooser(FileChooser chooser) {
    fileChooser() = std::move(chooser);
}

void TMainForm::LoadProjectFromMenu() {
    if (!m_project->saved &&
        TUniAuswahlDlg::Ask(this, "Discard all changes without saving?", "Yes | No", 2) != 1) {
        return;
    }
    bool coded = m_projectCoded; // an open dialog does not choose the form
    const QString path = chooseFile(this, false, FromStoreText(m_settings.ProjectDir), coded);
    if (!path.isEmpty()) {
        LoadProject(path);
    }
}

bool TMainForm::SaveProjectInPlace() {
    if (!std::filesystem::path(m_fileName).has_parent_path()) {
        return SaveProjectFromMenu(); // a new project ("noname.TVP") has no place yet
    }
    return SaveProject(FromStoreText(m_fileName), m_projectCoded);
}

bool TMainForm::SaveProjectFromMenu() {
    const QString directory =
        m_fileName.empty() ? FromStoreText(m_settings.ProjectDir) : FromStoreText(m_fileName);
    bool coded = m_projectCoded;
    const QString path = chooseFile(this, true, directory, coded);
    return !path.isEmpty() && SaveProject(path, coded);
}

const TOptionBlock* TMainForm::programWideOptions() const {
    return m_settings.UseOption ? &m_settings.Option : nullptr;
}

void TMainForm::resetProject() {
    ResetProject(*m_project, programWideOptions());
    m_projectCoded = true;
}

void TMainForm::loadProjectFile(const std::string& path) {
    const ProjectLoadResult result = LoadProjectFile(*m_project, path, programWideOptions());
    if (!result.message.empty()) {
        ShowMessage(this, FromStoreText(result.message));
    }
    if (result.loaded) {
        setFileName(path);
        m_projectCoded = result.coded;
    }
    refreshMenus();
}

void TMainForm::PushUndo(const std::string& text) {
    m_undo.Push(*m_project, text);
    refreshUndoActions();
    scheduleRecoveryCopy();
}

void TMainForm::refreshUndoActions() {
    // The caption begins with the item's mnemonic; an "&" in the change's text is shown as such.
    const auto caption = [](const std::string& text) {
        return "&" + FromStoreText(text).replace("&", "&&");
    };
    m_undoAction->setText(caption(m_undo.MenuCaption()));
    m_undoAction->setEnabled(m_undo.CanUndo());
    m_redoAction->setText(caption(m_undo.RedoMenuCaption()));
    m_redoAction->setEnabled(m_undo.CanRedo());
}

void TMainForm::MarkModified() {
    clearToleranceSpread();
    m_project->saved = false;
    scheduleRecoveryCopy();
}

void TMainForm::closeEditors() {
    closeNetworkEditor();
    CloseDriverEditor();
}

void TMainForm::NewProject() {
    if (!m_project->saved && TUniAuswahlDlg::Ask(this, "Really refuse all changes without saving?",
                                                 "Yes | No", 2) != 1) {
        return;
    }
    PushUndo("New project");
    closeEditors();
    resetProject();
    setFileName("noname.TVP");
    refreshMenus();
    m_project->saved = true;
    RequestFullCalc();
    EditProperties();
}

bool TMainForm::LoadProject(const QString& path) {
    if (!QFileInfo::exists(path)) {
        return false;
    }
    PushUndo("Load file");
    closeEditors();
    loadProjectFile(ToStoreText(path));
    m_project->saved = true;
    RequestFullCalc();
    armDriverUpdateCheck();
    return true;
}

void TMainForm::armDriverUpdateCheck() {
    m_updateIndex = 0;
    m_updateTimer->start();
}

void TMainForm::checkNextDriverForUpdate() {
    if (m_optimizer != nullptr && m_optimizer->Running()) {
        return; // the project must not change under a run: asked again after it
    }
    if (m_updateIndex >= m_project->nChassis) {
        m_updateTimer->stop();
        return;
    }
    const int d = m_updateIndex++;
    const auto newer = FindNewerDriverFile(m_project->Chassis[d], m_settings.DriverDir);
    if (!newer) {
        return;
    }
    m_updateTimer->stop(); // no second question while this one is open
    const bool load =
        TUniAuswahlDlg::Ask(this, FromStoreText(DriverUpdateQuestion(m_project->Chassis[d])),
                            "Yes|No", 1) == 1;
    if (load) {
        PushUndo("Driver " + std::to_string(d + 1) + " load new");
        LoadChassisFile(m_project->Chassis[d], *newer);
        RefreshDerivedDriver(*m_project, d);
        MarkModified();
        refreshMenus();
        RequestCalc();
        driverReloaded(d);
    }
    if (m_updateIndex < m_project->nChassis) {
        m_updateTimer->start();
    }
}

bool TMainForm::SaveProject(const QString& chosenName) {
    return SaveProject(chosenName, m_projectCoded);
}

bool TMainForm::SaveProject(const QString& chosenName, bool coded) {
    const std::string name = ProjectSaveName(ToStoreText(chosenName));
    if (name.empty()) {
        return false;
    }
    const FileWriteResult written = WriteProjekt(*m_project, name, coded);
    if (!written.ok) {
        ShowMessage(this, FromStoreText(written.error));
        return false;
    }
    m_project->saved = true;
    m_projectCoded = coded;
    setFileName(name);
    scheduleRecoveryCopy();
    return true;
}

void TMainForm::Undo() {
    stepHistory(false);
}

void TMainForm::Redo() {
    stepHistory(true);
}

void TMainForm::stepHistory(bool redo) {
    // Undoing a tuning gesture keeps the crossover editor open on the restored network, so
    // tuning can go on; every other undo closes the editors, whose copies would be stale.
    const bool tuning = IsTuneUndoText(redo ? m_undo.NewestRedoText() : m_undo.NewestText());
    const int tunedAmp = m_networkEditorOpen && tuning ? m_networkEditor->Amp() : -1;
    if (tunedAmp >= 0) {
        CloseDriverEditor();
    } else {
        closeEditors();
    }
    if (!(redo ? m_undo.Redo(*m_project) : m_undo.Undo(*m_project))) {
        return;
    }
    if (tunedAmp >= 0) {
        m_networkEditor->Load(tunedAmp + 1);
    }
    RequestCalc();
    MarkModified();
    refreshUndoActions();
    refreshMenus();
}

bool TMainForm::waitForCalculation() {
    while (!CalculationFinished()) {
        if (TUniAuswahlDlg::Ask(this, "Calculation must be finished first.", "&try again|&Abort",
                                1) != 1) {
            return false;
        }
        if (m_calc) {
            // give the thread a moment and let its reports through
            for (int i = 0; i < 50 && !m_calc->Finished(); ++i) {
                QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
                QThread::msleep(10);
            }
        }
    }
    return true;
}

void TMainForm::SetReference() {
    if (!waitForCalculation()) {
        return;
    }
    *m_reference = *m_project;
    m_hasReference = true;
    for (QAction* action : m_referenceActions) {
        action->setEnabled(true);
    }
    m_chartTabs->storeAsReference();
    updateCharts();
}

void TMainForm::DeleteReference() {
    m_hasReference = false;
    for (QAction* action : m_referenceActions) {
        action->setEnabled(false);
    }
    m_chartTabs->clearReference();
    updateCharts();
}

void TMainForm::ExchangeReference() {
    if (!m_hasReference || !waitForCalculation()) {
        return;
    }
    PushUndo("Exchange project with reference");
    m_chartTabs->storeAsReference();
    std::swap(m_project, m_reference);
    closeEditors();
    refreshMenus();
    MarkModified();
    RequestFullCalc();
}

void TMainForm::RestoreReference() {
    if (!m_hasReference) {
        return;
    }
    closeEditors();
    PushUndo("restore reference");
    *m_project = *m_reference;
    refreshMenus();
    MarkModified();
    RequestFullCalc();
}

void TMainForm::EditProperties() {
    ProjectPropertiesDialog dialog(this);
    dialog.Load(PropertiesOf(*m_project));
    if (dialog.exec() != QDialog::Accepted) {
        return;
    }
    PushUndo("Edit project properties");
    closeEditors();
    ApplyProperties(*m_project, dialog.Edited());
    RequestFullCalc();
    MarkModified();
    refreshMenus();
}

void TMainForm::EditActiveFilter(int amp) {
    TFormAktFilter dialog(this);
    dialog.Load(m_project->Amps[amp - 1].AktFilter, amp);
    connect(&dialog, &TFormAktFilter::valuesChanged, this, [this, &dialog, amp] {
        previewCalc([&](TProjekt& p) { p.Amps[amp - 1].AktFilter = dialog.Edited(); });
    });
    if (dialog.exec() != QDialog::Accepted) {
        endPreview();
        return;
    }
    m_previewing = false;
    PushUndo("Edit active filter  " + std::to_string(amp));
    m_project->Amps[amp - 1].AktFilter = dialog.Edited();
    MarkModified();
    RequestCalc();
}

void TMainForm::EditDirectories() {
    TFormVerzeichnisse dialog(m_settings, this);
    dialog.exec();
    m_settings = dialog.Settings();
}

void TMainForm::ExportDspSettings() {
    TFormDspExport dialog(*m_project, FromStoreText(m_settings.ProjectDir), this);
    dialog.exec();
}

void TMainForm::ExportResults() {
    if (!waitForCalculation()) {
        return;
    }
    // Held for the dialog's life: a hand-over meanwhile must not give these back to the thread.
    const std::shared_ptr<const TResult> shown = m_displayed;
    TFormExport dialog(*shown, FromStoreText(m_settings.ProjectDir), this);
    dialog.exec();
}

void TMainForm::refreshMenus() {
    for (int a = 0; a < MaxAmps; ++a) {
        m_ampMenus[a]->menuAction()->setVisible(a < m_project->nAmps);
    }
    for (int d = 0; d < ChassisSlots; ++d) {
        m_driverActions[d]->setText(FromStoreText(DriverMenuCaption(d, *m_project)));
        m_driverActions[d]->setVisible(d < m_project->nChassis);
    }
    m_chartTabs->showDriverTabs(m_project->nChassis);
    if (m_calcUtils != nullptr) {
        m_calcUtils->SetPortDriverCount(m_project->nChassis);
    }
}

void TMainForm::setFileName(const std::string& path) {
    m_fileName = path;
    updateCaption();
}

void TMainForm::updateCaption() {
    setWindowTitle(FromStoreText(
        MainCaption(ProgramVersion, m_fileName, width(), QDir::separator().toLatin1())));
}

void TMainForm::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    updateCaption();
}

void TMainForm::closeEvent(QCloseEvent* event) {
    if (!closeOptimizer()) {
        event->ignore();
        return;
    }
    if (!m_project->saved) {
        const int answer = TUniAuswahlDlg::Ask(
            this, "Quit program?\r\n\r\nSave current project now?", "&Yes | &No | &Abort", 1);
        if (answer == 1) {
            if (!SaveProjectFromMenu()) {
                event->ignore();
                return;
            }
        } else if (answer != 2) {
            event->ignore();
            return;
        }
    }
    if (m_saveSettingsOnQuit) {
        SaveSettings(m_settings);
    }
    stopCalcThread();
    m_recovery.reset(); // saved or discarded by the user's answer: nothing to recover
    event->accept();
}

} // namespace tavrel
