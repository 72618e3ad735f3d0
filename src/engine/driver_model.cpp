// The lumped equivalent circuit of a driver in its enclosure. The mechanical and acoustic
// elements are mapped onto their electrical duals as seen from the voice coil: the moving mass
// becomes a capacitor, compliances become inductors, losses become parallel resistors. Elements
// an enclosure type does not use get values that make their branch an open circuit.
#include "engine/driver_model.h"

#include "engine/driver_model_detail.h"
#include "engine/passive_radiator.h"

#include <cmath>

namespace tavrel {
namespace {

using namespace driver_detail;

constexpr double TwoPi = 6.283185307179586;
constexpr double ReferenceEfficiency = 9.64e-7; // 4π²/c³
constexpr double ExcursionScale = 21.537;
constexpr double ExcursionPi = 3.1415926; // the excursion figure keeps this shorter pi
constexpr double ReferenceLevel = 112.0;

constexpr double OpenResistor = 1e99;
constexpr double OpenCapacitor = 1e-105;
constexpr double OpenInductor = 1e102;

const TComplex NoOutput{1e-100, 0.0};

bool isKnownType(int typ) {
    return typ >= EinbauIntegrated && typ <= EinbauPassiveRadiator;
}

bool isFinite(TComplex z) {
    return std::isfinite(z.Re) && std::isfinite(z.Im);
}

/// Air-load mass factor at f: `mb` well below `fmb`, fading to 1 well above it.
double massFactorAt(const TEinbau& einbau, double f) {
    if (einbau.Typ == EinbauIntegrated || !positive(f)) {
        return 1.0;
    }
    const double fmb2 = einbau.fmb * einbau.fmb;
    return 1.0 - (1.0 - einbau.mb) * fmb2 / (f * f + fmb2);
}

/// Reference efficiency times the power of 2.83 V into Re, as a level in dB at 1 m.
double sensitivityLevel(double fs, double vas, double qes, double re) {
    return 10.0 * std::log10(ReferenceEfficiency * fs * fs * fs * vas / qes * 8.0 / re) +
           ReferenceLevel;
}

double qTotal(double qm, double qe) {
    return qm * qe / (qm + qe);
}

void deriveQsAndResonance(TChassis& c, const TEinbau& einbau, double mbf, double k) {
    const int typ = einbau.Typ;
    c.Qesbg = c.Qes / mbf;
    c.Qmsbg = c.Qms / mbf;
    c.Qts = 0.0;
    c.Qtsbg = 0.0;
    if (positive(c.Qes) && positive(c.Qms)) {
        c.Qts = qTotal(c.Qms, c.Qes);
        c.Qtsbg = qTotal(c.Qmsbg, c.Qesbg);
    }
    c.fsbg = c.fs * mbf;
    c.fc = c.fsbg * k;
    c.Qec = c.Qesbg * k;
    if (typ == EinbauIntegrated) {
        c.Qmc = c.Qms;
    } else {
        c.Qmc = 0.0;
        if (positive(c.Qmsbg) && positive(einbau.Ql)) {
            c.Qmc = 1.0 / (1.0 / (c.Qmsbg * k) + 1.0 / einbau.Ql);
        }
    }
    c.Qtc = 0.0;
    if (positive(c.Qmc * c.Qec)) {
        c.Qtc = qTotal(c.Qmc, c.Qec);
    }
}

void deriveMechanics(TChassis& c) {
    c.Cmd = positive(c.Amem) ? CompliancePerVolume * c.Vas / (c.Amem * c.Amem) : 0.0;
    c.Mmd = 0.0;
    if (positive(c.fs) && positive(c.Cmd)) {
        c.Mmd = 1.0 / (FourPiSquared * c.fs * c.fs * c.Cmd);
    }
    c.Rmd = 0.0;
    c.Bl = 0.0;
    if (positive(c.fs) && positive(c.Cmd) && positive(c.Qes)) {
        c.Bl = std::sqrt(c.Re / (TwoPi * c.fs * c.Cmd * c.Qes));
    }
    c.SPL = 0.0;
    if (positive(c.fs) && positive(c.Vas) && positive(c.Qes) && positive(c.Re)) {
        c.SPL = sensitivityLevel(c.fs, c.Vas, c.Qes, c.Re);
    }
}

void deriveMotionalElements(TChassis& c) {
    c.Rms = positive(c.Qesbg) ? c.Re * c.Qmsbg / c.Qesbg : OpenResistor;
    c.Cms = positive(c.Re) && positive(c.fsbg) ? c.Qesbg / (TwoPi * c.fsbg * c.Re) : OpenResistor;
    c.Lms =
        positive(c.Qesbg) && positive(c.fsbg) ? c.Re / (TwoPi * c.fsbg * c.Qesbg) : OpenResistor;
}

void openAllEnclosureElements(TChassis& c) {
    c.Rbr = c.Rab = c.Rbrf = c.Rabf = OpenResistor;
    c.Cbr = c.Cbrf = OpenCapacitor;
    c.Lab = c.Labf = OpenInductor;
}

/// Port mass (capacitor) tuned against the chamber compliance `lab`, or 1e99 without tuning.
double portCapacitor(double fb, double lab) {
    return positive(fb) && positive(lab) ? 1.0 / (FourPiSquared * fb * fb * lab) : 1e99;
}

double chamberLossResistor(double omega0, double lab, double qb) {
    return positive(qb) ? omega0 * lab / qb : OpenResistor;
}

void deriveRearPort(TChassis& c, const TEinbau& einbau, bool onlyWhenTuned) {
    const double omega0 = TwoPi * einbau.fb;
    c.Cbr = portCapacitor(einbau.fb, c.Lab);
    if (!onlyWhenTuned || (positive(einbau.fb) && positive(c.Lab))) {
        c.Rbr = einbau.Qk * omega0 * c.Lab;
        c.Rab = chamberLossResistor(omega0, c.Lab, einbau.Qb);
    }
}

void deriveFrontChamber(TChassis& c, const TEinbau& einbau) {
    const double omega0f = TwoPi * einbau.fbf;
    c.Labf = positive(c.Vas) ? c.Vabf / c.Vas * c.Lms : 1e99;
    c.Cbrf = portCapacitor(einbau.fbf, c.Labf);
    c.Rbrf = einbau.Qkf * omega0f * c.Labf;
    c.Rabf = chamberLossResistor(omega0f, c.Labf, einbau.Qbf);
}

void deriveEnclosureElements(TChassis& c, const TEinbau& einbau) {
    openAllEnclosureElements(c);
    const int typ = einbau.Typ;
    if (typ < EinbauClosed || typ > EinbauPassiveRadiator) {
        return;
    }
    c.Rms = positive(c.Qec) ? c.Re * c.Qmc / c.Qec : 0.0;
    if (typ == EinbauClosed) {
        c.Lab = positive(c.Vas) ? c.Vab / c.Vas * c.Lms : 0.0;
        return;
    }
    c.Lab = positive(c.Vas) ? c.Vab / c.Vas * c.Lms : 1e99;
    if (typ == EinbauVented) {
        deriveRearPort(c, einbau, true);
        return;
    }
    if (typ == EinbauPassiveRadiator) {
        // The enclosure's losses refer to the system tuning, as a port's do.
        const double fb = TuningOf(einbau, c.Vab).fb;
        c.Rab = chamberLossResistor(TwoPi * fb, c.Lab, einbau.Qb);
        return;
    }
    deriveFrontChamber(c, einbau);
    if (typ == EinbauBandpassBivented) {
        deriveRearPort(c, einbau, false);
    }
}

} // namespace

void CalcDerived(TChassis& driver, const TEinbau& einbau, double f) {
    const int typ = einbau.Typ;
    const double mbf = massFactorAt(einbau, f);
    double k = 1.0;
    driver.Vab = driver.Vas;
    if (typ != EinbauIntegrated) {
        driver.Vab = einbau.Vb * einbau.vV;
        k = positive(driver.Vab) ? std::sqrt(driver.Vas / driver.Vab + 1.0) : 1e99;
    }
    driver.Vabf = isBandpass(typ) ? einbau.Vbf * einbau.vVf : 0.0;
    deriveQsAndResonance(driver, einbau, mbf, k);
    deriveMechanics(driver);
    deriveMotionalElements(driver);
    deriveEnclosureElements(driver, einbau);
}

namespace {

TComplex resistor(double r) {
    return {r, 0.0};
}
TComplex inductor(double omega, double l) {
    return {0.0, omega * l};
}
TComplex capacitor(double omega, double c) {
    return {0.0, -1.0 / (omega * c)};
}

bool parameterSetComplete(const TChassis& c) {
    return positive(c.fs) && positive(c.Re) && positive(c.Qes) && positive(c.Qms) &&
           positive(c.Vas) && positive(c.Amem);
}

bool measuredOnlyPossible(const TChassis& c, const TEinbau& einbau) {
    return c.useFgangA && c.useFgangAP && c.useFgangI && c.useFgangIP && !c.useFgangA2fs &&
           positive(c.FgangAF[0]) && positive(c.FgangAPF[0]) && positive(c.FgangIF[0]) &&
           positive(c.FgangIPF[0]) && einbau.Typ == EinbauIntegrated;
}

/// Neutral outputs that the measured data replace later.
void writeMeasuredOnlyOutputs(const TChassis& c, const Grid& freq, DriverOutputs& out) {
    for (int i = 0; i < GridSize && freq[i] > 0.0; ++i) {
        const double f = freq[i];
        out.PFront[i] = {1.0, 0.0};
        out.PRear[i] = NoOutput;
        out.ZDrv[i] = {1.0, 0.0};
        out.XFig[i] = ExcursionScale / (3.14159 * 3.14159 * (1e-50 + c.Amem) * f * f * 4.0);
        out.PCone[i] = {1.0, 0.0};
    }
}

std::string inputFaults(const TChassis& c, const TEinbau& e) {
    std::string message;
    if (!parameterSetComplete(c)) {
        message += "fs, Rdc, Qes, Qms, Vas, Sd must be > 0 or frequency response";
        message += " and impedance response incl. Phase must be completely";
        message += " imported. ";
    }
    const int typ = e.Typ;
    if (!positive(c.xlin)) {
        message += "Linear excursion must be > 0. ";
    }
    if (!(positive(c.Le) && positive(c.Re2) && positive(c.Le2) && positive(c.Re3) &&
          positive(c.Le3))) {
        message += "Le, Re2, Le2, Re3 and Le3 must be > 0. ";
    }
    if (typ != EinbauIntegrated && !(positive(e.fmb) && positive(e.Vb) && positive(e.vV) &&
                                     positive(e.mb) && positive(e.Ql))) {
        message += "fmb, Vb, vV, mb and Ql must be  > 0. ";
    }
    // A passive radiator enclosure derives its tuning; only its Q needs checking.
    if ((isVentedRear(typ) && !(positive(e.Qb) && positive(e.fb))) ||
        (typ == EinbauPassiveRadiator && !positive(e.Qb))) {
        message += "Qb and fb must be > 0. ";
    }
    if (isBandpass(typ) && !positive(e.Vbf)) {
        message += "Vbf must be > 0. ";
    }
    if (isBandpass(typ) && !(positive(e.Qbf) && positive(e.fbf))) {
        message += "Qbf and fbf must be > 0. ";
    }
    if (typ == EinbauPassiveRadiator && !RadiatorDataValid(e)) {
        message += RadiatorFault;
    }
    return message;
}

struct PointOutputs {
    TComplex front, rear, z, cone;
    double x = 0.0;
};

/// Motional branch and the shares of the diaphragm signal that leave through the ports.
struct Motional {
    TComplex zm;
    TComplex rearPortShare{1.0, 0.0};
    TComplex frontPortShare{1.0, 0.0};
};

/// The radiators' branch: their mass, compliance and losses side by side.
TComplex radiatorBranch(const TChassis& c, const TEinbau& einbau, double omega) {
    const RadiatorElements r = RadiatorElementsOf(einbau, c.Vas, c.Lms);
    return CPar3(resistor(r.Rpr), capacitor(omega, r.Cpr), inductor(omega, r.Lpr));
}

Motional motionalBranch(const TChassis& c, const TEinbau& einbau, double omega) {
    const int typ = einbau.Typ;
    const TComplex rms = resistor(c.Rms);
    const TComplex cms = capacitor(omega, c.Cms);
    const TComplex lms = inductor(omega, c.Lms);
    const TComplex lab = inductor(omega, c.Lab);
    Motional m;
    TComplex zb;
    TComplex zbf;
    if (hasRearOutput(typ)) {
        const TComplex zp = typ == EinbauPassiveRadiator
                                ? radiatorBranch(c, einbau, omega)
                                : CPar(resistor(c.Rbr), capacitor(omega, c.Cbr));
        zb = CAdd3(zp, resistor(c.Rab), lab);
        m.rearPortShare = CDiv(zp, zb);
    }
    if (isBandpass(typ)) {
        const TComplex zpf = CPar(resistor(c.Rbrf), capacitor(omega, c.Cbrf));
        zbf = CAdd3(zpf, resistor(c.Rabf), inductor(omega, c.Labf));
        m.frontPortShare = CDiv(zpf, zbf);
    }
    switch (typ) {
    case EinbauIntegrated:
        m.zm = CPar3(rms, cms, lms);
        break;
    case EinbauClosed:
        m.zm = CPar(CPar(rms, cms), CPar(lms, lab));
        break;
    case EinbauVented:
    case EinbauPassiveRadiator:
        m.zm = CPar(CPar(rms, cms), CPar(lms, zb));
        break;
    case EinbauBandpass:
        m.zm = CPar(CPar(CPar(rms, cms), CPar(lms, zbf)), lab);
        break;
    default:
        m.zm = CPar3(CPar3(rms, cms, lms), zb, zbf);
        break;
    }
    return m;
}

TComplex voiceCoil(const TChassis& c, double omega) {
    const TComplex second = CPar(resistor(c.Re2), inductor(omega, c.Le2));
    const TComplex third = CPar(resistor(c.Re3), inductor(omega, c.Le3));
    return CAdd(CAdd(third, second), TComplex{c.Re, omega * c.Le});
}

PointOutputs evaluateAt(TChassis& c, const TEinbau& einbau, double f) {
    CalcDerived(c, einbau, f);
    const int typ = einbau.Typ;
    const double omega = TwoPi * f;
    const TComplex zvc = voiceCoil(c, omega);
    const Motional m = motionalBranch(c, einbau, omega);
    const TComplex total = CAdd(zvc, m.zm);
    const TComplex d = CMul(CDiv(m.zm, total), TComplex{0.0, -omega * c.Cms * c.Re});

    const TComplex front = isBandpass(typ) ? CMul(d, m.frontPortShare) : d;
    const double x = CAbs(d) / (4.0 * ExcursionPi * ExcursionPi * f * f);
    c.SPL = sensitivityLevel(c.fsbg, c.Vas, c.Qesbg, c.Re);
    const double g = std::pow(10.0, (c.SPL - ReferenceLevel) / 20.0);

    PointOutputs p;
    p.front = CScale(front, -g);
    // Without a rear port the marker value stays unscaled, so it reads the same for any driver.
    p.rear = hasRearOutput(typ) ? CScale(CMul(d, m.rearPortShare), g) : NoOutput;
    p.cone = CScale(d, -g);
    p.z = total;
    p.x = ExcursionScale * g * x / c.Amem;
    return p;
}

bool isFinite(const PointOutputs& p) {
    return isFinite(p.front) && isFinite(p.rear) && isFinite(p.z) && isFinite(p.cone) &&
           std::isfinite(p.x);
}

const char* const CannotCalculate = "Cannot calculate driver.";

} // namespace

TComplex FreeAirImpedance(const TChassis& derived, const TEinbau& einbau, double f) {
    const double omega = TwoPi * f;
    return CAdd(voiceCoil(derived, omega), motionalBranch(derived, einbau, omega).zm);
}

void CalcDriver(const TChassis& driver, const TEinbau& einbau, const Grid& freq, DriverOutputs& out,
                std::string& message) {
    TChassis c = driver;
    const TEinbau e = einbau;
    message.clear();
    if (!positive(c.Vas) && positive(c._SPL) && positive(c.fs) && positive(c.Qes) &&
        positive(c.Re)) {
        c.Vas = std::pow(10.0, (c._SPL - ReferenceLevel) / 10.0) /
                (ReferenceEfficiency * c.fs * c.fs * c.fs) * c.Qes / (8.0 / c.Re);
    }
    if (!parameterSetComplete(c) && measuredOnlyPossible(c, e)) {
        writeMeasuredOnlyOutputs(c, freq, out);
        message = "Ok";
        return;
    }
    message = inputFaults(c, e);
    if (message.size() > 2) {
        return;
    }
    if (!isKnownType(e.Typ)) {
        message = CannotCalculate;
        return;
    }
    message = "Unknown error.";
    int i = 0;
    for (; i < GridSize && freq[i] > 0.0; ++i) {
        const PointOutputs p = evaluateAt(c, e, freq[i]);
        if (!isFinite(p)) {
            message = CannotCalculate;
            return;
        }
        out.PFront[i] = p.front;
        out.PRear[i] = p.rear;
        out.ZDrv[i] = p.z;
        out.XFig[i] = p.x;
        out.PCone[i] = p.cone;
    }
    // A list without its terminating entry would have run past the last index.
    message = i < GridSize ? "Ok" : CannotCalculate;
}

} // namespace tavrel
