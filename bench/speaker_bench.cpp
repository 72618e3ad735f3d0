// Cost of the speaker job and the judgement on the finest grid with eight drivers: together
// with the network job they make up the recalculation after a single part change.
#include "engine/speaker.h"
#include "optimizer/judgement.h"

#include <benchmark/benchmark.h>
#include <cmath>
#include <memory>

namespace tavrel {
namespace {

struct Fixture {
    std::unique_ptr<TProjekt> project = std::make_unique<TProjekt>();
    std::unique_ptr<TResult> result = std::make_unique<TResult>();

    Fixture() {
        project->Option.sz = MaxGridPoints;
        BuildGrid(*project);
        project->nAmps = 4;
        project->nChassis = MaxChassis;
        for (int d = 0; d < MaxChassis; ++d) {
            TSchallwand& sw = project->Schallwand[d];
            sw.hor = 0.01 * d;
            sw.vert = 0.1 * d - 0.3;
            sw.stra = -0.02 * d;
            sw.horr = -sw.hor;
            sw.vertr = sw.vert;
            sw.strar = sw.stra - 0.2;
            project->Chassis[d].xlin = 0.003;
            project->Chassis[d]._PMax = 60;
            project->Chassis[d]._ZNenn = 8;
            project->Chassis[d].Amem = 0.002 * (d + 1);
            project->Chassis[d].fc = 40.0 * (d + 1);
            result->AmpOfChassis[d] = d % project->nAmps;
        }
        result->AmpOfChassis[MaxChassis] = -1;
        fillResponses();
    }

    void fillResponses() {
        for (int i = 0; project->f[i] > 0; ++i) {
            const double f = project->f[i];
            result->Freq[i] = f;
            for (int a = 0; a < MaxAmps; ++a) {
                result->AktFilterH[a][i] = CPolar(1.0, 0.001 * f / (a + 1));
                result->AmpZ[a][i] = {6 + std::sin(f / 300), std::cos(f / 500)};
            }
            for (int d = 0; d < MaxChassis; ++d) {
                for (int n = 0; n < Directions; ++n) {
                    result->BaffleFront[d][i][n] = CPolar(1.0 / (1 + 0.1 * n), 0.01 * n * d);
                    result->BaffleRear[d][i][n] = CPolar(0.5 / (1 + 0.1 * n), -0.01 * n);
                }
                const TComplex p = CPolar(0.5 + 0.1 * d, f / 2000);
                result->PFrontBlend[d][i] = result->PFrontModel[d][i] = p;
                result->PRearBlend[d][i] = result->PRearModel[d][i] = CScale(p, -0.1);
                result->ChassisU[d][i] = CPolar(1.0 / (1 + f / (500.0 * (d + 1))), -0.3 * d);
                result->XFig[d][i] = 0.001 / (1 + f / 100);
            }
        }
    }
};

void BM_SpeakerJob(benchmark::State& state) {
    Fixture fx;
    for (auto _ : state) {
        benchmark::DoNotOptimize(RunSpeakerJob(*fx.project, *fx.result));
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_SpeakerJob)->Unit(benchmark::kMillisecond);

void BM_Judge(benchmark::State& state) {
    Fixture fx;
    RunSpeakerJob(*fx.project, *fx.result);
    TJudgement judgement;
    for (auto _ : state) {
        Judge(*fx.project, *fx.result, judgement);
        benchmark::DoNotOptimize(judgement.J[12]);
    }
}
BENCHMARK(BM_Judge)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace tavrel
