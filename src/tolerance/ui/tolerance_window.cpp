#include "tolerance/ui/tolerance_window.h"

#include "foundation/number_text.h"
#include "foundation/ui/choice_dialog.h"
#include "foundation/ui/gui_thread_calls.h"
#include "foundation/ui/store_text.h"
#include "tolerance/tolerance_text.h"
#include "tolerance/ui/pair_histogram.h"

#include <QCoreApplication>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <cmath>

namespace tavrel {

namespace {

/// The whole text of `edit` as a number.
bool numberIn(const QLineEdit* edit, double& value) {
    const std::string text = ToStoreText(edit->text().trimmed());
    const ParsedFloat parsed = ParseFloat(text);
    value = static_cast<double>(parsed.value);
    return !text.empty() && parsed.consumed == static_cast<int>(text.size());
}

QLineEdit* numberEdit(const QString& name, QWidget* parent) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(name);
    edit->setMaximumWidth(80);
    return edit;
}

} // namespace

ToleranceWindow::ToleranceWindow(ToleranceHost host, QWidget* parent)
    : QWidget(parent, Qt::Window), m_host(std::move(host)), m_job(makeJob()) {
    setObjectName("ToleranceWindow");
    setWindowTitle("Tolerance analysis");
    // Its picture shows the main window's response chart beside it, where the spread is drawn.
    setProperty("pictureBesideMain", true);
    build();
    TMyIniFile store(m_host.settingsPath, false, false, true);
    ShowFields(ReadTolerances(store));
}

std::unique_ptr<ToleranceJob> ToleranceWindow::makeJob() {
    // The job's thread waits while its reports run here, so they see the window as it is.
    auto* ui = new GuiThreadCalls(this);
    ToleranceJobCalls calls;
    calls.progress = [this, ui](int done) {
        ui->Run([this, done] { m_progress->setValue(done); });
    };
    calls.finished = [this, ui] { ui->Run([this] { finished(); }); };
    return std::make_unique<ToleranceJob>(std::move(calls));
}

