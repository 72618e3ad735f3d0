// The lumped equivalent circuit of a driver in its enclosure. The mechanical and acoustic
// elements are mapped onto their electrical duals as seen from the voice coil: the moving mass
// becomes a capacitor, compliances become inductors, losses become parallel resistors. Elements
// an enclosure type does not use get values that make their branch an open circuit.
#include "engine/driver_model.h"

#include <algorithm>
#include <cmath>

namespace tavrel {
namespace {

constexpr double Pi = 3.141592653589793;
constexpr double TwoPi = 6.283185307179586;
constexpr double FourPiSquared = 39.47841760435743;
constexpr double CompliancePerVolume = 7.21e-6; // 1/(rho·c²), 1/Pa
constexpr double ReferenceEfficiency = 9.64e-7; // 4π²/c³
constexpr double ExcursionScale = 21.537;
constexpr double ExcursionPi = 3.1415926; // the excursion figure keeps this shorter pi
constexpr double ReferenceLevel = 112.0;

constexpr double OpenResistor = 1e99;
constexpr double OpenCapacitor = 1e-105;
constexpr double OpenInductor = 1e102;
constexpr double UnusedQ = 9999.0;

constexpr int LastIndex = GridSize - 1;

const TComplex NoOutput{1e-100, 0.0};

bool positive(double x) {
    return x > 0.0;
}

bool isVentedRear(int typ) {
    return typ == EinbauVented || typ == EinbauBandpassBivented;
}

bool isBandpass(int typ) {
    return typ == EinbauBandpass || typ == EinbauBandpassBivented;
}

bool isKnownType(int typ) {
    return typ >= EinbauIntegrated && typ <= EinbauBandpassBivented;
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
    if (typ < EinbauClosed || typ > EinbauBandpassBivented) {
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

double volumeFactor(double x) {
    return 1.0 + 0.0375 * x + 0.00625 * x * x;
}

double portQ(double k) {
    return 20.0 / (4.0 * k * k + 4.0 * k + 1.0);
}

/// A heavier diaphragm makes the air load relatively smaller, hence the power of mb0.
double estimatedMassFactor(const TChassis& driver, double v, double c) {
    const double x = 0.3 * v + 0.7 * c;
    const double mb0 = 0.98 - 0.03 * x - 0.0075 * x * x;
    if (!(positive(driver.Amem) && positive(driver.fs) && positive(driver.Vas))) {
        return mb0;
    }
    const double movingMass =
        driver.Amem * driver.Amem /
        (FourPiSquared * driver.fs * driver.fs * CompliancePerVolume * driver.Vas);
    return std::pow(mb0, 0.25 * driver.Amem / movingMass);
}

double estimatedAirLoadLimit(const TChassis& driver, const TEinbau& einbau, double v, double c) {
    if (!(positive(einbau.Vb) && positive(driver.Amem))) {
        return 344.0;
    }
    const double r = (3.0 * c + 1.0) / (2.0 * c + v + 5.0);
    const double divisor =
        r * std::sqrt(driver.Amem / 4.0) + (1.0 - r) * 0.35 * std::pow(einbau.Vb, 0.33333);
    return positive(divisor) ? 85.0 / divisor : 344.0;
}

/// Damping settings outside 0..4 would make some estimate formulas divide by zero.
double dampingValue(std::int8_t setting) {
    return static_cast<double>(std::clamp<int>(setting, 0, 4));
}

} // namespace

void EstimateEnclosure(const TChassis& driver, TEinbau& einbau) {
    if (einbau.mbQExpl) {
        return;
    }
    const int typ = einbau.Typ;
    const double v = dampingValue(einbau.Bedv);
    const double c = dampingValue(einbau.Bedc);
    const double k = dampingValue(einbau.Bedk);
    const double vf = dampingValue(einbau.Bedvf);
    const double kf = dampingValue(einbau.Bedkf);
    const bool vented = isVentedRear(typ);

    einbau.vV = 1.0;
    einbau.mb = 1.0;
    einbau.Ql = UnusedQ;
    einbau.Qb = UnusedQ;
    einbau.Qk = UnusedQ;
    if (typ != EinbauIntegrated) {
        const double xv = vented ? 0.8 * v + 0.1 * c + 0.1 * k : 0.85 * v + 0.15 * c;
        const double xl = vented ? 0.3 * v + 0.65 * c + 0.05 * k : 0.35 * v + 0.65 * c;
        einbau.vV = volumeFactor(xv);
        einbau.mb = estimatedMassFactor(driver, v, c);
        einbau.Ql = 240.0 / (xl * xl + 4.0 * xl + 12.0);
    }
    if (vented) {
        const double xb = 0.8 * v + 0.2 * c;
        einbau.Qb = 80.0 / (xb * xb + 4.0 * xb + 4.0);
        einbau.Qk = portQ(k);
    }

    einbau.vVf = 1.0;
    einbau.Qbf = UnusedQ;
    einbau.Qkf = UnusedQ;
    if (isBandpass(typ)) {
        einbau.vVf = volumeFactor(0.85 * vf + 0.15 * kf);
        einbau.Qbf = 80.0 / (vf * vf + 4.0 * vf + 4.0);
        einbau.Qkf = portQ(kf);
    }
    einbau.fmb = estimatedAirLoadLimit(driver, einbau, v, c);
}

namespace {

void setClosedTestBox(TEinbau& einbau, double vb, double vV, double mb, double fmb, double ql) {
    einbau.Typ = EinbauClosed;
    einbau.Vb = vb;
    einbau.vV = vV;
    einbau.mb = mb;
    einbau.fmb = fmb;
    einbau.Ql = ql;
    einbau.mbQExpl = true;
}

} // namespace

void SetMeasurementEnclosure(TEinbau& einbau, int condition) {
    switch (condition) {
    case 1:
        setClosedTestBox(einbau, 1e99, 1.0, 1.0, 1.0, 99999.0);
        break;
    case 2:
        setClosedTestBox(einbau, 0.2, 1.1, 0.99, 10.0, 99999.0);
        break;
    case 3:
    case 6:
        setClosedTestBox(einbau, 0.5, 1.25, 1.0, 400.0, 8.5);
        break;
    case 4:
    case 7:
        setClosedTestBox(einbau, 0.5, 1.25, 1.0, 600.0, 8.5);
        break;
    default: // 5: measured in the simulated box itself; anything else is left alone too
        break;
    }
}

namespace {

/// Where f falls in a measured list of `count` points: between `upper` − 1 and `upper`, or
/// outside the list (then `outside` holds the index of the nearest end point).
struct Bracket {
    int upper = 0;
    int outside = -1;
};

Bracket bracketOf(const MeasuredArray& F, double f) {
    const int count = MeasuredCount(F);
    if (count == 0 || F[0] > f) {
        return {0, 0};
    }
    int i = 1;
    while (i < count && F[i] < f) {
        ++i;
    }
    if (i == count) {
        return {i, count - 1};
    }
    return {i, -1};
}

double interpolate(double f, double f0, double f1, double v0, double v1) {
    if (f1 == f0) {
        return v0;
    }
    return v0 + (f - f0) / (f1 - f0) * (v1 - v0);
}

double lookup(const MeasuredArray& F, const MeasuredArray& V, double f) {
    const Bracket b = bracketOf(F, f);
    if (b.outside >= 0) {
        return V[b.outside];
    }
    const int i = b.upper;
    return interpolate(f, F[i - 1], F[i], V[i - 1], V[i]);
}

} // namespace

double InterpCurve(const MeasuredArray& F, const MeasuredArray& V, double f, double width) {
    const double plain = lookup(F, V, f);
    if (!(width > 0.0)) {
        return plain;
    }
    const int count = MeasuredCount(F);
    double weightSum = 0.0;
    double weighted = 0.0;
    for (int j = 0; j < count; ++j) {
        const double d = std::abs((F[j] - f) / f);
        if (d < width) {
            const double u = (width - d) / width;
            const double w = u * u * u / (u * u + 0.25) / (u * u + 0.4);
            weightSum += w;
            weighted += w * V[j];
        }
    }
    return weightSum > 0.0 ? weighted / weightSum : plain;
}

double InterpPhase(const MeasuredArray& F, const MeasuredArray& P, double f) {
    const Bracket b = bracketOf(F, f);
    if (b.outside >= 0) {
        return P[b.outside];
    }
    const int i = b.upper;
    double p0 = P[i - 1];
    double p1 = P[i];
    // Neighbours on both sides of the ±π cut are joined over the cut, not through 0.
    if ((p0 < 0.0) != (p1 < 0.0) && std::abs(p1 - p0) > 3.1416) {
        if (p0 < 0.0) {
            p0 += 6.2832;
        }
        if (p1 < 0.0) {
            p1 += 6.2832;
        }
    }
    return interpolate(f, F[i - 1], F[i], p0, p1);
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
    if (isVentedRear(typ) && !(positive(e.Qb) && positive(e.fb))) {
        message += "Qb and fb must be > 0. ";
    }
    if (isBandpass(typ) && !positive(e.Vbf)) {
        message += "Vbf must be > 0. ";
    }
    if (isBandpass(typ) && !(positive(e.Qbf) && positive(e.fbf))) {
        message += "Qbf and fbf must be > 0. ";
    }
    return message;
}

struct PointOutputs {
    TComplex front, rear, z;
    double x = 0.0;
};

/// Motional branch and the shares of the diaphragm signal that leave through the ports.
struct Motional {
    TComplex zm;
    TComplex rearPortShare{1.0, 0.0};
    TComplex frontPortShare{1.0, 0.0};
};

Motional motionalBranch(const TChassis& c, int typ, double omega) {
    const TComplex rms = resistor(c.Rms);
    const TComplex cms = capacitor(omega, c.Cms);
    const TComplex lms = inductor(omega, c.Lms);
    const TComplex lab = inductor(omega, c.Lab);
    Motional m;
    TComplex zb;
    TComplex zbf;
    if (isVentedRear(typ)) {
        const TComplex zp = CPar(resistor(c.Rbr), capacitor(omega, c.Cbr));
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
    const Motional m = motionalBranch(c, typ, omega);
    const TComplex total = CAdd(zvc, m.zm);
    const TComplex d = CMul(CDiv(m.zm, total), TComplex{0.0, -omega * c.Cms * c.Re});

    const TComplex front = isBandpass(typ) ? CMul(d, m.frontPortShare) : d;
    const double x = CAbs(d) / (4.0 * ExcursionPi * ExcursionPi * f * f);
    c.SPL = sensitivityLevel(c.fsbg, c.Vas, c.Qesbg, c.Re);
    const double g = std::pow(10.0, (c.SPL - ReferenceLevel) / 20.0);

    PointOutputs p;
    p.front = CScale(front, -g);
    // Without a rear port the marker value stays unscaled, so it reads the same for any driver.
    p.rear = isVentedRear(typ) ? CScale(CMul(d, m.rearPortShare), g) : NoOutput;
    p.z = total;
    p.x = ExcursionScale * g * x / c.Amem;
    return p;
}

bool isFinite(const PointOutputs& p) {
    return isFinite(p.front) && isFinite(p.rear) && isFinite(p.z) && std::isfinite(p.x);
}

const char* const CannotCalculate = "Cannot calculate driver.";

} // namespace

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
    }
    // A list without its terminating entry would have run past the last index.
    message = i < GridSize ? "Ok" : CannotCalculate;
}

} // namespace tavrel
