// Time of whole optimizer runs, start to end: Default.TVP with every part marked, resistors
// and capacitors fixed from E12 and inductances kept as optimized; Bench 8x6.TVP with every
// resistor marked. And the time of one trial evaluation, which recomputes only the network of
// the changed part, the driver check, the speaker sums and the judgement.
#include "app/project_load.h"
#include "optimizer/engine_pool.h"
#include "optimizer/opti_checks.h"
#include "optimizer/opti_thread.h"

#include <benchmark/benchmark.h>
#include <filesystem>
#include <memory>
#include <string>

namespace tavrel {
namespace {

std::unique_ptr<TProjekt> loadExample(benchmark::State& state, const std::string& name) {
    const std::string path =
        (std::filesystem::path(TAVREL_SOURCE_DIR) / "data" / "examples" / (name + ".plain"))
            .string();
    auto p = std::make_unique<TProjekt>();
    ResetProject(*p);
    const ProjectLoadResult loaded = LoadProjectFile(*p, path);
    if (!loaded.loaded) {
        state.SkipWithError((path + ": " + loaded.message).c_str());
        return nullptr;
    }
    return p;
}

void runOptimization(benchmark::State& state, const std::string& name, bool allParts) {
    auto p = loadExample(state, name);
    if (!p) {
        return;
    }
    MarkParts(*p, allParts);
    double before = 0, after = 0;
    int iterations = 0;
    OptiCallbacks callbacks;
    callbacks.report = [&](const OptiReport& r) {
        (r.iteration == 0 ? before : after) = r.judgement.J[12];
        iterations = r.iteration;
    };
    callbacks.fixByHand = [](const FixationRequest&) { return true; }; // keeps the inductance
    TOptiThread thread(callbacks);
    TOptiSettings settings;
    settings.resistors = settings.capacitors = PartChoice::E12;
    for (auto _ : state) {
        thread.Start(*p, settings);
        thread.WaitIdle(std::chrono::hours(1));
    }
    if (thread.Outcome() != OptiOutcome::Finished) {
        state.SkipWithError("the run did not finish");
    }
    state.counters["iterations"] = iterations;
    state.counters["before"] = before;
    state.counters["after"] = after;
}

void OptimizeDefaultAllParts(benchmark::State& state) {
    runOptimization(state, "Default.TVP", true);
}
BENCHMARK(OptimizeDefaultAllParts)->Unit(benchmark::kMillisecond)->UseRealTime();

void Optimize8x6Resistors(benchmark::State& state) {
    runOptimization(state, "Bench 8x6.TVP", false);
}
BENCHMARK(Optimize8x6Resistors)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);

/// Two trials in parallel, each moving the first marked value of the project up or down.
void trialEvaluation(benchmark::State& state, const std::string& name) {
    auto p = loadExample(state, name);
    if (!p) {
        return;
    }
    MarkParts(*p, true);
    const OptiValues values = CollectOptiValues(*p);
    EnginePool pool;
    pool.Prepare(TJudgeInputs{}, nullptr);
    if (values.empty() || !pool.StartAll(*p)) {
        state.SkipWithError("no part to move or no first evaluation");
        return;
    }
    auto plus = std::make_unique<TProjekt>(*p);
    auto minus = std::make_unique<TProjekt>(*p);
    const double v = OptiValueOf(*p, values[0]);
    int turn = 0;
    for (auto _ : state) {
        const double factor = ++turn % 2 == 0 ? 1.01 : 1.02; // every trial sees a real change
        SetOptiValue(*plus, values[0], v * factor);
        SetOptiValue(*minus, values[0], v / factor);
        pool.EvaluateTrials(plus.get(), minus.get());
    }
}

void TrialPairDefault(benchmark::State& state) {
    trialEvaluation(state, "Default.TVP");
}
BENCHMARK(TrialPairDefault)->Unit(benchmark::kMicrosecond)->UseRealTime();

void TrialPair8x6(benchmark::State& state) {
    trialEvaluation(state, "Bench 8x6.TVP");
}
BENCHMARK(TrialPair8x6)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
} // namespace tavrel
