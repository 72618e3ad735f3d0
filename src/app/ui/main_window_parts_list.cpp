// The main window's side of the parts list: opening its window and handing it every new
// result and input level.
#include "app/ui/main_window.h"
#include "charts/ui/chart_tab_set.h"
#include "editor/ui/parts_list_window.h"

namespace tavrel {

void TMainForm::OpenPartsList() {
    if (m_partsList == nullptr) {
        PartsListHost host;
        host.project = [this]() -> const TProjekt& { return *m_project; };
        host.result = [this]() -> const TResult& { return *m_displayed; };
        host.volts = [this] { return m_chartTabs->inputLevel().level().volts; };
        m_partsList = new PartsListWindow(std::move(host), this);
        m_partsList->move(x() + 100, y() + 120);
        connect(this, &TMainForm::resultsHandedOver, m_partsList, &PartsListWindow::Refresh);
        connect(&m_chartTabs->inputLevel(), &InputLevelSetting::changed, m_partsList,
                &PartsListWindow::Refresh);
    }
    m_partsList->Refresh();
    m_partsList->show();
    m_partsList->raise();
    m_partsList->activateWindow();
}

} // namespace tavrel
