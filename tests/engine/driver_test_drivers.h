// Real driver parameter sets and enclosures shared by the driver model tests.
#pragma once

#include "engine/driver_model.h"

#include <cmath>
#include <memory>
#include <string>

namespace tavrel::testing {

/// Voice-coil substitutes small enough not to disturb the low-frequency physics.
inline void setNegligibleVoiceCoilInductance(TChassis& c) {
    c.Le = 1e-9;
    c.Re2 = 1e-6;
    c.Le2 = 1e-9;
    c.Re3 = 1e-6;
    c.Le3 = 1e-9;
}

/// A driver from its Thiele-Small parameters (SI units), with a negligible voice coil.
inline std::unique_ptr<TChassis> driverOf(double fs, double qes, double qms, double vas, double re,
                                          double sd, double xlin) {
    auto c = std::make_unique<TChassis>();
    c->fs = fs;
    c->Qes = qes;
    c->Qms = qms;
    c->Vas = vas;
    c->Re = re;
    c->Amem = sd;
    c->xlin = xlin;
    setNegligibleVoiceCoilInductance(*c);
    return c;
}

/// 12 inch pro woofer (warm run): fs 40.1 Hz, Qes 0.42, Qms 11, Vas 113.3 l, Re 5.4 Ω, Sd 539 cm².
inline std::unique_ptr<TChassis> proWoofer12() {
    return driverOf(40.1, 0.42, 11, 0.1133, 5.4, 539e-4, 5e-3);
}

/// 10 inch subwoofer: fs 37.8 Hz, Qes 0.5065, Qms 10.648, Vas 15.23 l, Re 7.22 Ω, Sd 346.36 cm².
inline std::unique_ptr<TChassis> subwoofer10() {
    return driverOf(37.8, 0.5065, 10.648, 0.01523, 7.22, 346.36e-4, 19.7e-3);
}

/// 6.5 inch mid-woofer with a real voice-coil inductance of 0.11 mH.
inline std::unique_ptr<TChassis> midWoofer65() {
    auto c = driverOf(31.5, 0.32, 5.5, 0.046, 6.2, 119e-4, 3.1e-3);
    c->Le = 0.11e-3;
    c->Re2 = 8;
    c->Le2 = 0.2e-3;
    c->Re3 = 20;
    c->Le3 = 0.05e-3;
    return c;
}

/// A closed box so large that the driver behaves as in free air, without air-load effects.
inline TEinbau freeAir() {
    TEinbau e;
    e.Typ = EinbauClosed;
    e.Vb = 1e99;
    e.vV = 1;
    e.mb = 1;
    e.fmb = 1;
    e.Ql = 1e12;
    e.mbQExpl = true;
    return e;
}

inline TEinbau closedBox(double vb) {
    TEinbau e = freeAir();
    e.Vb = vb;
    return e;
}

inline TEinbau ventedBox(double vb, double fb) {
    TEinbau e = closedBox(vb);
    e.Typ = EinbauVented;
    e.fb = fb;
    e.Ql = 20;
    e.Qb = 20;
    e.Qk = 50;
    return e;
}

/// Logarithmic grid of n points from f0 to f1, terminated by 0.
inline std::unique_ptr<Grid> logGrid(double f0, double f1, int n) {
    auto g = std::make_unique<Grid>();
    for (int i = 0; i < n; ++i) {
        (*g)[i] = f0 * std::pow(f1 / f0, static_cast<double>(i) / (n - 1));
    }
    (*g)[n] = 0.0;
    return g;
}

struct ModelRun {
    std::unique_ptr<DriverOutputs> out = std::make_unique<DriverOutputs>();
    std::string message;
};

inline ModelRun runDriver(const TChassis& c, const TEinbau& e, const Grid& grid) {
    ModelRun r;
    CalcDriver(c, e, grid, *r.out, r.message);
    return r;
}

inline double levelDb(TComplex p) {
    return 112.0 + 20.0 * std::log10(CAbs(p));
}

} // namespace tavrel::testing
