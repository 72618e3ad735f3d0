// ToleranceWindow: "Tolerance analysis". It takes the tolerances (kept in the settings file),
// the distribution, the number of built copies and the seed, runs the analysis on a copy of
// the project in the background with progress and abort, and shows the pair matching as a
// histogram and as text. The spread itself goes to the main window's response chart through
// ToleranceHost, which also gives the project, so the window can be tested on its own.
#pragma once

#include "tolerance/tolerance_run.h"

#include <QWidget>
#include <array>
#include <functional>
#include <memory>
#include <string>

class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QRadioButton;

namespace tavrel {

class PairHistogram;

struct ToleranceHost {
    std::function<const TProjekt&()> project;
    /// The finished main calculation of the current project, to start from (may be null).
    std::function<const TCalcEngine*()> mainCalculation;
    /// A finished analysis of the project as it still is.
    std::function<void(const ToleranceResult&)> showSpread;
    std::string settingsPath; ///< where the tolerances are kept
};

class ToleranceWindow : public QWidget {
    Q_OBJECT
public:
    explicit ToleranceWindow(ToleranceHost host, QWidget* parent = nullptr);
    ~ToleranceWindow() override;

    /// "Start": checks the fields, keeps them in the settings file and starts the analysis.
    void StartAnalysis();
    /// "Abort": stops the analysis after the current batch.
    void AbortAnalysis();
    /// From Start until the outcome is shown.
    bool Running() const;
    /// The fields as tolerances, or false after saying which one is wrong.
    bool ReadFields(TTolerances& tolerances);
    void ShowFields(const TTolerances& tolerances);

private:
    std::unique_ptr<ToleranceJob> makeJob();
    void build();
    QWidget* buildTolerances();
    QWidget* buildRun();
    void finished();
    void showRunning(bool running);

    ToleranceHost m_host;
    std::unique_ptr<ToleranceJob> m_job;

    std::array<QLineEdit*, TolKindCount> m_percent{};
    QRadioButton* m_uniform = nullptr;
    QRadioButton* m_normal = nullptr;
    QLineEdit* m_runsEdit = nullptr;
    QLineEdit* m_seedEdit = nullptr;
    QPushButton* m_start = nullptr;
    QPushButton* m_abort = nullptr;
    QProgressBar* m_progress = nullptr;
    PairHistogram* m_histogram = nullptr;
    QLabel* m_summary = nullptr;
    bool m_running = false; ///< from Start until the outcome is shown
};

} // namespace tavrel
