#include "example_records.h"

#include "model/projekt_file.h"

#include <cmath>

namespace tavrel::examples {

namespace {

// The date stamped into the drivers embedded in the example project (a save of a driver file
// stamps the day of the save instead).
constexpr const char* ExampleDate = "01.06.2025";

std::unique_ptr<TChassis> baseDriver(const char* name, const char* comment) {
    auto d = std::make_unique<TChassis>();
    d->Name = name;
    d->Kommentar = comment;
    d->fgang_which = 5;
    d->Filters = 119;
    d->pubdate = ExampleDate;
    d->OrgFilename = std::string(name) + ".TVC";
    return d;
}

} // namespace

std::unique_ptr<TChassis> WooferDriver() {
    auto d = baseDriver("Woofer 17 cm", "6.5 inch paper-cone mid-woofer, 8 ohm");
    d->fs = 31.5;
    d->Qes = 0.32;
    d->Qms = 5.5;
    d->Vas = 0.046;
    d->Re = 6.2;
    d->Le = 0.00022; // series part of the voice-coil inductance
    d->Re2 = 9.0;    // eddy-current losses: Re2‖Le2 and Re3‖Le3 in series with Re, Le
    d->Le2 = 0.00065;
    d->Re3 = 2.5;
    d->Le3 = 0.00006;
    d->Amem = 0.0119;
    d->xlin = 0.0031;
    d->xmax = 0.0031;
    d->_Bl = 6.5;
    d->_Mmd = 0.0096;
    d->_ZNenn = 8;
    d->_PMax = 80;
    d->_PNorm = 40;
    d->_SPL = 87;
    d->_fu = "35 Hz";
    d->_fo = "4000 Hz";
    d->_Da = "170 mm";
    d->Membranform = 1;
    return d;
}

std::unique_ptr<TChassis> MidWooferDriver() {
    auto d = baseDriver("Mid-woofer 13 cm",
                        "5 inch mid-woofer, 8 ohm; Sd and Vas estimated from Bl and Mms");
    d->fs = 44.99;
    d->Qes = 0.49;
    d->Qms = 1.995;
    d->Vas = 0.0086;
    d->Re = 5.72;
    d->Le = 0.0003;
    d->Re2 = 7.0;
    d->Le2 = 0.0008;
    d->Re3 = 2.0;
    d->Le3 = 0.00008;
    d->Amem = 0.0085;
    d->xlin = 0.0035;
    d->xmax = 0.0035;
    d->_Bl = 7.01;
    d->_Mmd = 0.0149;
    d->_ZNenn = 8;
    d->_PMax = 60;
    d->_PNorm = 30;
    d->_SPL = 86;
    d->_fu = "45 Hz";
    d->_fo = "5000 Hz";
    d->_Da = "130 mm";
    d->Membranform = 1;
    return d;
}

std::unique_ptr<TChassis> TweeterDriver() {
    auto d = baseDriver("Tweeter 25 mm", "1 inch soft dome tweeter with rear chamber, 6 ohm");
    d->hintengeschl = true;
    d->fs = 750;
    d->Qes = 0.9;
    d->Qms = 2;
    d->Vas = 0.00001; // with fs and Amem this gives the moving mass of 0.35 g
    d->Re = 4.7;
    d->Le = 0.000025;
    d->Re2 = 2.0;
    d->Le2 = 0.00003;
    d->Re3 = 1.0;
    d->Le3 = 0.00001;
    d->Amem = 0.00075;
    d->xlin = 0.0003;
    d->xmax = 0.0003;
    d->_Bl = 3.2;
    d->_Mmd = 0.00035;
    d->_ZNenn = 6;
    d->_PMax = 80;
    d->_PNorm = 40;
    d->_SPL = 90;
    d->_fu = "1500 Hz";
    d->_fo = "25000 Hz";
    d->_Da = "100 mm";
    d->Membranform = 0;
    return d;
}

std::unique_ptr<TChassis> BassDriver() {
    auto d = baseDriver("Bass 20 cm", "10 inch subwoofer, 21 cm effective cone, 8 ohm; Le "
                                      "estimated");
    d->fs = 37.8;
    d->Qes = 0.5065;
    d->Qms = 10.648;
    d->Vas = 0.01523;
    d->Re = 7.22;
    d->Le = 0.0007;
    d->Re2 = 16.0;
    d->Le2 = 0.0018;
    d->Re3 = 5.0;
    d->Le3 = 0.0003;
    d->Amem = 0.034636;
    d->xlin = 0.0197;
    d->xmax = 0.0197;
    d->_Bl = 25.92;
    d->_Mmd = 0.19815;
    d->_ZNenn = 8;
    d->_PMax = 300;
    d->_PNorm = 150;
    d->_SPL = 84;
    d->_fu = "25 Hz";
    d->_fo = "500 Hz";
    d->_Da = "270 mm";
    d->Membranform = 1;
    return d;
}

namespace {

void place(TWeiche& w, int slot, std::int16_t typ) {
    w[slot].typ = typ;
}

void placeValue(TWeiche& w, int slot, std::int16_t typ, double value, const char* bem) {
    w[slot].typ = typ;
    w[slot].value = value;
    w[slot].bem = bem;
}

// Slot numbers: horizontal r·10 + c joins nodes (r, c) and (r, c+1); vertical 90 + r·11 + c
// joins nodes (r, c) and (r+1, c). Row 4 is the ground rail, node 33 the amplifier's hot end.
void drawCrossover(TWeiche& w) {
    ResetWeiche(w);
    place(w, 123, PartAmpOutput); // nodes 33 (hot) and 44 (ground)
    w[123].verpolt = -1;
    place(w, 101, PartWire); // hot line up the left edge: 11-22
    place(w, 112, PartWire); // 22-33

    // Values from the shipped parts files, tuned for a response within 2 dB from 150 Hz to
    // 15 kHz; the labels count each kind in slot order, as the tuning panel names the parts.
    placeValue(w, 30, PartInductance, 0.0015, "L1"); // woofer series 33-34, 1.0 mm wire
    w[30].Rvalue = 0.51;
    placeValue(w, 124, PartCapacitor, 0.0000018, "C2"); // woofer shunt 34-45
    place(w, 31, PartWire);                             // 34-35
    place(w, 125, PartDriver);                          // woofer 35-46
    w[125].chassisnr = 0;
    w[125].verpolt = -1;

    place(w, 10, PartWire);                            // 11-12
    place(w, 11, PartWire);                            // 12-13
    placeValue(w, 12, PartResistor, 2.2, "R1");        // tweeter level, series 13-14
    placeValue(w, 13, PartCapacitor, 0.0000047, "C1"); // tweeter series 14-15
    placeValue(w, 105, PartInductance, 0.0018, "L2");  // tweeter shunt 15-26, 1.0 mm wire
    w[105].Rvalue = 0.57;
    place(w, 116, PartWire);   // 26-37
    place(w, 127, PartWire);   // 37-48
    place(w, 14, PartWire);    // 15-16
    place(w, 106, PartDriver); // tweeter 16-27, reversed
    w[106].chassisnr = 1;
    w[106].verpolt = 1;
    place(w, 15, PartWire);                       // 16-17
    place(w, 16, PartWire);                       // 17-18
    placeValue(w, 108, PartResistor, 15.0, "R2"); // tweeter level, parallel 18-29
    place(w, 25, PartWire);                       // 27-28
    place(w, 26, PartWire);                       // 28-29
    place(w, 117, PartWire);                      // 27-38
    place(w, 128, PartWire);                      // 38-49

    for (int slot = 40; slot <= 44; ++slot) { // ground rail 44-49
        place(w, slot, PartWire);
    }
}

// `vert` is the height in housing coordinates (origin at the baffle's centre, 0.175 m up).
TSchallwand baffleFor(double height, double vert, double diameter) {
    TSchallwand w;
    w.usegemgeh = false;
    w.b = 0.20;
    w.h = 0.35;
    w.a = height;
    w.c = 0.10;
    w.d = diameter;
    w.hor = 0;
    w.vert = vert;
    w.stra = 0;
    return w;
}

} // namespace

std::vector<ExampleDriver> ExampleDrivers() {
    std::vector<ExampleDriver> drivers;
    for (auto* make : {WooferDriver, MidWooferDriver, TweeterDriver, BassDriver}) {
        auto d = make();
        std::string fileName = d->OrgFilename.str();
        drivers.push_back({fileName, std::move(d)});
    }
    return drivers;
}

std::unique_ptr<TProjekt> FreshProjekt() {
    auto p = std::make_unique<TProjekt>();
    TMyIniFile empty(std::string(), false, false, false); // what a missing file gives
    ReadProjektStore(*p, empty);
    return p;
}

void PutDriver(TProjekt& projekt, int d, const TChassis& driver) {
    projekt.Chassis[d] = driver;
    projekt.Chassis[d].Membranform = 0;
}

std::unique_ptr<TProjekt> DefaultProjekt() {
    auto p = FreshProjekt();
    p->nAmps = 1;
    p->nChassis = 2;
    p->Comment1 = "Two-way: 17 cm woofer in 20 l vented box, 25 mm dome tweeter";
    p->Comment2 = "<d>";
    PutDriver(*p, 0, *WooferDriver());
    PutDriver(*p, 1, *TweeterDriver());
    drawCrossover(p->Amps[0].Weiche);

    p->Einbau[0].Typ = EinbauVented;
    p->Einbau[0].Vb = 0.02;
    p->Einbau[0].fb = 45;
    p->Einbau[1].Typ = EinbauIntegrated;

    p->Schallwand[0] = baffleFor(0.12, -0.055, 0.123);
    p->Schallwand[0].Membranform = 1;
    p->Schallwand[0].horr = 0; // port low on the front baffle
    p->Schallwand[0].vertr = -0.14;
    p->Schallwand[0].strar = 0;
    p->Schallwand[1] = baffleFor(0.27, 0.095, 0.031);
    p->Schallwand[1].horr = p->Schallwand[1].hor;
    p->Schallwand[1].vertr = p->Schallwand[1].vert;
    p->GemGeh = {0.35, 0.20, 0.25, 0, 0, 0, 0};
    return p;
}

} // namespace tavrel::examples
