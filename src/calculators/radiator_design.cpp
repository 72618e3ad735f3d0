#include "calculators/radiator_design.h"

#include "engine/driver_model.h"
#include "engine/passive_radiator.h"

#include <cmath>

namespace tavrel {

namespace {

constexpr double LitresPerM3 = 1000.0;
constexpr double Cm2PerM2 = 10000.0;
constexpr double MmPerM = 1000.0;
constexpr double GramsPerKg = 1000.0;

/// The radiator data with the given added mass, in SI units.
TEinbau typed(const RadiatorInputs& in) {
    TEinbau e;
    e.Typ = EinbauPassiveRadiator;
    e.Vb = FieldValue(in.Vb) / LitresPerM3;
    e.vV = FieldValue(in.vV);
    e.PRn = in.PRn;
    e.PRSd = FieldValue(in.PRSd) / Cm2PerM2;
    e.PRVas = FieldValue(in.PRVas) / LitresPerM3;
    e.PRfs = FieldValue(in.PRfs);
    e.PRQms = FieldValue(in.PRQms);
    e.PRxmax = FieldValue(in.PRxmax) / MmPerM;
    e.PRmadd = FieldValue(in.PRmadd) / GramsPerKg;
    return e;
}

double acousticVolume(const TEinbau& e) {
    return e.Vb * e.vV;
}

bool usable(const TEinbau& e) {
    return RadiatorDataValid(e) && acousticVolume(e) > 0;
}

void addedMassLines(LineList& list, const TEinbau& e, double fb) {
    if (!(fb > 0)) {
        list.Text("Enter the wanted tuning frequency fb to get the added mass.");
        return;
    }
    const double mass = AddedMassFor(e, acousticVolume(e), fb);
    list.Number("Added mass per radiator for fb = " + list.Format(fb, 5) + " Hz: ",
                mass * GramsPerKg, 6, " g");
    if (mass < 0) {
        TEinbau bare = e;
        bare.PRmadd = 0;
        list.Text("Warning: the needed mass is negative: the radiators cannot be tuned that high");
        list.Number("(without added mass fb = ", TuningOf(bare, acousticVolume(e)).fb, 5,
                    " Hz). Use stiffer or fewer radiators or a smaller volume.");
        return;
    }
    TEinbau tuned = e;
    tuned.PRmadd = mass;
    list.Number("Resonance of one radiator with it: fp = ", TuningOf(tuned, 1.0).fp, 5, " Hz");
}

void displacementLines(LineList& list, const TEinbau& e, const RadiatorInputs& in) {
    const double driver = FieldValue(in.Sd) / Cm2PerM2 * FieldValue(in.xlin) / MmPerM;
    const double radiators = e.PRn * e.PRSd * e.PRxmax;
    if (driver > 0 && radiators < driver) {
        list.Text("Warning: the radiators' displacement n*Sd*xmax (" +
                  list.Format(radiators * 1e6, 6) + " cm3) is smaller than the driver's");
        list.Text("Sd*xlin (" + list.Format(driver * 1e6, 6) +
                  " cm3): they reach their limit first.");
    }
}

} // namespace

bool RadiatorDataUsable(const RadiatorInputs& in) {
    const TEinbau e = typed(in);
    TEinbau bare = e;
    bare.PRmadd = 0;
    return usable(bare) && e.PRmadd >= 0;
}

std::optional<TEinbau> RadiatorEnclosure(const RadiatorInputs& in) {
    TEinbau e = typed(in);
    e.PRmadd = 0;
    if (!usable(e)) {
        return std::nullopt;
    }
    e.PRmadd = AddedMassFor(e, acousticVolume(e), FieldValue(in.fb));
    if (!std::isfinite(e.PRmadd)) {
        return std::nullopt;
    }
    return e;
}

Lines RadiatorDesign(const RadiatorInputs& in) {
    LineList list;
    const TEinbau e = typed(in);
    TEinbau bare = e;
    bare.PRmadd = 0;
    if (!RadiatorDataUsable(in)) {
        list.Text("Data incomplete.");
        list.Text("Volume, vV, radiator Sd, Vas, fs, Qms and xmax must be > 0,");
        list.Text("1 to 8 radiators, added mass not negative.");
        return std::move(list).Finish();
    }
    list.Number("Acoustic volume: ", acousticVolume(e) * LitresPerM3, 6, " liter");
    addedMassLines(list, bare, FieldValue(in.fb));
    const RadiatorTuning given = TuningOf(e, acousticVolume(e));
    list.Number("With " + list.Format(e.PRmadd * GramsPerKg, 5) + " g per radiator: fp = ",
                given.fp, 5, " Hz, fb = " + list.Format(given.fb, 5) + " Hz");
    displacementLines(list, e, in);
    return std::move(list).Finish();
}

bool UseRadiatorsForEnclosure(const RadiatorInputs& in, const TChassis& driver, TEinbau& einbau) {
    const std::optional<TEinbau> designed = RadiatorEnclosure(in);
    if (!designed || !RadiatorDataUsable(in)) {
        return false;
    }
    TEinbau e = einbau;
    e.Typ = EinbauPassiveRadiator;
    e.Vb = designed->Vb;
    e.PRn = designed->PRn;
    e.PRSd = designed->PRSd;
    e.PRVas = designed->PRVas;
    e.PRfs = designed->PRfs;
    e.PRQms = designed->PRQms;
    e.PRxmax = designed->PRxmax;
    EstimateEnclosure(driver, e);
    e.PRmadd = AddedMassFor(e, acousticVolume(e), FieldValue(in.fb));
    if (!(e.PRmadd >= 0)) {
        return false;
    }
    einbau = e;
    return true;
}

} // namespace tavrel
