// Live tuning as the user feels it: the time from one wheel notch to the main window's charts
// having repainted with the result of the new calculation. Real windows on the offscreen
// platform: the first part of amplifier 1 in the crossover editor (Default.TVP, Bench 8x6.TVP), and
// the box volume and the baffle width of driver 1 of Bench 8x6.TVP in the driver editor, whose
// preview the main window calculates. Each figure is the median of the notches (median_ms).
// Two runs measure memory: the 8x6 example with every non-modal window open (resident_mb),
// and 10 000 notches over the 8x6 example's part (what they add to the resident memory,
// growth_mb). A notch or calculation that takes over 20 s ends the run.
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
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <unistd.h>
#include <utility>
#include <vector>

namespace tavrel {
namespace {

/// How long a notch or a calculation may take before the run is given up.
constexpr int TimeLimitMs = 20000;

QApplication& application() {
    static QApplication* app = [] {
        static int argc = 1;
        static char name[] = "live_tuning_bench";
        static char* argv[] = {name, nullptr};
        qputenv("QT_QPA_PLATFORM", "offscreen");
        auto* made = new QApplication(argc, argv);
        // Qt lists input devices, its own and ours, in a global that exit destroys before a
        // static application; this handler, registered after that global exists, deletes the
        // application and its devices first.
        QPointingDevice::primaryPointingDevice();
        std::atexit([] { delete qApp; });
        return made;
    }();
    return *app;
}

void wheel(QWidget* widget, QPoint position, int notches) {
    static const auto* mouse = new QPointingDevice(
        "bench mouse", 1, QInputDevice::DeviceType::Mouse, QPointingDevice::PointerType::Generic,
        QInputDevice::Capability::Scroll, 1, 5, QString(), QPointingDeviceUniqueId(), qApp);
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
        m_ready = waitForHandOver(m_window->HandOvers());
        auto* tab = qobject_cast<ChartTab*>(m_window->Tabs()->widget(0));
        tab->chartBox()->installEventFilter(&m_watch);
        // Only a paint after the new results have reached the charts counts.
        QObject::connect(m_window.get(), &TMainForm::resultsHandedOver, &m_watch,
                         [this] { m_watch.armed = true; });
    }
    ~Session() { m_window->MutableProject().saved = true; }

    TMainForm& window() { return *m_window; }

    /// Milliseconds from sending one wheel notch to `target` until the charts have painted
    /// the new result; nothing when they have not within the time limit.
    std::optional<double> notch(QWidget* target, QPoint position, int notches) {
        m_watch.armed = false;
        m_watch.painted = false;
        QElapsedTimer clock;
        clock.start();
        wheel(target, position, notches);
        while (!m_watch.painted) {
            if (clock.elapsed() > TimeLimitMs) {
                return std::nullopt;
            }
            QApplication::processEvents(QEventLoop::AllEvents);
        }
        return static_cast<double>(clock.nsecsElapsed()) / 1e6;
    }

    /// False when the first calculation has not finished within the time limit.
    bool ready() const { return m_ready; }

private:
    bool waitForHandOver(int before) {
        QElapsedTimer clock;
        clock.start();
        while (m_window->HandOvers() <= before || !m_window->CalculationFinished()) {
            if (clock.elapsed() > TimeLimitMs) {
                return false;
            }
            QApplication::processEvents(QEventLoop::AllEvents, 5);
        }
        QApplication::processEvents(QEventLoop::AllEvents, 50);
        return true;
    }