ToleranceWindow::~ToleranceWindow() {
    // The job may be waiting for this thread to take a report: serve the event loop until it
    // has made its last call.
    m_job->Abort();
    while (m_job->Reporting()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
}

void ToleranceWindow::build() {
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(buildTolerances());
    layout->addWidget(buildRun());
}

QWidget* ToleranceWindow::buildTolerances() {
    auto* box = new QGroupBox("Tolerances (±%)", this);
    auto* grid = new QGridLayout(box);
    for (int k = 0; k < TolKindCount; ++k) {
        const auto kind = static_cast<TolKind>(k);
        grid->addWidget(new QLabel(FromStoreText(TolKindCaption(kind)), box), k, 0);
        m_percent[k] = numberEdit("EditTol_" + FromStoreText(TolKindName(kind)), box);
        grid->addWidget(m_percent[k], k, 1);
    }
    m_uniform = new QRadioButton("uniform within ±tolerance", box);
    m_uniform->setObjectName("RadioUniform");
    m_normal = new QRadioButton("normal, σ = tolerance / 2, cut at ±tolerance", box);
    m_normal->setObjectName("RadioNormal");
    grid->addWidget(m_uniform, TolKindCount, 0, 1, 2);
    grid->addWidget(m_normal, TolKindCount + 1, 0, 1, 2);
    return box;
}

QWidget* ToleranceWindow::buildRun() {
    auto* column = new QWidget(this);
    auto* layout = new QVBoxLayout(column);
    auto* fields = new QGridLayout;
    m_runsEdit = numberEdit("EditRuns", column);
    m_seedEdit = numberEdit("EditSeed", column);
    fields->addWidget(new QLabel("Runs (built copies)", column), 0, 0);
    fields->addWidget(m_runsEdit, 0, 1);
    fields->addWidget(new QLabel("Seed", column), 1, 0);
    fields->addWidget(m_seedEdit, 1, 1);
    layout->addLayout(fields);
    auto* buttons = new QHBoxLayout;
    m_start = new QPushButton("Start", column);
    m_start->setObjectName("BtnStart");
    m_abort = new QPushButton("Abort", column);
    m_abort->setObjectName("BtnAbort");
    m_abort->setEnabled(false);
    buttons->addWidget(m_start);
    buttons->addWidget(m_abort);
    layout->addLayout(buttons);
    m_progress = new QProgressBar(column);
    m_progress->setObjectName("ProgressTolerance");
    layout->addWidget(m_progress);
    m_histogram = new PairHistogram(column);
    layout->addWidget(m_histogram, 1);
    m_summary = new QLabel(column);
    m_summary->setObjectName("LabelSummary");
    m_summary->setWordWrap(true);
    m_summary->setMinimumWidth(300);
    layout->addWidget(m_summary);
    connect(m_start, &QPushButton::clicked, this, &ToleranceWindow::StartAnalysis);
    connect(m_abort, &QPushButton::clicked, this, &ToleranceWindow::AbortAnalysis);
    return column;
}

void ToleranceWindow::ShowFields(const TTolerances& t) {
    for (int k = 0; k < TolKindCount; ++k) {
        m_percent[k]->setText(FromStoreText(FloatToWidth(8, t.percent[k])));
    }
    (t.normal ? m_normal : m_uniform)->setChecked(true);
    m_runsEdit->setText(QString::number(t.runs));
    m_seedEdit->setText(QString::number(t.seed));
}

bool ToleranceWindow::ReadFields(TTolerances& t) {
    for (int k = 0; k < TolKindCount; ++k) {
        const QString caption = FromStoreText(TolKindCaption(static_cast<TolKind>(k)));
        double value = 0;
        if (!numberIn(m_percent[k], value) || !CheckTolerancePercent(value).empty()) {
            ShowMessage(this, caption + ": a tolerance lies between 0 and 100 %.");
            return false;
        }
        t.percent[k] = value;
    }
    double runs = 0, seed = 0;
    if (!numberIn(m_runsEdit, runs) || runs != std::floor(runs) || runs < MinTolRuns ||
        runs > MaxTolRuns) {
        ShowMessage(this,
                    QString("Runs: a whole number from %1 to %2.").arg(MinTolRuns).arg(MaxTolRuns));
        return false;
    }
    if (!numberIn(m_seedEdit, seed) || seed != std::floor(seed) || seed < 0 || seed > 2147483647) {
        ShowMessage(this, "Seed: a whole number from 0 to 2147483647.");
        return false;
    }
    t.normal = m_normal->isChecked();
    t.runs = static_cast<int>(runs);
    t.seed = static_cast<std::uint64_t>(seed);
    return true;
}

void ToleranceWindow::StartAnalysis() {
    TTolerances t;
    if (m_job->Busy() || !ReadFields(t)) {
        return;
    }
    TMyIniFile store(m_host.settingsPath, false, true, true);
    WriteTolerances(store, t);
    if (const StoreCloseResult saved = store.Close(); !saved.ok) {
        ShowMessage(this, FromStoreText("The settings could not be saved:\n" + saved.error));
    }
    m_job->Start(m_host.project(), t, m_host.mainCalculation());
    m_histogram->SetDifferences({});
    m_summary->setText("Analysis running ...");
    m_progress->setRange(0, t.runs);
    m_progress->setValue(0);
    showRunning(true);
    m_running = true;
}

void ToleranceWindow::AbortAnalysis() {
    m_job->Abort();
}

bool ToleranceWindow::Running() const {
    return m_running;
}

void ToleranceWindow::finished() {
    m_running = false;
    m_progress->setValue(m_job->Done());
    showRunning(false);
    const ToleranceReport& report = m_job->Report();
    switch (report.outcome) {
    case TolOutcome::Aborted:
        m_summary->setText("Analysis aborted.");
        return;
    case TolOutcome::TimedOut:
        m_summary->setText("A calculation did not finish in time.");
        return;
    case TolOutcome::NominalFailed:
        m_summary->setText("The project does not calculate: see the error list of the status bar.");
        return;
    case TolOutcome::Finished:
        break;
    }
    const ToleranceResult& r = report.result;
    m_histogram->SetDifferences(r.pairDifferences);
    m_summary->setText(
        FromStoreText(PairSummaryText(r) + "\n" + JudgementSpreadText(r) + "\n" + RunCountText(r)));
    // A spread of a project that has changed meanwhile would be shown around the wrong curves.
    if (m_host.project() == m_job->Project()) {
        m_host.showSpread(r);
    }
}

void ToleranceWindow::showRunning(bool running) {
    m_start->setEnabled(!running);
    m_abort->setEnabled(running);
}

} // namespace tavrel
