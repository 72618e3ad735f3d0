// Time of a whole calculation of the largest bundled example (8 drivers, 6 amplifiers) on the
// finest grid, and of the pass that follows a change of one capacitor: the network job of its
// amplifier, the driver check, the speaker job and the judgement.
#include "bench_example.h"
#include "engine/calc_engine.h"

#include <array>
#include <benchmark/benchmark.h>
#include <chrono>
#include <memory>
#include <string>

namespace tavrel {
namespace {

/// The example on `points` grid points (599, as stored, unless a benchmark asks for fewer).
std::unique_ptr<TProjekt> loadBenchProject(benchmark::State& state, int points = MaxGridPoints) {
    auto p = LoadBenchExample(state, "Bench 8x6.TVP");
    if (p) {
        p->Option.sz = points;
        BuildGrid(*p);
    }
    return p;
}

bool reportErrors(benchmark::State& state, const TCalcEngine& engine, const TProjekt& p) {
    const std::vector<std::string> errors = CollectErrors(engine.Status(), p);
    if (!errors.empty()) {
        state.SkipWithError(errors.front().c_str());
    }
    return errors.empty();
}

/// The first capacitor of amplifier a's network.
TWeichePart* firstCapacitor(TProjekt& p, int a) {
    for (TWeichePart& part : p.Amps[a].Weiche) {
        if (part.typ == PartCapacitor) {
            return &part;
        }
    }
    return nullptr;
}

void FullCalculation8x6(benchmark::State& state) {
    auto p = loadBenchProject(state, static_cast<int>(state.range(0)));
    if (!p) {
        return;
    }
    auto engine = std::make_unique<TCalcEngine>();
    for (auto _ : state) {
        engine->CalculateAll(*p);
        benchmark::DoNotOptimize(engine->Result().SpeakerDir[0][0]);
    }
    reportErrors(state, *engine, *p);
    state.counters["jobs"] = engine->JobCount();
}
BENCHMARK(FullCalculation8x6)
    ->ArgName("points")
    ->Arg(MaxGridPoints)
    ->Arg(250)
    ->Unit(benchmark::kMillisecond);

/// The full calculation again, with the time of each kind of job as counters (seconds per
/// pass). Jobs run in a fixed order: check, baffles, active filters, drivers, networks, speaker.
void FullCalculationByJob8x6(benchmark::State& state) {
    auto p = loadBenchProject(state);
    if (!p) {
        return;
    }
    const int nDrivers = p->nChassis, nAmps = p->nAmps;
    const std::array<int, 6> kindEnds{1,
                                      1 + nDrivers,
                                      1 + nDrivers + nAmps,
                                      1 + 2 * nDrivers + nAmps,
                                      1 + 2 * nDrivers + 2 * nAmps,
                                      2 + 2 * nDrivers + 2 * nAmps};
    const std::array<const char*, 7> kindNames{"check",   "baffle",  "aktfilter", "driver",
                                               "network", "speaker", "finish"};
    std::array<double, 7> seconds{};
    auto engine = std::make_unique<TCalcEngine>();
    using Clock = std::chrono::steady_clock;
    for (auto _ : state) {
        engine->MarkAll();
        engine->Accept(*p);
        for (int job = 0;; ++job) {
            const Clock::time_point start = Clock::now();
            const bool ran = engine->RunNextJob();
            const std::chrono::duration<double> took = Clock::now() - start;
            if (!ran) {
                break;
            }
            int kind = 0;
            while (kind < 6 && job >= kindEnds[static_cast<std::size_t>(kind)]) {
                ++kind;
            }
            seconds[static_cast<std::size_t>(kind)] += took.count();
        }
        const Clock::time_point start = Clock::now();
        engine->FinishPass();
        seconds[6] += std::chrono::duration<double>(Clock::now() - start).count();
    }
    reportErrors(state, *engine, *p);
    for (std::size_t kind = 0; kind < kindNames.size(); ++kind) {
        state.counters[kindNames[kind]] =
            benchmark::Counter(seconds[kind], benchmark::Counter::kAvgIterations);
    }
}
BENCHMARK(FullCalculationByJob8x6)->Unit(benchmark::kMillisecond);

/// With `handedOver` set, each pass runs as the calculation thread runs it for the window: its
/// results are shared at the end instead of copied, and once the window has let go of the ones
/// before, the thread brings the other buffer up to date with what the pass changed while it
/// waits for the next request (timed apart: counter prepare_ms).
void CapacitorChange8x6(benchmark::State& state) {
    const bool handedOver = state.range(0) != 0;
    auto p = loadBenchProject(state);
    if (!p) {
        return;
    }
    auto engine = std::make_unique<TCalcEngine>();
    engine->CalculateAll(*p);
    if (!reportErrors(state, *engine, *p)) {
        return;
    }
    TWeichePart* capacitor = firstCapacitor(*p, 3); // the lower mid's low-pass capacitor
    if (capacitor == nullptr) {
        state.SkipWithError("no capacitor in the network of amplifier 4");
        return;
    }
    const double values[2] = {capacitor->value, capacitor->value * 1.2};
    int turn = 0;
    std::shared_ptr<TResult> shown;
    double prepareSeconds = 0;
    for (auto _ : state) {
        capacitor->value = values[++turn % 2]; // every pass sees a real change
        engine->Accept(*p);
        while (engine->RunNextJob()) {
        }
        engine->FinishPass();
        benchmark::DoNotOptimize(engine->Judgement().J[12]);
        if (handedOver) {
            shown = engine->ShareResult(); // the window takes these, drops the ones before
            state.PauseTiming();
            const auto start = std::chrono::steady_clock::now();
            engine->PrepareNextPass();
            prepareSeconds +=
                std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
            state.ResumeTiming();
        }
    }
    reportErrors(state, *engine, *p);
    state.counters["jobs"] = engine->JobCount();
    state.counters["prepare_ms"] =
        benchmark::Counter(1000 * prepareSeconds, benchmark::Counter::kAvgIterations);
}
BENCHMARK(CapacitorChange8x6)->ArgName("handedOver")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace tavrel