    std::filesystem::path m_dir = std::filesystem::temp_directory_path();
    std::unique_ptr<TMainForm> m_window;
    PaintWatch m_watch;
    bool m_ready = false;
};

/// Times notches up and down alternately, so the value stays near where it started.
void timeNotches(benchmark::State& state, Session& session, QWidget* target, QPoint position) {
    std::vector<double> times;
    int direction = 1;
    for (auto _ : state) {
        const std::optional<double> ms = session.notch(target, position, direction);
        if (!ms) {
            state.SkipWithError("the charts did not repaint within the time limit");
            return;
        }
        direction = -direction;
        times.push_back(*ms);
        state.SetIterationTime(*ms / 1000);
    }
    std::sort(times.begin(), times.end());
    state.counters["median_ms"] = times[times.size() / 2];
    state.counters["max_ms"] = times.back();
}

/// The crossover editor on amplifier 1's first tunable part: the widget and the point to wheel
/// over; nothing when the project has no such part.
std::optional<std::pair<QWidget*, QPoint>> firstTunablePart(Session& session) {
    session.window().EditNetwork(1);
    TFormWeicheneditor* editor = session.window().NetworkEditor();
    const TWeiche& weiche = session.window().Project().Amps[0].Weiche;
    const auto part = std::find_if(weiche.begin(), weiche.end(), IsTunable);
    const int slot = static_cast<int>(part - weiche.begin());
    if (slot >= WeicheGridSlots) {
        return std::nullopt;
    }
    const PixelRect rect = *SlotRect(MetricsForSize(2), slot);
    const QPoint centre((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
    return std::make_pair(editor->findChild<QWidget*>("PaintBox1"), centre);
}

void crossoverPart(benchmark::State& state, const std::string& example) {
    Session session(example);
    const auto target = firstTunablePart(session);
    if (!session.ready() || !target) {
        state.SkipWithError("no first calculation, or amplifier 1 has no part to tune");
        return;
    }
    timeNotches(state, session, target->first, target->second);
}

void driverField(benchmark::State& state, int page, const char* field) {
    Session session("Bench 8x6.TVP");
    if (!session.ready()) {
        state.SkipWithError("the first calculation did not finish");
        return;
    }
    session.window().EditDriver(0, page);
    auto* edit = session.window().DriverEditorWindow()->findChild<QLineEdit*>(field);
    timeNotches(state, session, edit, QPoint(5, 5));
}

/// Resident memory of this process in MB.
double residentMegabytes() {
    std::ifstream statm("/proc/self/statm");
    long pages = 0, resident = 0;
    statm >> pages >> resident;
    return static_cast<double>(resident) * static_cast<double>(sysconf(_SC_PAGESIZE)) / 1e6;
}

/// 10 000 notches over a part of the 8×6 example: what they add to the resident memory
/// (after a warm-up of 100, which fills the caches and the undo stack).
void BM_MemoryOfTenThousandNotchesBench8x6(benchmark::State& state) {
    Session session("Bench 8x6.TVP");
    const auto target = firstTunablePart(session);
    if (!session.ready() || !target) {
        state.SkipWithError("no first calculation, or amplifier 1 has no part to tune");
        return;
    }
    const auto notches = [&](int count) {
        for (int i = 0; i < count; ++i) {
            if (!session.notch(target->first, target->second, i % 2 == 0 ? 1 : -1)) {
                return false;
            }
        }
        return true;
    };
    for (auto _ : state) {
        if (!notches(100)) {
            state.SkipWithError("the charts did not repaint within the time limit");
            return;
        }
        const double before = residentMegabytes();
        if (!notches(10000)) {
            state.SkipWithError("the charts did not repaint within the time limit");
            return;
        }
        state.counters["resident_mb"] = residentMegabytes();
        state.counters["growth_mb"] = residentMegabytes() - before;
    }
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

/// The 8×6 example with every non-modal window open: resident memory of the whole program.
void BM_MemoryWithAllWindowsBench8x6(benchmark::State& state) {
    for (auto _ : state) {
        Session session("Bench 8x6.TVP");
        if (!session.ready()) {
            state.SkipWithError("the first calculation did not finish");
            return;
        }
        TMainForm& window = session.window();
        window.EditNetwork(1);
        window.EditDriver(0);
        window.ShowCalculator(0);
        window.ShowTuningPanel();
        window.OpenOptimizer();
        window.OpenToleranceAnalysis();
        QApplication::processEvents(QEventLoop::AllEvents, 200);
        state.counters["resident_mb"] = residentMegabytes();
    }
}

BENCHMARK(BM_CrossoverPartDefault)->UseManualTime()->Iterations(41)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CrossoverPartBench8x6)->UseManualTime()->Iterations(41)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BoxVolumeBench8x6)->UseManualTime()->Iterations(41)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BaffleDimensionBench8x6)
    ->UseManualTime()
    ->Iterations(41)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MemoryWithAllWindowsBench8x6)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MemoryOfTenThousandNotchesBench8x6)->Iterations(1)->Unit(benchmark::kSecond);

} // namespace
} // namespace tavrel
