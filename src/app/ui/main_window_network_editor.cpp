// The main window's side of the crossover network editor: opening it for an amplifier,
// writing an applied network into the project, and closing it before project-wide changes.
#include "app/ui/main_window.h"
#include "charts/ui/chart_tab_set.h"
#include "editor/part_loads.h"
#include "editor/ui/crossover_editor.h"
#include "foundation/ui/store_text.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>

namespace tavrel {

namespace {

/// Where the build and the installation put the shipped parts files.
constexpr const char* ShippedPartsDir = "Weichenbauteile";

} // namespace

void TMainForm::createNetworkEditor() {
    TFormWeicheneditor::Host host;
    host.project = [this]() -> const TProjekt& { return *m_project; };
    host.partsDir = [this] { return PartsDirectory(); };
    host.apply = [this](int amp, const TWeiche& weiche, const std::string& undoText) {
        applyNetwork(amp, weiche, undoText);
    };
    host.markModified = [this] { MarkModified(); };
    host.tune = [this](int amp, const TWeiche& weiche, int slot, const std::string& undoText) {
        ApplyTuning("network" + std::to_string(amp) + ":" + std::to_string(slot), undoText,
                    [&](TProjekt& p) { p.Amps[amp].Weiche = weiche; });
    };
    host.undo = [this] { Undo(); };
    host.partLoads = [this](int amp, int slot) {
        return PartLoadSummary(*m_project, *m_displayed, amp, slot,
                               m_chartTabs->inputLevel().level().volts);
    };
    host.closed = [this] {
        m_networkEditorOpen = false;
        m_showNetworkEditor->setEnabled(false);
    };
    m_networkEditor = new TFormWeicheneditor(m_settings, std::move(host), this);
}

std::string TMainForm::PartsDirectory() const {
    if (m_settings.Verzeichnisvorgaben || QFileInfo(FromStoreText(m_settings.PartsDir)).isDir()) {
        return m_settings.PartsDir;
    }
    // The settings may live apart from the program (a read-only install): the default then
    // still means the parts shipped beside the program.
    return ToStoreText(QDir(m_programDir).filePath(ShippedPartsDir));
}

void TMainForm::EditNetwork(int amp) {
    m_networkEditor->Open(amp);
    m_networkEditorOpen = true;
    m_showNetworkEditor->setEnabled(true);
}

void TMainForm::ShowNetworkEditor() {
    if (m_networkEditorOpen) {
        m_networkEditor->show();
        m_networkEditor->raise();
        m_networkEditor->activateWindow();
    }
}

void TMainForm::applyNetwork(int amp, const TWeiche& weiche, const std::string& undoText) {
    PushUndo(undoText);
    m_project->Amps[amp].Weiche = weiche;
    MarkModified();
    RequestCalc();
}

void TMainForm::closeNetworkEditor() {
    if (m_networkEditor != nullptr && m_networkEditor->isVisible()) {
        m_networkEditor->Abort();
    }
}

} // namespace tavrel
