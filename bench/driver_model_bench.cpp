// Time of one driver model run over the largest calculation grid, per enclosure type.
#include "engine/driver_model.h"

#include <benchmark/benchmark.h>
#include <cmath>
#include <memory>

namespace {

using namespace tavrel;

TChassis woofer() {
    TChassis c;
    c.fs = 37.8;
    c.Qes = 0.5065;
    c.Qms = 10.648;
    c.Vas = 0.01523;
    c.Re = 7.22;
    c.Le = 0.9e-3;
    c.Re2 = 8;
    c.Le2 = 0.5e-3;
    c.Re3 = 20;
    c.Le3 = 0.1e-3;
    c.Amem = 346.36e-4;
    c.xlin = 19.7e-3;
    return c;
}

TEinbau enclosure(int typ) {
    TEinbau e;
    e.Typ = typ;
    e.Vb = 0.03;
    e.fb = 35;
    e.Vbf = 0.015;
    e.fbf = 70;
    e.Bedv = 2;
    e.Bedc = 2;
    e.Bedk = 1;
    e.Bedvf = 1;
    e.Bedkf = 1;
    return e;
}

void CalcDriverFullGrid(benchmark::State& state) {
    const TChassis driver = woofer();
    TEinbau einbau = enclosure(static_cast<int>(state.range(0)));
    EstimateEnclosure(driver, einbau);
    auto grid = std::make_unique<Grid>();
    constexpr int points = 599;
    for (int i = 0; i < points; ++i) {
        (*grid)[i] = 20.0 * std::pow(1000.0, static_cast<double>(i) / (points - 1));
    }
    auto out = std::make_unique<DriverOutputs>();
    std::string message;
    for (auto _ : state) {
        CalcDriver(driver, einbau, *grid, *out, message);
        benchmark::DoNotOptimize(out->ZDrv[points - 1]);
    }
    if (message != "Ok") {
        state.SkipWithError(message.c_str());
    }
    state.SetItemsProcessed(state.iterations() * points);
}
BENCHMARK(CalcDriverFullGrid)->DenseRange(0, 4)->ArgName("Typ");

} // namespace
