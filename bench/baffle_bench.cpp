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
BENCHMARK(BM_CalcBaffle)->Arg(126)->Arg(599)->Unit(benchmark::kMillisecond);

void BM_BaffleJob(benchmark::State& state) {
    const auto project = MakeProject(599);
    auto result = MakeResult();
    for (auto _ : state) {
        benchmark::DoNotOptimize(RunBaffleJob(*project, 0, *result));
    }
}
BENCHMARK(BM_BaffleJob)->Unit(benchmark::kMillisecond);

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
BENCHMARK(BM_TestEnclosure)->Unit(benchmark::kMillisecond);

} // namespace
