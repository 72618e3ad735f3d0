// The main window's side of live tuning: tuning steps from the crossover editor and the
// tuning panel go into the project at once, one undo step per gesture; the tuning panel dock;
// and the preview calculations of the open active filter dialog and driver editor.
#include "app/ui/main_window.h"
#include "app/ui/tuning_panel.h"
#include "editor/part_tuning.h"
#include "editor/ui/crossover_editor.h"
#include "optimizer/e_series.h"

#include <QDockWidget>

namespace tavrel {

void TMainForm::ApplyTuning(const std::string& key, const std::string& undoText,
                            const std::function<void(TProjekt&)>& change) {
    if (m_gesture.StartsNew(key, undoText, m_undo.NewestText(), TuningGesture::Clock::now())) {
        PushUndo(undoText);
    }
    change(*m_project);
    MarkModified();
    RequestCalc();
}

void TMainForm::createTuningPanel() {
    TuningPanel::Host host;
    host.project = [this]() -> const TProjekt& { return *m_project; };
    host.seriesStep = [this] { return SeriesStepOf(m_settings.TuningSeries); };
    host.tune = [this](const TuningRow& row, double value) {
        auto changed = std::make_unique<TProjekt>(*m_project);
        if (!SetRowValue(*changed, row, value)) {
            return;
        }
        ApplyTuning(RowKey(row), TuneUndoText(row.name),
                    [&](TProjekt& p) { p.Amps[row.amp] = changed->Amps[row.amp]; });
        if (row.target == TuningTarget::Part) {
            m_networkEditor->TakePart(row.amp, row.slot, m_project->Amps[row.amp].Weiche);
        }
    };
    host.openPart = [this](int amp, int slot) {
        EditNetwork(amp + 1);
        m_networkEditor->EditPart(slot, QPoint(200, 100));
    };
    m_tuningPanel = new TuningPanel(std::move(host), this);
    m_tuningDock = new QDockWidget("Tuning", this);
    m_tuningDock->setObjectName("TuningDock");
    m_tuningPanel->setMinimumWidth(320); // every column, the unit too
    m_tuningDock->setWidget(m_tuningPanel);
    addDockWidget(Qt::RightDockWidgetArea, m_tuningDock);
    m_tuningDock->hide();
    // The panel follows every change of the project: each one ends in a hand-over.
    // A hidden panel catches up when it is shown again.
    connect(this, &TMainForm::resultsHandedOver, m_tuningPanel, [this] {
        if (m_tuningDock->isVisible()) {
            m_tuningPanel->Refresh();
        }
    });
}

void TMainForm::ShowTuningPanel() {
    if (m_tuningPanel == nullptr) {
        createTuningPanel(); // at its first use
    }
    m_tuningPanel->Refresh();
    m_tuningDock->show();
    m_tuningDock->raise();
}

void TMainForm::previewCalc(const std::function<void(TProjekt&)>& change) {
    auto preview = std::make_unique<TProjekt>(*m_project);
    change(*preview);
    m_previewing = true;
    m_displayed->Valid = false;
    if (m_calc) {
        m_calc->RequestCalc(*preview);
    }
}

void TMainForm::endPreview() {
    if (m_previewing) {
        m_previewing = false;
        RequestCalc();
    }
}

} // namespace tavrel
