// Time of one network job at the finest grid: the work of an incremental recalculation
// after one crossover part changed (plus the speaker job, measured elsewhere).
#include "engine/network.h"

#include <benchmark/benchmark.h>
#include <cmath>
#include <complex>
#include <memory>
#include <numbers>

namespace tavrel {
namespace {

/// Places parts into consecutive slots. Hot and ground are drawn as rails of wires along
/// the top and bottom grid rows, as a user draws them, so wire merging has real work.
class NetworkDrawing {
public:
    explicit NetworkDrawing(TWeiche& weiche) : m_weiche(weiche) {
        ResetWeiche(m_weiche);
        for (int c = 0; c < 10; ++c) {
            add(PartWire, c, c + 1);           // hot rail, row 0
            add(PartWire, 88 + c, 88 + c + 1); // ground rail, row 8
        }
        add(PartAmpOutput, hotRail(0), groundRail(0)).verpolt = -1;
    }
    TWeichePart& add(WeichePartType typ, int nod1, int nod2, double value = 1.0) {
        TWeichePart& part = m_weiche[m_next++];
        part.typ = typ;
        part.nod1 = nod1;
        part.nod2 = nod2;
        part.value = value;
        return part;
    }
    int node() { return m_nextNode++; }
    static int hotRail(int column) { return column; }
    static int groundRail(int column) { return 88 + column; }

    /// Third-order low pass with Zobel, for a woofer.
    void woofer(int d, int column) {
        const int a = node(), b = node(), z = node();
        add(PartInductance, hotRail(column), a, 1.8e-3).Rvalue = 0.35;
        add(PartCapacitor, a, groundRail(column), 33e-6);
        add(PartInductance, a, b, 0.68e-3).Rvalue = 0.2;
        add(PartResistor, b, z, 6.8);
        add(PartCapacitor, z, groundRail(column + 1), 10e-6);
        driver(d, b, groundRail(column + 1), false);
    }
    /// Second-order band pass with an L-pad, for a midrange.
    void midrange(int d, int column) {
        const int a = node(), b = node(), c = node(), e = node();
        add(PartCapacitor, hotRail(column), a, 22e-6);
        add(PartInductance, a, groundRail(column), 1.2e-3).Rvalue = 0.5;
        add(PartInductance, a, b, 0.47e-3).Rvalue = 0.15;
        add(PartCapacitor, b, groundRail(column + 1), 6.8e-6);
        add(PartWire, b, c);
        add(PartResistor, c, e, 2.2);
        add(PartResistor, e, groundRail(column + 1), 15.0);
        driver(d, e, groundRail(column + 1), true);
    }
    /// Third-order high pass with attenuation, for a tweeter.
    void tweeter(int d, int column) {
        const int a = node(), b = node(), c = node();
        add(PartCapacitor, hotRail(column), a, 6.8e-6);
        add(PartInductance, a, groundRail(column), 0.33e-3).Rvalue = 0.25;
        add(PartCapacitor, a, b, 10e-6);
        add(PartResistor, b, c, 3.3);
        add(PartResistor, c, groundRail(column + 1), 10.0);
        driver(d, c, groundRail(column + 1), false);
    }

private:
    void driver(int d, int nod1, int nod2, bool reversed) {
        TWeichePart& part = add(PartDriver, nod1, nod2);
        part.chassisnr = static_cast<std::int16_t>(d);
        part.verpolt = reversed ? 1 : -1;
    }

    TWeiche& m_weiche;
    int m_next = 0;
    int m_nextNode = 12; // grid rows 1..7 are free for the inner nodes
};

/// A plausible driver impedance: voice coil, inductance and a damped resonance.
TComplex driverImpedance(int d, double f) {
    const double re = 5.6 + 0.3 * d, le = 0.4e-3, fs = 40.0 * (d + 1), qms = 3.0, qes = 0.4;
    const std::complex<double> s(0.0, f / fs);
    const std::complex<double> motional = re * qms / qes / (1.0 + qms * (s + 1.0 / s));
    const std::complex<double> z =
        re + std::complex<double>(0.0, 2 * std::numbers::pi * f * le) + motional;
    return {z.real(), z.imag()};
}

struct Setup {
    std::unique_ptr<TProjekt> projekt = std::make_unique<TProjekt>();
    std::unique_ptr<TResult> result = MakeResult();
    std::unique_ptr<NetworkScratch> scratch = MakeNetworkScratch();

    explicit Setup(int drivers) {
        projekt->Option.sz = MaxGridPoints;
        BuildGrid(*projekt);
        NetworkDrawing drawing(projekt->Amps[0].Weiche);
        for (int d = 0; d < drivers; ++d) {
            switch (d % 3) {
            case 0:
                drawing.woofer(d, d);
                break;
            case 1:
                drawing.midrange(d, d);
                break;
            default:
                drawing.tweeter(d, d);
                break;
            }
            result->AmpOfChassis[d] = 0;
            for (int k = 0; projekt->f[k] > 0; ++k) {
                result->ChassisZ[d][k] = driverImpedance(d, projekt->f[k]);
            }
        }
    }
};

void NetworkJobAt599Points(benchmark::State& state) {
    Setup setup(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        const std::string status = RunNetworkJob(*setup.projekt, 0, *setup.result, *setup.scratch);
        if (status != "Ok") {
            state.SkipWithError(status.c_str());
            break;
        }
        benchmark::DoNotOptimize(setup.result->ChassisU[0][MaxGridPoints / 2]);
    }
}
BENCHMARK(NetworkJobAt599Points)->Arg(3)->Arg(8)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace tavrel
