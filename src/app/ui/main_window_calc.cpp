// The main window's side of the calculation: requests, the thread's three reports and the
// hand-over of the results to the charts.
#include "app/ui/calc_window.h"
#include "app/ui/main_window.h"
#include "charts/ui/chart_tab_set.h"
#include "engine/calc_engine.h"
#include "foundation/ui/choice_dialog.h"
#include "foundation/ui/gui_thread_calls.h"

#include <QApplication>
#include <QLabel>
#include <QThread>

namespace tavrel {

namespace {

void setStatus(QLabel* label, const QString& text, const QColor& background) {
    QPalette palette = label->palette();
    palette.setColor(QPalette::Window, background);
    label->setPalette(palette);
    label->setText(text);
}

} // namespace

void TMainForm::startCalcThread() {
    // The thread's reports run here and the thread waits for them: they must see the window in
    // a consistent state and must not outrun it. A child of the window, so it outlives the
    // thread, which stopCalcThread ends first.
    auto* ui = findChild<GuiThreadCalls*>(QString(), Qt::FindDirectChildrenOnly);
    if (ui == nullptr) {
        ui = new GuiThreadCalls(this);
    }
    CalcCallbacks callbacks;
    callbacks.progress = [this, ui](int done, int count) {
        ui->Run([this, done, count] { showProgress(done, count); });
    };
    callbacks.errors = [this, ui](const std::vector<std::string>& errors) {
        ui->Run([this, &errors] { showErrors(errors); });
    };
    callbacks.handOver = [this, ui](std::shared_ptr<TResult> result, bool valid) {
        ui->Run([this, &result, valid] { handOver(std::move(result), valid); });
    };
    m_calc = std::make_unique<TCalcThread>(false, std::move(callbacks));
}

void TMainForm::stopCalcThread() {
    if (!m_calc) {
        return;
    }
    // The thread may be waiting for this thread to take a report: keep serving the event
    // loop until it has ended, then join it.
    m_calc->RequestTerminate();
    while (!m_calc->Ended()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        if (!m_calc->Ended()) {
            QThread::msleep(1); // processEvents returns at once when nothing is pending
        }
    }
    m_calc->Terminate();
    m_calc.reset();
}

void TMainForm::RequestCalc() {
    clearToleranceSpread();
    m_displayed->Valid = false;
    if (m_calc) {
        m_calc->RequestCalc(*m_project);
    }
}

void TMainForm::RequestFullCalc() {
    clearToleranceSpread();
    m_displayed->Valid = false;
    if (m_calc) {
        m_calc->RequestFullCalc(*m_project);
    }
}

bool TMainForm::CalculationFinished() const {
    return !m_calc || m_calc->Finished();
}

void TMainForm::showProgress(int done, int count) {
    if (count > 0) {
        setStatus(m_status, QString::fromLatin1(ProgressText(done, count).c_str()),
                  QColor(128, 128, 128));
    }
}

TFormRechnen* TMainForm::calcWindow() {
    if (m_calcWindow == nullptr) {
        m_calcWindow = new TFormRechnen(this); // at its first use: most runs have no errors
        if (m_lastErrors) {
            m_calcWindow->ShowErrors(*m_lastErrors);
        }
    }
    return m_calcWindow;
}

void TMainForm::showErrors(const std::vector<std::string>& errors) {
    m_errorCount = static_cast<int>(errors.size());
    m_lastErrors = errors;
    if (m_calcWindow != nullptr || !errors.empty()) {
        calcWindow()->ShowErrors(errors);
    }
    if (errors.empty()) {
        setStatus(m_status, "Calculation successful.", palette().color(QPalette::Button));
    } else {
        setStatus(m_status, "Calculation errors occured. Click here for list", QColor(255, 0, 0));
    }
}

void TMainForm::handOver(std::shared_ptr<TResult> result, bool valid) {
    m_displayed = std::move(result); // drops the previous results, which the thread reuses
    m_displayed->Valid = valid;
    ++m_handOvers;
    updateCharts();
    emit resultsHandedOver();
}

void TMainForm::updateCharts() {
    for (const QString& failure : m_chartTabs->updateCharts(*m_displayed, *m_project)) {
        ShowMessage(this, failure);
    }
}

} // namespace tavrel
