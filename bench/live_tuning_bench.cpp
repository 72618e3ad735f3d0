// Live tuning as the user feels it: the time from one wheel notch to the main window's charts
// having repainted with the result of the new calculation. Real windows on the offscreen
// platform: the first part of amplifier 1 in the crossover editor (Default.TVP, Bench 8x6.TVP), and
// the box volume and the baffle width of driver 1 of Bench 8x6.TVP in the driver editor, whose
// preview the main window calculates. Each figure is the median of the notches (median_ms).
#include "app/ui/main_window.h"
#include "charts/ui/chart_box.h"
#include "charts/ui/chart_tabs.h"
#include "driver_editor/ui/driver_editor.h"
#include "editor/schematic_layout.h"
#include "editor/ui/crossover_editor.h"
#include "foundation/ui/choice_dialog.h"
#include "optimizer/opti_value.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPointingDevice>
#include <QTabWidget>
#include <QWheelEvent>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <chrono>
#include <filesystem>
#include <memory>
#include <vector>

namespace tavrel {
namespace {

QApplication& application() {
    static int argc = 1;
    static char name[] = "live_tuning_bench";
    static char* argv[] = {name, nullptr};
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QApplication app(argc, argv);
    return app;
}

void wheel(QWidget* widget, QPoint position, int notches) {
    static const auto* mouse = new QPointingDevice(
        "bench mouse", 1, QInputDevice::DeviceType::Mouse, QPointingDevice::PointerType::Generic,
        QInputDevice::Capability::Scroll, 1, 5);
    QWheelEvent event(position, widget->mapToGlobal(position), QPoint(),
                      QPoint(0, QWheelEvent::DefaultDeltasPerStep * notches), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false, Qt::MouseEventNotSynthesized,
                      mouse);
    QApplication::sendEvent(widget, &event);
}

/// Notes the first paint of the watched chart after a hand-over.
class PaintWatch : public QObject {
public:
    bool armed = false;
    bool painted = false;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (armed && event->type() == QEvent::Paint) {
            painted = true; // the paint itself runs right after this filter
        }
        return false;
    }
};

/// The main window on an example project, its first calculation done.
class Session {
public:
    explicit Session(const std::string& example) {
        application();
        TUniAuswahlDlg::SetHandler([](const QString&, const QStringList&, int def) { return def; });
        TSettings settings;
        settings.ProgramDir = m_dir.string();
        m_window = std::make_unique<TMainForm>(settings, QString::fromStdString(m_dir.string()));
        m_window->resize(1100, 760);
        m_window->show();
        const auto path = std::filesystem::path(TAVREL_EXAMPLES_DIR) / example;
        m_window->Start(QString::fromStdString(path.string()));
        waitForHandOver(m_window->HandOvers());
        auto* tab = qobject_cast<ChartTab*>(m_window->Tabs()->widget(0));
        tab->chartBox()->installEventFilter(&m_watch);
        // Only a paint after the new results have reached the charts counts.
        QObject::connect(m_window.get(), &TMainForm::resultsHandedOver, &m_watch,
                         [this] { m_watch.armed = true; });
    }
    ~Session() { m_window->MutableProject().saved = true; }

    TMainForm& window() { return *m_window; }

    /// Milliseconds from sending one wheel notch to `target` until the charts have painted
    /// the new result.
    double notch(QWidget* target, QPoint position, int notches) {
        m_watch.armed = false;
        m_watch.painted = false;
        QElapsedTimer clock;
        clock.start();
        wheel(target, position, notches);
        while (!m_watch.painted) {
            QApplication::processEvents(QEventLoop::AllEvents);
        }
        return static_cast<double>(clock.nsecsElapsed()) / 1e6;
    }

private:
    void waitForHandOver(int before) {
        while (m_window->HandOvers() <= before || !m_window->CalculationFinished()) {
            QApplication::processEvents(QEventLoop::AllEvents, 5);
        }
        QApplication::processEvents(QEventLoop::AllEvents, 50);
    }

    std::filesystem::path m_dir = std::filesystem::temp_directory_path();
    std::unique_ptr<TMainForm> m_window;
    PaintWatch m_watch;
};

/// Times notches up and down alternately, so the value stays near where it started.
void timeNotches(benchmark::State& state, Session& session, QWidget* target, QPoint position) {
    std::vector<double> times;
    int direction = 1;
    for (auto _ : state) {
        const double ms = session.notch(target, position, direction);
        direction = -direction;
        times.push_back(ms);
        state.SetIterationTime(ms / 1000);
    }
    std::sort(times.begin(), times.end());
    state.counters["median_ms"] = times[times.size() / 2];
    state.counters["max_ms"] = times.back();
}

void crossoverPart(benchmark::State& state, const std::string& example) {
    Session session(example);
    session.window().EditNetwork(1);
    TFormWeicheneditor* editor = session.window().NetworkEditor();
    const TWeiche& weiche = session.window().Project().Amps[0].Weiche;
    const auto part = std::find_if(weiche.begin(), weiche.end(), IsTunable);
    const int slot = static_cast<int>(part - weiche.begin());
    if (slot >= WeicheGridSlots) {
        state.SkipWithError("amplifier 1 has no part to tune");
        return;
    }
    const PixelRect rect = *SlotRect(MetricsForSize(2), slot);
    const QPoint centre((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
    timeNotches(state, session, editor->findChild<QWidget*>("PaintBox1"), centre);
}

void driverField(benchmark::State& state, int page, const char* field) {
    Session session("Bench 8x6.TVP");
    session.window().EditDriver(0, page);
    auto* edit = session.window().DriverEditorWindow()->findChild<QLineEdit*>(field);
    timeNotches(state, session, edit, QPoint(5, 5));
}

void BM_CrossoverPartDefault(benchmark::State& state) {
    crossoverPart(state, "Default.TVP");
}
void BM_CrossoverPartBench8x6(benchmark::State& state) {
    crossoverPart(state, "Bench 8x6.TVP");
}
void BM_BoxVolumeBench8x6(benchmark::State& state) {
    driverField(state, 1, "EditVb");
}
void BM_BaffleDimensionBench8x6(benchmark::State& state) {
    driverField(state, 2, "Editb"); // baffle width
}

BENCHMARK(BM_CrossoverPartDefault)->UseManualTime()->Iterations(41)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CrossoverPartBench8x6)->UseManualTime()->Iterations(41)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BoxVolumeBench8x6)->UseManualTime()->Iterations(41)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BaffleDimensionBench8x6)
    ->UseManualTime()
    ->Iterations(41)
    ->Unit(benchmark::kMillisecond);

} // namespace
} // namespace tavrel
