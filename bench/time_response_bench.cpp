// Time of every time curve of the largest bundled example (the whole speaker and 8 drivers:
// 9 group delays, impulse and step responses) as the calculation thread computes them after
// the speaker job.
#include "bench_example.h"
#include "engine/calc_engine.h"
#include "engine/time_response.h"

#include <benchmark/benchmark.h>
#include <memory>
#include <string>

namespace tavrel {
namespace {

void TimeCurves8x6(benchmark::State& state) {
    const auto p = LoadBenchExample(state, "Bench 8x6.TVP");
    if (!p) {
        return;
    }
    auto engine = std::make_unique<TCalcEngine>();
    engine->CalculateAll(*p);
    auto result = MakeResult();
    *result = engine->Result();
    int slots = 0;
    for (auto _ : state) {
        RunTimeCurves(engine->Working(), *result);
        benchmark::DoNotOptimize(result->Step[0][TimeSamples - 1]);
    }
    for (bool has : result->HasTime) {
        slots += has ? 1 : 0;
    }
    state.counters["slots"] = slots;
    state.counters["points"] = result->nFreq;
}
// CPU is that of the whole process: the work is shared with a helper thread.
BENCHMARK(TimeCurves8x6)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime()->UseRealTime();

} // namespace
} // namespace tavrel
