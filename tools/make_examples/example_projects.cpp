// The example projects beyond the default one. Together they use every enclosure type, every
// part type of a network, free wires, reversed drivers, active filters and several
// amplifiers with DSP channels, so that loading and calculating them exercises the whole engine.
#include "engine/driver_model.h"
#include "engine/passive_radiator.h"
#include "example_records.h"
#include "example_sketch.h"

#include <cmath>

namespace tavrel::examples {

namespace {

constexpr double Butterworth2Q = 0.7071;

void closedBox(TEinbau& e, double volume) {
    e.Typ = EinbauClosed;
    e.Vb = volume;
}

void ventedBox(TEinbau& e, double volume, double tuning) {
    e.Typ = EinbauVented;
    e.Vb = volume;
    e.fb = tuning;
}

void linkwitzRileyLowPass(TAktFilter& f, double corner) {
    f.TP121 = f.TP122 = true;
    f.TP121f = f.TP122f = corner;
    f.TP121q = f.TP122q = Butterworth2Q;
}

void linkwitzRileyHighPass(TAktFilter& f, double corner) {
    f.HP121 = f.HP122 = true;
    f.HP121f = f.HP122f = corner;
    f.HP121q = f.HP122q = Butterworth2Q;
}

void setGrid(TProjekt& p, double fMin, double fMax, int points) {
    p.Option.fMin = p.Option.AfMin = fMin;
    p.Option.fMax = p.Option.AfMax = fMax;
    p.Option.sz = points;
    p.Option.glatt_a = p.Option.glatt_i = FileExact(std::log10(fMax / fMin) / points * 7);
    p.f.fill(0); // entries past the new end would otherwise keep the old grid
    BuildGrid(p);
}

/// A subwoofer whose only sound output is the port of its front chamber.
std::unique_ptr<TProjekt> subwooferProjekt(const char* comment) {
    auto p = FreshProjekt();
    p->nAmps = 1;
    p->nChassis = 1;
    p->Comment1 = comment;
    p->Comment2 = "<d>";
    setGrid(*p, 10, 1000, 84);
    PutDriver(*p, 0, *BassDriver());
    NetworkSketch(p->Amps[0].Weiche).lane(0, {}, 0, false);
    p->Schallwand[0] = BaffleAt(0.40, 0.60, 0.40, 0.20, 0.07, true);
    p->GemGeh = {0.60, 0.40, 0.45, 0, 0, 0, 0};
    return p;
}

} // namespace

std::unique_ptr<TProjekt> ClosedThreeWayProjekt() {
    auto p = FreshProjekt();
    p->nAmps = 1;
    p->nChassis = 3;
    p->Comment1 = "Three-way in closed boxes, crossovers at 400 Hz and 3.5 kHz";
    p->Comment2 = "<d>";
    PutDriver(*p, 0, *BassDriver());
    PutDriver(*p, 1, *MidWooferDriver());
    PutDriver(*p, 2, *TweeterDriver());
    closedBox(p->Einbau[0], 0.015);
    closedBox(p->Einbau[1], 0.005);
    p->Einbau[2].Typ = EinbauIntegrated;

    NetworkSketch net(p->Amps[0].Weiche);
    net.lane(0, {Series(Inductor(0.0047, 0.5, "L1")), Shunt(Capacitor(33e-6, "C1"))}, 0, false);
    net.lane(1, {Series(Capacitor(47e-6, "C2")), Series(Inductor(0.00056, 0.3, "L2"))}, 1, true,
             true); // reversed: first-order band pass between second-order slopes
    net.lane(2,
             {Series(Capacitor(5.6e-6, "C3")), Shunt(Inductor(0.00039, 0.2, "L3")),
              Series(Resistor(3.3, "R1")), Shunt(Resistor(6.8, "R2"))},
             2, false, true);

    p->Schallwand[0] = BaffleAt(0.25, 0.80, 0.20, 0.125, 0.21, true);
    p->Schallwand[1] = BaffleAt(0.25, 0.80, 0.48, 0.125, 0.104, true);
    p->Schallwand[2] = BaffleAt(0.25, 0.80, 0.64, 0.125, 0.031, false);
    p->GemGeh = {0.80, 0.25, 0.30, 0, 0, 0, 0};
    return p;
}

std::unique_ptr<TProjekt> BiAmpedProjekt() {
    auto p = FreshProjekt();
    p->nAmps = 2;
    p->nChassis = 2;
    p->Comment1 = "Bi-amped two-way, active Linkwitz-Riley 24 dB at 2 kHz";
    p->Comment2 = "<d>";
    PutDriver(*p, 0, *WooferDriver());
    PutDriver(*p, 1, *TweeterDriver());
    closedBox(p->Einbau[0], 0.012);
    p->Einbau[1].Typ = EinbauIntegrated;

    linkwitzRileyLowPass(p->Amps[0].AktFilter, 2000);
    linkwitzRileyHighPass(p->Amps[1].AktFilter, 2000);
    p->Amps[1].AktFilter.Pegel = FileExact(std::pow(10.0, -4.0 / 20)); // the tweeter is 4 dB louder
    NetworkSketch(p->Amps[0].Weiche).lane(0, {}, 0, false);
    NetworkSketch(p->Amps[1].Weiche).lane(0, {}, 1, false);

    p->Schallwand[0] = BaffleAt(0.20, 0.35, 0.12, 0.10, 0.123, true);
    p->Schallwand[1] = BaffleAt(0.20, 0.35, 0.27, 0.10, 0.031, false);
    p->GemGeh = {0.35, 0.20, 0.25, 0, 0, 0, 0};
    return p;
}

std::unique_ptr<TProjekt> ActiveTwoWayProjekt() {
    auto p = BiAmpedProjekt();
    p->Comment1 = "Active two-way on a 48 kHz DSP: LR 24 dB at 2 kHz, EQ, tweeter delayed";
    p->DSPRate = 48000;
    // The woofer's cone puts its acoustic centre 25 mm behind the tweeter's.
    p->Schallwand[0].stra = p->Schallwand[0].strar = -0.025;
    TDspSection& hump = p->Amps[0].AktFilter.EQ[0]; // the broad rise around 700 Hz
    hump.typ = DspPeaking;
    hump.f = 700;
    hump.g = -1.5;
    hump.q = 1;
    p->Amps[1].AktFilter.Delay = 7.27e-5; // 25 mm at 344 m/s
    return p;
}

std::unique_ptr<TProjekt> BandpassProjekt() {
    auto p = subwooferProjekt("Subwoofer, 4th-order bandpass 14 l / 20 l at 60 Hz");
    TEinbau& e = p->Einbau[0];
    e.Typ = EinbauBandpass;
    e.Vb = 0.014;
    e.Vbf = 0.02;
    e.fbf = 60;
    e.Aportf = 0.0078; // one round port of 10 cm
    TAktFilter& f = p->Amps[0].AktFilter;
    f.TP121 = true;
    f.TP121f = 120;
    f.TP121q = Butterworth2Q;
    return p;
}

std::unique_ptr<TProjekt> BiventedBandpassProjekt() {
    auto p = subwooferProjekt("Subwoofer, 6th-order bandpass 50 l at 30 Hz / 15 l at 55 Hz");
    TEinbau& e = p->Einbau[0];
    e.Typ = EinbauBandpassBivented;
    e.Vb = 0.05;
    e.fb = 30;
    e.Vbf = 0.015;
    e.fbf = 55;
    e.Aport = 0.0075;  // one round port of about 10 cm
    e.Aportf = 0.0038; // and one of 7 cm
    TSchallwand& w = p->Schallwand[0];
    w.directionr = 1; // the rear chamber's port opens on the back
    PortAt(w, 0.40, 0.20, 0.45);
    TAktFilter& f = p->Amps[0].AktFilter;
    f.HP6 = f.TP6 = true;
    f.HP6f = 15;
    f.TP6f = 150;
    return p;
}

std::unique_ptr<TProjekt> PassiveRadiatorProjekt() {
    auto p = subwooferProjekt("Subwoofer, 20 l with two 25 cm passive radiators at 30 Hz");
    TEinbau& e = p->Einbau[0];
    e.Typ = EinbauPassiveRadiator;
    e.Vb = 0.02;
    e.PRn = 2;
    e.PRSd = 0.033;
    e.PRVas = 0.04;
    e.PRfs = 20;
    e.PRQms = 5;
    e.PRxmax = 0.015;
    // The mass for 30 Hz in the acoustic volume the damping estimate gives, to the gram.
    TEinbau estimated = e;
    EstimateEnclosure(p->Chassis[0], estimated);
    const double mass = AddedMassFor(e, e.Vb * estimated.vV, 30);
    e.PRmadd = std::round(mass * 1000) / 1000;
    TSchallwand& w = p->Schallwand[0];
    w.directionr = 1; // the radiators sit in the back wall
    PortAt(w, 0.30, 0.20, 0.45);
    TAktFilter& f = p->Amps[0].AktFilter;
    f.TP121 = true;
    f.TP121f = 100;
    f.TP121q = Butterworth2Q;
    return p;
}

namespace {

// The timing project: a tower of two vented basses, two closed woofers, two closed mids and
// two tweeters; each driver pair or single driver on its own amplifier.
constexpr double TowerWidth = 0.30, TowerHeight = 1.20;

TSchallwand towerBaffle(double a, double c, double d, bool cone) {
    return BaffleAt(TowerWidth, TowerHeight, a, c, d, cone);
}

void benchDrivers(TProjekt& p) {
    for (int d : {0, 1}) {
        PutDriver(p, d, *BassDriver());
        ventedBox(p.Einbau[d], 0.04, 32);
    }
    for (int d : {2, 3}) {
        PutDriver(p, d, *WooferDriver());
        closedBox(p.Einbau[d], 0.012);
    }
    for (int d : {4, 5}) {
        PutDriver(p, d, *MidWooferDriver());
        closedBox(p.Einbau[d], 0.005);
    }
    for (int d : {6, 7}) {
        PutDriver(p, d, *TweeterDriver());
        p.Einbau[d].Typ = EinbauIntegrated;
    }
    p.Schallwand[0] = towerBaffle(0.18, 0.15, 0.21, true);
    PortAt(p.Schallwand[0], 0.05, 0.08);
    p.Schallwand[1] = towerBaffle(0.42, 0.15, 0.21, true);
    PortAt(p.Schallwand[1], 0.05, 0.22);
    p.Schallwand[2] = towerBaffle(0.62, 0.15, 0.123, true);
    p.Schallwand[3] = towerBaffle(1.06, 0.15, 0.123, true);
    p.Schallwand[4] = towerBaffle(0.76, 0.15, 0.104, true);
    p.Schallwand[5] = towerBaffle(0.94, 0.15, 0.104, true);
    p.Schallwand[6] = towerBaffle(0.85, 0.08, 0.031, false);
    p.Schallwand[7] = towerBaffle(0.85, 0.22, 0.031, false);
}

void benchNetworks(TProjekt& p) {
    for (int a : {0, 1}) { // one bass each, 24 dB at 200 Hz and a subsonic filter
        TAktFilter& f = p.Amps[a].AktFilter;
        linkwitzRileyLowPass(f, 200);
        f.HP6 = true;
        f.HP6f = 18;
    }
    NetworkSketch(p.Amps[0].Weiche).lane(0, {Series(Inductor(0.0022, 0.4, "L1"))}, 0, false);
    NetworkSketch(p.Amps[1].Weiche)
        .lane(0, {Series(Inductor(0.0022, 0.4, "L1")), Shunt(Capacitor(100e-6, "C1"))}, 1, false);

    TAktFilter& woofers = p.Amps[2].AktFilter; // both woofers, passive low pass at 700 Hz
    linkwitzRileyHighPass(woofers, 200);
    woofers.Pegel = 0.5;
    NetworkSketch woofer(p.Amps[2].Weiche);
    for (int lane : {0, 1}) {
        woofer.lane(lane, {Series(Inductor(0.0022, 0.35, "L1")), Shunt(Capacitor(22e-6, "C1"))},
                    2 + lane, false);
    }

    for (int a : {3, 4}) { // one mid each: active high pass, passive low pass at 3 kHz
        TAktFilter& f = p.Amps[a].AktFilter;
        linkwitzRileyHighPass(f, 800);
        f.Pegel = 0.7;
        NetworkSketch(p.Amps[a].Weiche)
            .lane(0,
                  {Series(Resistor(1.0, "R1")), Series(Inductor(0.00047, 0.25, "L1")),
                   Shunt(Capacitor(6.8e-6, "C1"))},
                  a + 1, true); // reversed: the woofers lag by about 180° at 800 Hz
    }
    p.Amps[4].AktFilter.TP6 = true; // the upper mid fades out earlier
    p.Amps[4].AktFilter.TP6f = 4000;

    TAktFilter& tweeters = p.Amps[5].AktFilter;
    tweeters.HP6 = true;
    tweeters.HP6f = 1500;
    tweeters.Pegel = 0.7;
    NetworkSketch tweeter(p.Amps[5].Weiche);
    for (int lane : {0, 1}) {
        tweeter.lane(lane,
                     {Series(Capacitor(4.7e-6, "C1")), Shunt(Inductor(0.00033, 0.2, "L1")),
                      Series(Resistor(2.2, "R1")), Shunt(Resistor(8.2, "R2"))},
                     6 + lane, false);
    }
}

} // namespace

std::unique_ptr<TProjekt> Bench8x6Projekt() {
    auto p = FreshProjekt();
    p->nAmps = 6;
    p->nChassis = 8;
    p->Comment1 = "Eight drivers on six amplifiers";
    p->Comment2 = "<d>";
    setGrid(*p, 20, 20000, BenchFileGridPoints);
    benchDrivers(*p);
    benchNetworks(*p);
    p->GemGeh = {TowerHeight, TowerWidth, 0.35, 0, 0, 0, 0};
    return p;
}

std::vector<ExampleProject> ExampleProjects() {
    std::vector<ExampleProject> projects;
    projects.push_back({"Default.TVP", DefaultProjekt()});
    projects.push_back({"Closed 3-way.TVP", ClosedThreeWayProjekt()});
    projects.push_back({"Bi-amped 2-way.TVP", BiAmpedProjekt()});
    projects.push_back({"Active 2-way.TVP", ActiveTwoWayProjekt()});
    projects.push_back({"Bandpass subwoofer.TVP", BandpassProjekt()});
    projects.push_back({"Bivented bandpass subwoofer.TVP", BiventedBandpassProjekt()});
    projects.push_back({"Passive radiator subwoofer.TVP", PassiveRadiatorProjekt()});
    projects.push_back({"Bench 8x6.TVP", Bench8x6Projekt()});
    return projects;
}

} // namespace tavrel::examples
