// Time of the baffle job per driver on the finest grid, the engine's largest single cost.
#include "engine/baffle.h"

#include <benchmark/benchmark.h>
#include <memory>

namespace {

using namespace tavrel;

std::unique_ptr<TProjekt> MakeProject(int points) {
    auto project = std::make_unique<TProjekt>();
    project->Option.sz = points;
    BuildGrid(*project);
    TSchallwand& s = project->Schallwand[0];
    s.a = 0.7;
    s.b = 0.22;
    s.c = 0.11;
    s.h = 1.0;
    s.d = 0.13;
    s.e = s.f = s.g = s.i = 0.015;
    return project;
}

void BM_CalcBaffle(benchmark::State& state) {
    const auto project = MakeProject(static_cast<int>(state.range(0)));
    auto R = std::make_unique<Directional>();
    std::string message;
    for (auto _ : state) {
        CalcBaffle(*R, project->Schallwand[0], project->f, 0.0, message);
        benchmark::DoNotOptimize(R->data());
    }
}
BENCHMARK(BM_CalcBaffle)->Arg(126)->Arg(599)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_BaffleJob(benchmark::State& state) {
    const auto project = MakeProject(599);
    auto result = MakeResult();
    for (auto _ : state) {
        benchmark::DoNotOptimize(RunBaffleJob(*project, 0, *result));
    }
}
BENCHMARK(BM_BaffleJob)->Unit(benchmark::kMillisecond)->UseRealTime();

/// All baffle jobs of a project with eight drivers, as a full calculation runs them.
void BM_EightBaffleJobs(benchmark::State& state) {
    auto project = MakeProject(599);
    for (int d = 1; d < MaxChassis; ++d) {
        project->Schallwand[d] = project->Schallwand[0];
        project->Schallwand[d].a -= 0.08 * d;
        project->Schallwand[d].d = 0.02 + 0.02 * d;
    }
    auto result = MakeResult();
    for (auto _ : state) {
        for (int d = 0; d < MaxChassis; ++d) {
            if (RunBaffleJob(*project, d, *result) != "Ok") {
                state.SkipWithError("baffle job failed");
            }
        }
    }
}
BENCHMARK(BM_EightBaffleJobs)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_TestEnclosure(benchmark::State& state) {
    const auto project = MakeProject(599);
    TSchallwand s = project->Schallwand[0];
    SetMeasurementBaffle(s, 3);
    auto R = std::make_unique<Directional>();
    std::string message;
    for (auto _ : state) {
        CalcBaffle(*R, s, project->f, 0.0, message);
        benchmark::DoNotOptimize(R->data());
    }
}
BENCHMARK(BM_TestEnclosure)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
