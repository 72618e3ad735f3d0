#include "engine/passive_radiator.h"

#include "engine/driver_model_detail.h"

#include <cmath>
#include <limits>

namespace tavrel {

using namespace driver_detail;

namespace {

constexpr double TwoPi = 6.283185307179586;

} // namespace

bool RadiatorDataValid(const TEinbau& e) {
    return e.PRn >= 1 && e.PRn <= MaxRadiators && positive(e.PRSd) && positive(e.PRVas) &&
           positive(e.PRfs) && positive(e.PRQms) && positive(e.PRxmax) && e.PRmadd >= 0.0;
}

double RadiatorCompliance(const TEinbau& e) {
    return CompliancePerVolume * e.PRVas / (e.PRSd * e.PRSd);
}

double RadiatorMass(const TEinbau& e) {
    return 1.0 / (FourPiSquared * e.PRfs * e.PRfs * RadiatorCompliance(e)) + e.PRmadd;
}

RadiatorTuning TuningOf(const TEinbau& e, double vab) {
    if (!RadiatorDataValid(e) || !positive(vab)) {
        return {};
    }
    RadiatorTuning t;
    t.fp = 1.0 / (TwoPi * std::sqrt(RadiatorMass(e) * RadiatorCompliance(e)));
    t.fb = t.fp * std::sqrt(1.0 + e.PRn * e.PRVas / vab);
    return t;
}

double AddedMassFor(const TEinbau& e, double vab, double fb) {
    TEinbau bare = e;
    bare.PRmadd = 0.0;
    if (!RadiatorDataValid(bare) || !positive(vab) || !positive(fb)) {
        return std::numeric_limits<double>::quiet_NaN();
    }
    const double fp = fb / std::sqrt(1.0 + e.PRn * e.PRVas / vab);
    const double mass = 1.0 / (FourPiSquared * fp * fp * RadiatorCompliance(e));
    return mass - RadiatorMass(bare);
}

RadiatorElements RadiatorElementsOf(const TEinbau& e, double vas, double lms) {
    RadiatorElements r;
    const RadiatorTuning t = TuningOf(e, 1.0);
    r.Lpr = e.PRn * e.PRVas / vas * lms;
    r.Cpr = 1.0 / (FourPiSquared * t.fp * t.fp * r.Lpr);
    // The maker's Qms holds for the bare radiator; added mass leaves the losses unchanged.
    r.Rpr = e.PRQms * TwoPi * e.PRfs * r.Lpr;
    return r;
}

} // namespace tavrel
