// Reading and thinning the largest measurement file the import takes: 66000 lines of
// frequency, level and phase, reduced to 599 points.
#include "driver_editor/measurement_import.h"

#include <benchmark/benchmark.h>
#include <cmath>
#include <cstdio>
#include <sstream>
#include <string>

namespace {

using namespace tavrel;

std::string largestFile(bool evenlySpaced) {
    std::string text = "* Freq(Hz) SPL(dB) Phase(degrees)\n";
    char line[96];
    for (int i = 0; i < MaxMeasurementLines; ++i) {
        const double f = evenlySpaced ? 1.0 + 0.3 * i : 10.0 * std::pow(2000.0, i / 65999.0);
        std::snprintf(line, sizeof line, "%.6f\t%.3f\t%.2f\n", f, 80.0 + std::sin(i * 0.01),
                      std::fmod(i * 7.0, 360.0) - 180.0);
        text += line;
    }
    return text;
}

void BM_ReadAndThin(benchmark::State& state) {
    const std::string text = largestFile(state.range(0) != 0);
    for (auto _ : state) {
        std::istringstream in(text);
        MeasurementPoints points = ReadMeasurementPoints(in);
        ThinOut(points, 599);
        benchmark::DoNotOptimize(points.f.data());
    }
}
BENCHMARK(BM_ReadAndThin)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

} // namespace
