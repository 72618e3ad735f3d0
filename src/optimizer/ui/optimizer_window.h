// TFormWOptimize2: the window "Tavrel - crossover network optimizer". It collects the
// preferences, starts and aborts a run of the optimizer thread, shows the judgements before
// and after, their history and the progress, and at the end asks whether the optimized
// project replaces the current one. Everything it needs from the main window comes through
// OptimizerHost, so it can be tested on its own.
#pragma once

#include "optimizer/judgement_history.h"
#include "optimizer/opti_thread.h"

#include <QWidget>
#include <array>
#include <functional>
#include <memory>

class QButtonGroup;
class QFrame;
class QPlainTextEdit;
class QPushButton;
class QSlider;
class QTimer;

namespace tavrel {

class JudgementChart;
class ProgressStrip;

struct OptimizerHost {
    std::function<bool()> calculationFinished;
    /// The finished main calculation of the current project, to start from (may be null).
    std::function<const TCalcEngine*()> mainCalculation;
    std::function<TProjekt&()> project;
    std::function<void()> setReference;
    /// Parts were marked for optimizing in the current project.
    std::function<void()> partsMarked;
    /// The centre's results, to be shown in the main window's charts.
    std::function<void(const TResult&)> showResults;
    /// A run was started (true), or the window closed after one (false): in between the
    /// project belongs to the optimizer and must not be changed elsewhere.
    std::function<void(bool running)> runningChanged;
    /// The window closes: `result` is the project to take over (the optimized or the initial
    /// one), or null when no run was started.
    std::function<void(const TProjekt* result, bool optimized)> closed;
};

class TFormWOptimize2 : public QWidget {
    Q_OBJECT
public:
    TFormWOptimize2(OptimizerHost host, QWidget* parent = nullptr);
    ~TFormWOptimize2() override;

    /// Asked when a part must be fixed by hand (the part editor); unset keeps the value.
    FixationHandler fixByHand;

    /// Aborts a previous run and forgets its results (the window is opened anew).
    void Reset();
    /// "Start optimization ".
    void StartOptimization();
    /// "Abort optimization": stops the run and waits for the thread.
    void AbortOptimization();
    bool Running() const;
    TOptiSettings Settings() const;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void build();
    QWidget* buildPreferences();
    QWidget* buildResults();
    bool prepareStart();
    void showState(const OptiReport& report);
    void runFinished(OptiOutcome outcome);
    void showRunning(bool running);
    void waitIdle();
    bool askToClose();

    OptimizerHost m_host;
    std::unique_ptr<TOptiThread> m_thread;
    JudgementHistory m_history;
    bool m_started = false; ///< a run was started since the window opened

    std::array<QSlider*, 4> m_sliders{}; ///< bass, treble, minimum impedance, efficiency
    QButtonGroup* m_resistors = nullptr;
    QButtonGroup* m_capacitors = nullptr;
    QPushButton* m_start = nullptr;
    QPushButton* m_abort = nullptr;
    QPlainTextEdit* m_before = nullptr;
    QPlainTextEdit* m_after = nullptr;
    JudgementChart* m_chart = nullptr;
    ProgressStrip* m_strip = nullptr;
    QFrame* m_finished = nullptr;
    QTimer* m_repaint = nullptr;
};

} // namespace tavrel
