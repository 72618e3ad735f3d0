// The main window's side of the tolerance analysis: opening its window and showing the spread
// of a finished analysis around the response and impedance curves until the project changes.
#include "app/ui/main_window.h"
#include "charts/ui/chart_tab_set.h"
#include "tolerance/tolerance_bands.h"
#include "tolerance/ui/tolerance_window.h"

#include <algorithm>

namespace tavrel {

void TMainForm::OpenToleranceAnalysis() {
    if (m_tolerance == nullptr) {
        ToleranceHost host;
        host.project = [this]() -> const TProjekt& { return *m_project; };
        host.mainCalculation = [this] {
            return m_calc && m_calc->Finished() ? &m_calc->Engine() : nullptr;
        };
        host.showSpread = [this](const ToleranceResult& result) { showToleranceSpread(result); };
        host.settingsPath = m_settings.SettingsPath;
        m_tolerance = new ToleranceWindow(std::move(host), this);
        m_tolerance->move(x() + 120, y() + 80);
    }
    m_tolerance->show();
    m_tolerance->raise();
    m_tolerance->activateWindow();
}

void TMainForm::showToleranceSpread(const ToleranceResult& result) {
    ChartBox* box = m_chartTabs->response()->chartBox();
    box->chart(0).bands = ResponseBands(result, std::clamp(m_displayed->nChassis, 0, MaxChassis));
    box->update();
}

void TMainForm::clearToleranceSpread() {
    if (!m_chartTabs) {
        return; // not built yet
    }
    ChartBox* box = m_chartTabs->response()->chartBox();
    if (!box->chart(0).bands.empty()) {
        box->chart(0).bands.clear();
        box->update();
    }
}

} // namespace tavrel
