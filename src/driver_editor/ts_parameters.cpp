// Vas by added mass: the mass lowers the resonance, Mms = m/((fs/fs')² − 1). Vas by closed box:
// the box's stiffness raises resonance and Qe alike, Vas = Vb·(fc·Qec/(fs·Qes) − 1).
#include "driver_editor/ts_parameters.h"

#include "engine/driver_model.h"
#include "engine/driver_model_detail.h"
#include "foundation/number_text.h"

#include <memory>

namespace tavrel {
namespace {

constexpr double TwoPi = 6.283185307179586;

std::string hz(double f) {
    return FloatToWidth(7, f) + " Hz";
}

/// Vas from the second fit, or a message why the two curves do not give one.
std::string vasOf(const ImpedanceFit& free, const ImpedanceFit& second, const VasInput& in,
                  double& vas) {
    if (in.method == VasMethod::AddedMass) {
        if (!(second.fs < free.fs)) {
            return "With the added mass the resonance is at " + hz(second.fs) +
                   ", not below the free-air resonance at " + hz(free.fs) +
                   ": check the files and the mass.";
        }
        const double ratio = free.fs / second.fs;
        const double mms = in.mass / (ratio * ratio - 1.0);
        const double cms = 1.0 / (TwoPi * TwoPi * free.fs * free.fs * mms);
        vas = cms * in.Amem * in.Amem / driver_detail::CompliancePerVolume;
        return {};
    }
    const double k2 = second.fs * second.Qes / (free.fs * free.Qes);
    if (!(k2 > 1.0)) {
        return "In the box the resonance (" + hz(second.fs) +
               ") and Qes do not rise above their free-air values (" + hz(free.fs) +
               "): check the files and the volume.";
    }
    vas = in.boxVolume * (k2 - 1.0);
    return {};
}

void deriveMechanics(TsParameters& p) {
    const ImpedanceFit& f = p.freeAir;
    p.Qts = f.Qms * f.Qes / (f.Qms + f.Qes);
    if (!(p.Vas > 0.0)) {
        return;
    }
    auto c = std::make_unique<TChassis>();
    c->fs = f.fs;
    c->Qes = f.Qes;
    c->Qms = f.Qms;
    c->Re = f.Re;
    c->Vas = p.Vas;
    c->Amem = p.Amem;
    CalcDerived(*c, TEinbau{}, 1.0);
    p.SPL = c->SPL;
    if (p.Amem > 0.0) {
        p.Bl = c->Bl;
        p.Mms = c->Mmd;
        p.Cms = c->Cmd;
        p.Rms = TwoPi * f.fs * p.Mms / f.Qms;
    }
}

} // namespace

std::string VasInputFault(const VasInput& in) {
    if (in.Amem < 0.0 || (in.method == VasMethod::AddedMass && !(in.Amem > 0.0))) {
        return "The piston area Sd must be greater than 0.";
    }
    if (in.method == VasMethod::AddedMass && !(in.mass > 0.0)) {
        return "The added mass must be greater than 0.";
    }
    if (in.method == VasMethod::ClosedBox && !(in.boxVolume > 0.0)) {
        return "The box volume must be greater than 0.";
    }
    return {};
}

TsResult DeriveParameters(const ImpedanceFit& freeAir, const ImpedanceFit& second,
                          const VasInput& input) {
    TsResult r;
    r.message = VasInputFault(input);
    if (!r.message.empty()) {
        return r;
    }
    r.p.freeAir = freeAir;
    r.p.Amem = input.Amem;
    if (input.method != VasMethod::None) {
        r.p.second = second;
        r.message = vasOf(freeAir, second, input, r.p.Vas);
        if (!r.message.empty()) {
            return r;
        }
    }
    deriveMechanics(r.p);
    r.ok = true;
    return r;
}

TsResult FitThieleSmall(const ImpedanceCurve& freeAir, const ImpedanceCurve& second,
                        const VasInput& input) {
    TsResult r;
    r.message = VasInputFault(input);
    if (!r.message.empty()) {
        return r;
    }
    const ImpedanceFitResult free = FitImpedance(freeAir);
    if (!free.ok) {
        r.message = "Free-air curve: " + free.message;
        return r;
    }
    ImpedanceFitResult other;
    if (input.method != VasMethod::None) {
        other = FitImpedance(second);
        if (!other.ok) {
            const bool mass = input.method == VasMethod::AddedMass;
            r.message = (mass ? "Curve with added mass: " : "Curve in the box: ") + other.message;
            return r;
        }
    }
    return DeriveParameters(free.fit, other.fit, input);
}

std::vector<TsAdoptRow> AdoptRows(const TChassis& d, const TsParameters& p) {
    const ImpedanceFit& f = p.freeAir;
    std::vector<TsAdoptRow> rows{{"fs", "Hz", 1, &TChassis::fs, d.fs, f.fs},
                                 {"Qes", "", 1, &TChassis::Qes, d.Qes, f.Qes},
                                 {"Qms", "", 1, &TChassis::Qms, d.Qms, f.Qms},
                                 {"Re", "ohm", 1, &TChassis::Re, d.Re, f.Re},
                                 {"Le", "mH", 1e3, &TChassis::Le, d.Le, f.Le},
                                 {"Re2", "ohm", 1, &TChassis::Re2, d.Re2, f.Re2},
                                 {"Le2", "mH", 1e3, &TChassis::Le2, d.Le2, f.Le2},
                                 {"Re3", "ohm", 1, &TChassis::Re3, d.Re3, f.Re3},
                                 {"Le3", "mH", 1e3, &TChassis::Le3, d.Le3, f.Le3}};
    if (p.Vas > 0.0) {
        rows.push_back({"Vas", "l", 1e3, &TChassis::Vas, d.Vas, p.Vas});
    }
    if (p.Amem > 0.0) {
        rows.push_back({"Sd", "cm2", 1e4, &TChassis::Amem, d.Amem, p.Amem});
    }
    return rows;
}

void AdoptChosen(TChassis& d, const TsParameters& p, const std::vector<bool>& chosen) {
    const std::vector<TsAdoptRow> rows = AdoptRows(d, p);
    for (std::size_t i = 0; i < rows.size() && i < chosen.size(); ++i) {
        if (chosen[i]) {
            d.*rows[i].field = rows[i].fitted;
        }
    }
}

void AdoptParameters(TChassis& d, const TsParameters& p) {
    AdoptChosen(d, p, std::vector<bool>(AdoptRows(d, p).size(), true));
}

} // namespace tavrel
