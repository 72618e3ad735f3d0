#include "model_test_support.h"

#include "model/chassis_keys.h"

namespace tavrel::test {

namespace {

// Phases that survive the degree text exactly: whole degrees converted the way the reader does.
double wholeDegrees(int degrees) {
    return FileDegreesToPhase(degrees);
}

void fillResponse(MeasuredArray& f, MeasuredArray& v, int points, double f0, double v0,
                  bool phase) {
    for (int i = 0; i < points; ++i) {
        f[i] = f0 + 10.0 * i;
        v[i] = phase ? wholeDegrees((i * 7) % 360 - 180) : v0 + 0.25 * i;
    }
    f[points] = 0.0;
    v[points] = phase ? wholeDegrees(0) : 0.0;
}

} // namespace

std::unique_ptr<TChassis> FullDriver(int seed) {
    auto d = std::make_unique<TChassis>();
    const double k = seed;
    d->Name = "Driver " + std::to_string(seed);
    d->Kommentar = "comment with blanks; and = signs " + std::to_string(seed);
    d->fgang_which = static_cast<std::int16_t>(1 + seed % 7);
    d->hintengeschl = true;
    d->fs = 45.5 + k;
    d->Qes = 0.375;
    d->Qms = 4.25;
    d->Vas = 0.0125;
    d->Re = 5.75;
    d->Le = 0.0005;
    d->Le2 = 0.0015;
    d->Re2 = 8.5;
    d->Le3 = 0.0002;
    d->Re3 = 3.25;
    d->Amem = 0.0125;
    d->xlin = 0.004;
    d->_PMax = 120;
    d->_ZNenn = 8;
    d->seo = -0.0125;
    d->useFgangA = true;
    d->useFgangAP = true;
    d->useFgangA2fs = true;
    d->useFgangI = true;
    d->useFgangIP = true;
    fillResponse(d->FgangAF, d->FgangA, 40 + seed, 20, 80, false);
    fillResponse(d->FgangAPF, d->FgangAP, 30, 25, 0, true);
    fillResponse(d->FgangIF, d->FgangI, 599, 10, 6, false);
    fillResponse(d->FgangIPF, d->FgangIP, 12, 30, 0, true);
    d->_PNorm = 60;
    d->xmax = 0.0075;
    d->_Hvc = 0.012;
    d->_Dvc = 0.025;
    d->_Hpp = 0.006;
    d->_Bl = 7.25;
    d->_SPL = 88.5;
    d->_Le = 0.00055;
    d->_Mmd = 0.0125;
    d->_fu = "40 Hz";
    d->_fo = "4000 Hz";
    d->_Da = "170 mm";
    d->_magind = 1.125;
    d->_magflu = 0.0008;
    d->_bnr = "ORD-" + std::to_string(seed);
    d->_Etiefe = 0.075;
    d->_Ausschn = 0.1425;
    d->_Gewicht = 1.5;
    d->Membranform = 1;
    d->typ = 65536 + 1024 + seed;
    d->_hst = false;
    d->Filters = 77;
    d->pubdate = "24.12.2003";
    d->OrgFilename = "driver " + std::to_string(seed) + ".TVC";
    return d;
}

void ClearDerived(TChassis& d) {
    d.Cms = d.Lms = d.Rms = d.Cbr = d.Lab = d.Rbr = d.Cbrf = d.Labf = d.Rbrf = d.Rab = d.Rabf =
        d.SPL = d.Vab = d.Vabf = d.Qts = d.Qesbg = d.Qmsbg = d.Qtsbg = d.fsbg = d.fc = d.Qec =
            d.Qmc = d.Qtc = d.Bl = d.Mmd = d.Cmd = d.Rmd = 0;
}

namespace {

void fillWeiche(TWeiche& w, int amp) {
    ResetWeiche(w);
    w[0].typ = PartAmpOutput;
    w[0].verpolt = static_cast<std::int16_t>(amp % 2 == 0 ? -1 : 1);
    w[1].typ = PartInductance;
    w[1].value = 0.0015;
    w[1].Rvalue = 0.25;
    w[1].bem = "L" + std::to_string(amp);
    w[1].bOpti = true;
    w[2].typ = PartCapacitor;
    w[2].value = 4.7e-6;
    w[2].bem = "C1";
    w[93].typ = PartResistor;
    w[93].value = 2.5;
    w[3].typ = PartWire;
    w[4].typ = PartDriver;
    w[4].chassisnr = static_cast<std::int16_t>(amp);
    w[4].verpolt = 2;
    w[178].typ = PartWire;
    w[178].nod1 = 12;
    w[178].nod2 = 97 - amp;
    w[185].typ = PartWire;
    w[185].nod1 = 98;
    w[185].nod2 = 0;
}

void fillAktFilter(TAktFilter& a, int amp) {
    a.Pegel = 0.5 + amp;
    a.HP6f = 110;
    a.HP121f = 220;
    a.HP121q = 0.5;
    a.HP122f = 330;
    a.HP122q = 0.75;
    a.TP6f = 1100;
    a.TP121f = 2200;
    a.TP121q = 0.625;
    a.TP122f = 3300;
    a.TP122q = 1.25;
    a.HP6 = a.HP122 = a.TP121 = true;
    a.TP6 = (amp % 2) == 1;
    a.Delay = 0.00125 * (amp % 3);
    a.Invert = (amp % 2) == 0;
    for (int k = 0; k < 2; ++k) { // the six amplifiers use every section type
        TDspSection& s = a.EQ[(amp + 4 * k) % MaxDspSections];
        s.typ = 1 + (2 * amp + k) % DspLastFileType;
        s.on = k == 0;
        s.f = 125.0 * (amp + 1) + k;
        const DspTypeInfo& info = DspTypeOf(s.typ);
        s.g = info.gain ? -2.5 + amp : s.g;
        s.q = info.q ? 0.5 + 0.25 * k : s.q;
        s.f2 = info.target ? 37.5 : s.f2;
        s.q2 = info.target ? 0.625 : s.q2;
    }
}

void fillEinbau(TEinbau& e, int d) {
    e.Typ = d % 6;
    if (e.Typ == EinbauPassiveRadiator) { // the radiator keys exist only for this type
        e.PRn = 3;
        e.PRSd = 0.0325;
        e.PRVas = 0.0475;
        e.PRfs = 21.5;
        e.PRQms = 5.75;
        e.PRmadd = 0.0625;
        e.PRxmax = 0.0125;
    }
    e.Vb = 0.0225;
    e.fb = 42.5;
    e.Vbf = 0.0125;
    e.fbf = 85;
    e.Aport = d % 3 == 0 ? 0.0075 : 0; // 0 is "unknown" and leaves no key
    e.Aportf = 0.00125;
    e.mbQExpl = (d % 2) == 0;
    if (e.mbQExpl) { // only this group is read back
        e.vV = 1.125;
        e.mb = 0.875;
        e.fmb = 300;
        e.Ql = 7.5;
        e.Qb = 12.5;
        e.vVf = 1.25;
        e.Qbf = 6.5;
        e.Qk = 3.5;
        e.Qkf = 4.5;
    } else {
        e.Bedv = 4;
        e.Bedc = 1;
        e.Bedk = 3;
        e.Bedvf = 2;
        e.Bedkf = 1;
    }
}

void fillSchallwand(TSchallwand& w, int d) {
    w.beugl = false;
    w.beugr = (d % 2) == 0;
    w.beugo = false;
    w.beugu = (d % 3) == 0;
    w.usegemgeh = false;
    w.direction = static_cast<std::int8_t>(d % 6);
    w.directionr = 1;
    w.Membranform = 1;
    w.a = 0.25;
    w.b = 0.2;
    w.c = 0.1;
    w.d = 0.125;
    w.e = 0.01;
    w.f = 0.02;
    w.g = 0.03;
    w.h = 0.35;
    w.i = 0.04;
    w.hor = 0.125 * d;
    w.vert = -0.0625;
    w.stra = 0.075;
    w.horr = 0.5;
    w.vertr = 0.375;
    w.strar = -0.25;
}

} // namespace

std::unique_ptr<TProjekt> FullProjekt() {
    auto p = std::make_unique<TProjekt>();
    p->nAmps = 6;
    p->nChassis = 8;
    p->Comment1 = "Two-way <d> test";
    p->Comment2 = "second line";
    TOptionBlock& o = p->Option;
    for (std::size_t i = 0; i < o.ColorSetAmps.size(); ++i) {
        o.ColorSetAmps[i] = Rgb(10, 20, static_cast<std::uint32_t>(30 + i));
    }
    for (std::size_t i = 0; i < 9; ++i) { // files hold the first nine
        o.ColorSetChassis[i] = Rgb(static_cast<std::uint32_t>(40 + i), 50, 60);
    }
    for (std::size_t i = 0; i < o.ColorSetRichtungen.size(); ++i) {
        o.ColorSetRichtungen[i] = Rgb(70, static_cast<std::uint32_t>(80 + i), 90);
    }
    o.fMin = 15;
    o.fMax = 25000;
    o.sz = 200;
    o.glatt_a = 0.125;
    o.glatt_i = 0.0625;
    o.Par = {1, 2, 3, 4, 5, 6};
    o.AfMin = 30;
    o.AfMax = 18000;
    o.dBMin = 45;
    o.dBMax = 105;
    o.ImpMax = 50;
    BuildGrid(*p);
    for (int a = 0; a < MaxAmps; ++a) {
        fillAktFilter(p->Amps[a].AktFilter, a);
        fillWeiche(p->Amps[a].Weiche, a);
    }
    for (int d = 0; d < MaxChassis; ++d) {
        p->Chassis[d] = *FullDriver(d);
        p->Chassis[d].Membranform = 0; // a project keeps it with the baffle
        p->Chassis[d]._hst = (d % 2) == 1;
        p->Chassis[d].typ = d == 3 ? -5 : p->Chassis[d].typ; // stored unchanged in projects
        fillEinbau(p->Einbau[d], d);
        fillSchallwand(p->Schallwand[d], d);
    }
    p->GemGeh = {0.5, 0.25, 0.3, 0.01, 0.02, 0.03, 0.04};
    p->DSPRate = 96000;
    return p;
}

TMyIniFile PlainStore(const std::string& body) {
    return TMyIniFile::FromBytes(std::string(TMyIniFile::Header) + "\r\n" + body, false, false);
}

} // namespace tavrel::test
