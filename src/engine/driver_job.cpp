// The driver job of the calculation thread: runs the driver model for one driver of the working
// project, stores the outputs in the results, and corrects a copy of the pressures (and the
// impedance) with the driver's measured responses where the user asked for that.
#include "engine/baffle.h"
#include "engine/driver_model.h"

#include <cmath>
#include <memory>

namespace tavrel {
namespace {

constexpr double TwoPi = 6.283185307179586;
constexpr double SpeedOfSound = 344.0;
constexpr double ReferenceLevel = 112.0;
const char* const CannotCalculate = "Cannot calculate driver.";

bool isOk(const std::string& message) {
    return message.size() <= 2;
}

bool isFinite(TComplex z) {
    return std::isfinite(z.Re) && std::isfinite(z.Im);
}

template <typename Visit>
void forEachGridPoint(const Grid& freq, Visit visit) {
    for (int i = 0; i < GridSize && freq[i] > 0.0; ++i) {
        visit(i, freq[i]);
    }
}

void storeModelOutputs(const DriverOutputs& out, const Grid& freq, int d, TResult& result) {
    forEachGridPoint(freq, [&](int i, double) {
        result.PFrontBlend[d][i] = out.PFront[i];
        result.PFrontModel[d][i] = out.PFront[i];
        result.PRearBlend[d][i] = out.PRear[i];
        result.PRearModel[d][i] = out.PRear[i];
        result.XFig[d][i] = out.XFig[i];
        result.PCone[d][i] = out.PCone[i];
        result.ChassisZ[d][i] = out.ZDrv[i];
    });
}

/// Fades the correction in between fc and 3·fc: at low frequencies a measurement is shaped by
/// its test enclosure and room more than by the driver, so the model alone is kept there.
TComplex fadeIn(TComplex correction, double f, double fc) {
    if (f < fc) {
        return {1.0, 0.0};
    }
    if (f < 3.0 * fc) {
        const double w = f / (2.0 * fc) - 0.5;
        return {w * correction.Re + 1.0 - w, w * correction.Im};
    }
    return correction;
}

/// Measured pressure at f, moved from the driver's acoustic centre to the baffle plane.
TComplex measuredPressure(const TChassis& c, double f, double smoothing) {
    const double lambda = SpeedOfSound / f;
    const double level = InterpCurve(c.FgangAF, c.FgangA, f, smoothing);
    const double phase = InterpPhase(c.FgangAPF, c.FgangAP, f);
    const TComplex m = CPolar(std::pow(10.0, (level - ReferenceLevel) / 20.0), phase);
    return CRotate(m, TwoPi * c.seo / lambda);
}

/// The model as it would have been measured: in the measurement enclosure and on the
/// measurement baffle, with the texts of both runs.
struct AsMeasured {
    std::unique_ptr<DriverOutputs> out = std::make_unique<DriverOutputs>();
    std::unique_ptr<Directional> baffle = std::make_unique<Directional>();
    std::string modelText;
    std::string baffleText;
};

void runAsMeasured(const TProjekt& working, int d, AsMeasured& m) {
    TChassis driver = working.Chassis[d];
    TEinbau einbau = working.Einbau[d];
    if (einbau.Typ > 0) {
        SetMeasurementEnclosure(einbau, driver.fgang_which);
    }
    EstimateEnclosure(driver, einbau);
    CalcDriver(driver, einbau, working.f, *m.out, m.modelText);
    if (!isOk(m.modelText)) {
        return;
    }
    TSchallwand baffle = working.Schallwand[d];
    SetMeasurementBaffle(baffle, driver.fgang_which);
    CalcBaffle(*m.baffle, baffle, working.f, driver.seo, m.baffleText);
}

/// Multiplies the blended pressures by measured / modelled. False on an arithmetic failure.
bool blendFrequencyResponse(const TProjekt& working, int d, const AsMeasured& m, TResult& result) {
    const TChassis& c = working.Chassis[d];
    bool finite = true;
    forEachGridPoint(working.f, [&](int i, double f) {
        if (!finite) {
            return;
        }
        const TComplex b = (*m.baffle)[i][0];
        const TComplex measured = measuredPressure(c, f, working.Option.glatt_a);
        const TComplex model = CAdd(CMul(b, m.out->PFront[i]), CMul(b, m.out->PRear[i]));
        TComplex r =
            c.useFgangAP ? CDiv(measured, model) : TComplex{CAbs(measured) / CAbs(model), 0.0};
        if (c.useFgangA2fs) {
            r = fadeIn(r, f, c.fc);
        }
        if (!isFinite(r)) {
            finite = false;
            return;
        }
        result.PFrontBlend[d][i] = CMul(result.PFrontBlend[d][i], r);
        result.PRearBlend[d][i] = CMul(result.PRearBlend[d][i], r);
    });
    return finite;
}

/// Replaces the impedance by the measured one where the enclosure no longer shapes it.
bool blendImpedance(const TProjekt& working, int d, TResult& result) {
    const TChassis& c = working.Chassis[d];
    const bool everywhere = working.Einbau[d].Typ == EinbauIntegrated;
    bool finite = true;
    forEachGridPoint(working.f, [&](int i, double f) {
        if (!finite || !(everywhere || f > 3.0 * c.fc)) {
            return;
        }
        const double magnitude = InterpCurve(c.FgangIF, c.FgangI, f, working.Option.glatt_i);
        const double phase = InterpPhase(c.FgangIPF, c.FgangIP, f);
        TComplex& z = result.ChassisZ[d][i];
        const TComplex measured =
            c.useFgangIP ? CPolar(magnitude, phase) : CScale(z, magnitude / CAbs(z));
        if (!isFinite(measured)) {
            finite = false;
            return;
        }
        z = measured;
    });
    return finite;
}

std::string withoutOk(const std::string& text) {
    return text == "Ok" ? std::string() : text;
}

std::string statusText(int d, const std::string& modelText, const std::string& baffleText) {
    const std::string combined = withoutOk(modelText) + withoutOk(baffleText);
    if (combined.empty()) {
        return "Ok";
    }
    if (combined.size() <= 2) {
        return combined;
    }
    return "Error: driver " + std::to_string(d + 1) + ": " + combined;
}

std::string runJob(const TProjekt& working, int d, TResult& result) {
    const TChassis& driver = working.Chassis[d];
    auto out = std::make_unique<DriverOutputs>();
    std::string modelText;
    CalcDriver(driver, working.Einbau[d], working.f, *out, modelText);
    if (!isOk(modelText)) {
        return statusText(d, modelText, "");
    }
    storeModelOutputs(*out, working.f, d, result);

    std::string baffleText;
    if (driver.useFgangA) {
        AsMeasured m;
        runAsMeasured(working, d, m);
        modelText = m.modelText;
        baffleText = m.baffleText;
        if (isOk(modelText) && isOk(baffleText) && !blendFrequencyResponse(working, d, m, result)) {
            return statusText(d, CannotCalculate, baffleText);
        }
    }
    if (driver.useFgangI && (modelText + baffleText).size() <= 4 &&
        !blendImpedance(working, d, result)) {
        return statusText(d, CannotCalculate, baffleText);
    }
    return statusText(d, modelText, baffleText);
}

} // namespace

std::string RunDriverJob(const TProjekt& working, int d, TResult& result) {
    if (d < 0 || d >= ChassisSlots) {
        return statusText(d, CannotCalculate, "");
    }
    try {
        return runJob(working, d, result);
    } catch (...) { // nothing may leave a calculation job
        return statusText(d, CannotCalculate, "");
    }
}

} // namespace tavrel
