// Time of whole tolerance analyses, from the nominal calculation to the last statistics:
// 1000 builds of Default.TVP and 200 of Bench 8x6.TVP with part tolerances only, 200 of
// Bench 8x6.TVP with driver tolerances too; and the peak memory of 10000 builds of Bench 8x6.
#include "bench_example.h"
#include "tolerance/tolerance_run.h"

#include <atomic>
#include <benchmark/benchmark.h>
#include <memory>
#include <string>
#include <sys/resource.h>

namespace tavrel {
namespace {

double peakMegabytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0; // kilobytes on Linux
}

void analyse(benchmark::State& state, const char* name, int runs, bool drivers) {
    auto p = LoadBenchExample(state, name);
    if (!p) {
        return;
    }
    TTolerances t;
    t.runs = runs;
    if (!drivers) {
        for (TolKind kind : {TolKind::Fs, TolKind::Qes, TolKind::Qms, TolKind::Vas, TolKind::Rdc}) {
            t[kind] = 0;
        }
    }
    EnginePool pool(DefaultEngineCount());
    const std::atomic<bool> never{false};
    ToleranceReport report;
    for (auto _ : state) {
        report = RunTolerance(*p, t, pool, false, nullptr, never);
    }
    if (report.outcome != TolOutcome::Finished || report.result.runs != runs) {
        state.SkipWithError("the analysis did not finish");
        return;
    }
    state.counters["engines"] = pool.Count();
    state.counters["pair_p50_dB"] = report.result.pairs.p50;
    state.counters["pair_p95_dB"] = report.result.pairs.p95;
    state.counters["peak_MB"] = peakMegabytes();
}

BENCHMARK_CAPTURE(analyse, Default1000Parts, "Default.TVP", 1000, false)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(3);
BENCHMARK_CAPTURE(analyse, Bench8x6_200Parts, "Bench 8x6.TVP", 200, false)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(3);
BENCHMARK_CAPTURE(analyse, Bench8x6_200PartsAndDrivers, "Bench 8x6.TVP", 200, true)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(3);
// Last: peak_MB is the peak of the whole process, which this analysis sets.
BENCHMARK_CAPTURE(analyse, Bench8x6_10000Memory, "Bench 8x6.TVP", 10000, true)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(1);

} // namespace
} // namespace tavrel
