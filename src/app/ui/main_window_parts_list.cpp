// The main window's side of the build sheet: the parts list window, handed every new result
// and input level, and the design report of the project as calculated.
#include "app/ui/design_report.h"
#include "app/ui/main_window.h"
#include "charts/ui/chart_box.h"
#include "charts/ui/chart_tab_set.h"
#include "charts/ui/chart_tabs.h"
#include "editor/ui/parts_list_window.h"
#include "engine/calc_thread.h"
#include "foundation/ui/choice_dialog.h"
#include "foundation/ui/store_text.h"

#include <QFileDialog>
#include <QFileInfo>

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
    m_partsList->show(); // shown, it shows the loads of the current results
    m_partsList->raise();
    m_partsList->activateWindow();
}

void TMainForm::ExportDesignReport(QString path) {
    if (!CalculationFinished()) {
        ShowMessage(this, "Please wait until the calculation has finished.");
        return;
    }
    const QString name = m_fileName.empty()
                             ? QString("Untitled")
                             : QFileInfo(FromStoreText(m_fileName)).completeBaseName();
    if (path.isEmpty()) {
        path = QFileDialog::getSaveFileName(
            this, "Export design report",
            FromStoreText(m_settings.ProjectDir) + "/" + name + ".pdf", "PDF files (*.pdf)");
        if (path.isEmpty()) {
            return;
        }
    }
    DesignReportInput input;
    input.name = ToStoreText(name);
    input.volts = m_chartTabs->inputLevel().level().volts;
    input.responseChart = &m_chartTabs->response()->chartBox()->chart(0);
    if (m_calc) {
        input.errors = CollectErrors(m_calc->Engine().Status(), *m_project);
    }
    const TJudgement judgement = m_calc ? m_calc->Engine().Judgement() : TJudgement{};
    const std::string problem =
        WriteDesignReport(path.toStdString(), *m_project, *m_displayed, judgement, input);
    if (!problem.empty()) {
        ShowMessage(this, QString::fromStdString(problem));
    }
}

} // namespace tavrel
