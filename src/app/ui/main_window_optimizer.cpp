// The main window's side of the crossover optimizer: opening its window (not beside an open
// editor), the menus that are disabled while it owns the project, taking over or restoring
// the project when it closes, and the part editor a manual fixation opens.
#include "app/ui/main_window.h"
#include "driver_editor/ui/driver_editor.h"
#include "editor/ui/crossover_editor.h"
#include "editor/ui/part_editor.h"
#include "foundation/ui/choice_dialog.h"
#include "optimizer/ui/optimizer_window.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

namespace tavrel {

void TMainForm::createOptimizer() {
    OptimizerHost host;
    host.calculationFinished = [this] { return CalculationFinished(); };
    host.mainCalculation = [this] { return m_calc ? &m_calc->Engine() : nullptr; };
    host.project = [this]() -> TProjekt& { return *m_project; };
    host.setReference = [this] { SetReference(); };
    host.partsMarked = [this] { MarkModified(); };
    host.showResults = [this](const TResult& result) {
        clearToleranceSpread(); // it belongs to the curves being replaced
        // Into a buffer of this window's: the calculation thread's results stay untouched.
        if (!m_optimizerShown) {
            m_optimizerShown = MakeSharedResult();
        }
        *m_optimizerShown = result;
        m_displayed = m_optimizerShown;
        m_displayed->Valid = true;
        // The optimizer's engines judge without time curves: the ones they carry belong to the
        // design the run started from, so the time charts stay empty until the run ends.
        m_displayed->HasTime.fill(false);
        updateCharts();
    };
    host.runningChanged = [this](bool running) { setOptimizerRunning(running); };
    host.closed = [this](const TProjekt* result, bool optimized) {
        optimizerClosed(result, optimized);
    };
    m_optimizer = new TFormWOptimize2(std::move(host), this);
    m_optimizer->move(x() + 80, y() + 60); // over the charts, beside the menus
    m_optimizer->fixByHand = [this](const FixationRequest& r) { return fixPartByHand(r); };
}

void TMainForm::OpenOptimizer() {
    const std::pair<QWidget*, const char*> editors[] = {
        {m_networkEditorOpen ? m_networkEditor : nullptr,
         "Please close the crossover network editor before."},
        {m_driverEditorOpen ? m_driverEditor : nullptr, "Please close the driver editor before."}};
    for (const auto& [editor, text] : editors) {
        if (editor != nullptr) {
            editor->raise();
            editor->activateWindow();
            ShowMessage(this, text);
            return;
        }
    }
    if (m_optimizer == nullptr) {
        createOptimizer();
    }
    if (!m_optimizer->isVisible()) {
        m_optimizer->Reset(); // opened anew: earlier results are forgotten
    }
    m_showOptimizerAction->setEnabled(true);
    ShowOptimizer();
}

void TMainForm::ShowOptimizer() {
    if (m_optimizer != nullptr) {
        m_optimizer->show();
        m_optimizer->raise();
        m_optimizer->activateWindow();
    }
}

/// False when the optimizer window stays open (the user keeps it).
bool TMainForm::closeOptimizer() {
    if (m_optimizer == nullptr || !m_optimizer->isVisible()) {
        return true;
    }
    m_optimizer->close();
    return !m_optimizer->isVisible();
}

/// While a run owns a copy of the project, nothing may change the project itself.
void TMainForm::setOptimizerRunning(bool running) {
    for (const char* name : {"MenuFile", "MenuEdit", "MenuDrivers", "MenuOptions"}) {
        menuBar()->findChild<QMenu*>(name)->menuAction()->setEnabled(!running);
    }
    for (QMenu* menu : m_ampMenus) {
        menu->menuAction()->setEnabled(!running);
    }
}

void TMainForm::optimizerClosed(const TProjekt* result, bool optimized) {
    m_showOptimizerAction->setEnabled(false);
    setOptimizerRunning(false);
    if (result == nullptr) {
        return;
    }
    if (optimized) {
        PushUndo("Crossover network optimization");
        *m_project = *result;
        MarkModified();
    } else {
        *m_project = *result;
    }
    refreshMenus();
    RequestCalc();
}

/// A part to be chosen by hand: the part editor, offering only that kind of part.
bool TMainForm::fixPartByHand(const FixationRequest& request) {
    const auto edited =
        EditPartOfType(m_optimizer, request.part, request.value.kind, *m_project, PartsDirectory());
    if (edited) {
        request.part = *edited;
    }
    return edited.has_value();
}

} // namespace tavrel
