// The baffle's edge sums, Σ a·e^(−j·k·p), with the engine's inline sine and cosine against
// SLEEF's vector sincos, over as many terms as the 8x6 example's first driver has at one
// frequency (20 kHz). Counter `terms`: terms per second.
#include "engine/baffle_sincos.h"

#include <benchmark/benchmark.h>
#include <sleef.h>
#include <vector>

namespace {

using namespace tavrel;

constexpr int Terms = 8872;          // the 8x6 example's first driver, all directions, padded
constexpr double WaveNumber = 365.0; // 20 kHz

struct EdgeTerms {
    std::vector<double> amplitude = std::vector<double>(Terms);
    std::vector<double> path = std::vector<double>(Terms);
    EdgeTerms() {
        for (int j = 0; j < Terms; ++j) {
            amplitude[j] = 0.001 * (j % 17);
            path[j] = 0.3 + 1e-4 * j;
        }
    }
};

benchmark::Counter TermsPerSecond() {
    return benchmark::Counter(Terms, benchmark::Counter::kIsIterationInvariantRate);
}

void BM_EngineSinCos(benchmark::State& state) {
    const EdgeTerms t;
    for (auto _ : state) {
        benchmark::DoNotOptimize(
            baffle_math::PhasorSum(t.amplitude.data(), t.path.data(), Terms, WaveNumber));
    }
    state.counters["terms"] = TermsPerSecond();
}
BENCHMARK(BM_EngineSinCos);

#if defined(__SSE2__)
/// Through SLEEF's dispatcher for two lanes, the width a program built for every x86-64 can
/// call; it picks the processor's best implementation of that width.
template <bool Accurate>
double SleefPhasorSum(const EdgeTerms& t, double k) {
    const __m128d wave = _mm_set1_pd(k);
    __m128d sinSum = _mm_setzero_pd(), cosSum = _mm_setzero_pd();
    for (int j = 0; j < Terms; j += 2) {
        const __m128d x = _mm_mul_pd(wave, _mm_loadu_pd(&t.path[j]));
        const Sleef___m128d_2 sc = Accurate ? Sleef_sincosd2_u10(x) : Sleef_sincosd2_u35(x);
        const __m128d a = _mm_loadu_pd(&t.amplitude[j]);
        sinSum = _mm_add_pd(sinSum, _mm_mul_pd(a, sc.x));
        cosSum = _mm_add_pd(cosSum, _mm_mul_pd(a, sc.y));
    }
    double lanes[2];
    _mm_storeu_pd(lanes, _mm_add_pd(sinSum, cosSum));
    return lanes[0] + lanes[1];
}

template <bool Accurate>
void BM_SleefSinCos(benchmark::State& state) {
    const EdgeTerms t;
    for (auto _ : state) {
        benchmark::DoNotOptimize(SleefPhasorSum<Accurate>(t, WaveNumber));
    }
    state.counters["terms"] = TermsPerSecond();
}
BENCHMARK_TEMPLATE(BM_SleefSinCos, true)->Name("BM_SleefSinCos1Ulp");
BENCHMARK_TEMPLATE(BM_SleefSinCos, false)->Name("BM_SleefSinCos3.5Ulp");
#endif

} // namespace
