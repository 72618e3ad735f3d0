// Time of whole tolerance analyses, from the nominal calculation to the last statistics:
// 1000 builds of Default.TVP and 200 of Bench 8x6.TVP with part tolerances only, 200 of
// Bench 8x6.TVP with driver tolerances too; and the peak memory of 10000 builds of Bench 8x6.
#include "app/project_load.h"
#include "tolerance/tolerance_run.h"

#include <benchmark/benchmark.h>
#include <filesystem>
#include <memory>
#include <string>
#include <sys/resource.h>

namespace tavrel {
namespace {

std::unique_ptr<TProjekt> loadExample(benchmark::State& state, const std::string& name) {
    const std::string path =
        (std::filesystem::path(TAVREL_SOURCE_DIR) / "data" / "examples" / (name + ".plain"))
            .string();
    auto p = std::make_unique<TProjekt>();
    ResetProject(*p);
    const ProjectLoadResult loaded = LoadProjectFile(*p, path, /*coded=*/false);
    if (!loaded.loaded) {
        state.SkipWithError((path + ": " + loaded.message).c_str());
        return nullptr;
    }
    return p;
}

double peakMegabytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0; // kilobytes on Linux
}

void analyse(benchmark::State& state, const std::string& name, int runs, bool drivers) {
    auto p = loadExample(state, name);
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

void Default1000Parts(benchmark::State& state) {
    analyse(state, "Default.TVP", 1000, false);
}
BENCHMARK(Default1000Parts)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

void Bench8x6_200Parts(benchmark::State& state) {
    analyse(state, "Bench 8x6.TVP", 200, false);
}
BENCHMARK(Bench8x6_200Parts)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

void Bench8x6_200PartsAndDrivers(benchmark::State& state) {
    analyse(state, "Bench 8x6.TVP", 200, true);
}
BENCHMARK(Bench8x6_200PartsAndDrivers)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

/// Run last: peak_MB is the whole process's peak, which this analysis sets.
void Bench8x6_10000Memory(benchmark::State& state) {
    analyse(state, "Bench 8x6.TVP", 10000, true);
}
BENCHMARK(Bench8x6_10000Memory)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);

} // namespace
} // namespace tavrel
