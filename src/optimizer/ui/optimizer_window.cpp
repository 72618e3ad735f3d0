// The optimizer window's behaviour: starting, aborting and ending a run, showing its reports,
// and the questions at the start and at the end.
#include "optimizer/ui/optimizer_window.h"

#include "foundation/ui/choice_dialog.h"
#include "foundation/ui/gui_thread_calls.h"
#include "optimizer/opti_checks.h"
#include "optimizer/ui/judgement_chart.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFrame>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>

namespace tavrel {

TFormWOptimize2::TFormWOptimize2(OptimizerHost host, QWidget* parent)
    : QWidget(parent, Qt::Window), m_host(std::move(host)) {
    build();
    m_repaint = new QTimer(this);
    m_repaint->setInterval(100);
    connect(m_repaint, &QTimer::timeout, m_strip, qOverload<>(&QWidget::update));
    // The thread waits while its reports run here: they see the window in a consistent state.
    auto* ui = new GuiThreadCalls(this);
    OptiCallbacks callbacks;
    callbacks.report = [this, ui](const OptiReport& report) {
        ui->Run([this, &report] { showState(report); });
    };
    callbacks.fixByHand = [this, ui](const FixationRequest& request) {
        bool edited = false;
        ui->Run([this, &request, &edited] { edited = fixByHand && fixByHand(request); });
        return edited;
    };
    callbacks.finished = [this, ui](OptiOutcome outcome) {
        ui->Run([this, outcome] { runFinished(outcome); });
    };
    m_thread = std::make_unique<TOptiThread>(std::move(callbacks));
}

TFormWOptimize2::~TFormWOptimize2() {
    // The thread may be waiting for this thread to take a report: serve the event loop until
    // it has ended, then join it.
    m_thread->RequestTerminate();
    while (!m_thread->Ended()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    m_thread->Terminate();
}

bool TFormWOptimize2::Running() const {
    return m_thread->Busy();
}

void TFormWOptimize2::Reset() {
    if (Running()) {
        AbortOptimization();
    }
    m_started = false;
    m_before->clear();
    m_after->clear();
    m_history.Clear();
    m_finished->hide();
    m_chart->update();
}

bool TFormWOptimize2::prepareStart() {
    while (!m_host.calculationFinished()) {
        if (TUniAuswahlDlg::Ask(this, "Caculation must be finished first.", "&Try again|&Abort",
                                1) != 1) {
            return false;
        }
        QCoreApplication::processEvents(QEventLoop::AllEvents, 200);
    }
    if (Running()) {
        ShowMessage(this, "Optimization already running.");
        return false;
    }
    if (TUniAuswahlDlg::Ask(this, "Shall current project saved as reference before optimization?",
                            "&Yes | &No", 2) == 1) {
        m_host.setReference();
    }
    while (CountMarkedParts(m_host.project()) == 0) {
        const int choice =
            TUniAuswahlDlg::Ask(this, "No parts marked for optimization. What to do?",
                                "Mark all resistors| Mark all parts |Mark parts in crossover "
                                "network editor by yourself",
                                2);
        if (choice != 1 && choice != 2) {
            return false;
        }
        MarkParts(m_host.project(), choice == 2);
        m_host.partsMarked();
    }
    const std::string problem = DriverDataProblem(m_host.project());
    if (!problem.empty()) {
        ShowMessage(this, QString::fromLatin1(problem.c_str()));
        return false;
    }
    return true;
}

void TFormWOptimize2::StartOptimization() {
    if (!prepareStart()) {
        return;
    }
    m_before->clear();
    m_after->clear();
    m_history.Clear();
    m_finished->hide();
    if (!m_thread->Start(m_host.project(), Settings(), m_host.mainCalculation())) {
        return;
    }
    m_started = true;
    showRunning(true);
    // The project stays locked until the window closes and its results are taken or refused.
    m_host.runningChanged(true);
}

void TFormWOptimize2::showRunning(bool running) {
    m_start->setVisible(!running);
    m_abort->setVisible(running);
    if (running) {
        m_repaint->start();
    } else {
        m_repaint->stop();
    }
    m_strip->update();
}

void TFormWOptimize2::waitIdle() {
    while (!m_thread->WaitIdle(std::chrono::milliseconds(0))) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 100);
        m_thread->WaitIdle(std::chrono::milliseconds(10));
    }
}

void TFormWOptimize2::AbortOptimization() {
    m_thread->Abort();
    waitIdle();
    showRunning(false);
}

void TFormWOptimize2::showState(const OptiReport& report) {
    const QString text = QString::fromUtf8(JudgementText(report.judgement).c_str());
    m_after->setPlainText(text);
    if (m_before->toPlainText().isEmpty()) {
        m_before->setPlainText(text);
    }
    m_host.showResults(report.result);
    m_history.Append(HistoryRecordOf(report.judgement));
    m_chart->update();
}

void TFormWOptimize2::runFinished(OptiOutcome outcome) {
    if (outcome == OptiOutcome::Finished) {
        m_finished->show();
    } else if (outcome == OptiOutcome::TimedOut) {
        ShowMessage(this, "The optimization was stopped: a calculation did not finish in time.");
    }
    m_start->setVisible(true);
    m_abort->setVisible(false);
    m_repaint->stop();
    m_strip->update();
}

/// The questions before the window may close; false keeps it open.
bool TFormWOptimize2::askToClose() {
    if (Running()) {
        if (TUniAuswahlDlg::Ask(this, "Abort optimization?", "&Yes | &No", 2) != 1) {
            return false;
        }
        AbortOptimization();
    }
    if (!m_started) {
        m_host.closed(nullptr, false);
        return true;
    }
    const int answer =
        TUniAuswahlDlg::Ask(this, "Apply optimization results?", "&Yes | &No | &Abort", 1);
    if (answer != 1 && answer != 2) {
        return false;
    }
    m_started = false;
    m_host.closed(answer == 1 ? &m_thread->Centre() : &m_thread->Initial(), answer == 1);
    return true;
}

void TFormWOptimize2::closeEvent(QCloseEvent* event) {
    if (!askToClose()) {
        event->ignore();
        return;
    }
    showRunning(false);
    m_finished->hide();
    event->accept();
}

} // namespace tavrel
