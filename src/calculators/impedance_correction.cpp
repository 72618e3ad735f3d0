#include "calculators/impedance_correction.h"

#include <numbers>

namespace tavrel {

namespace {

void resistor(LineList& list, const char* name, double ohm) {
    list.Number(std::string(name) + " = ", ohm, 5, " ohm");
}

} // namespace

CorrectionLines ImpedanceCorrection(const CorrectionInputs& in) {
    const double rdc = FieldValue(in.RLC_Rdc);
    const double fc = FieldValue(in.RLC_fc);
    const double qes = FieldValue(in.RLC_Qes);
    const double qms = FieldValue(in.RLC_Qms);
    const double le = FieldValue(in.RLC_Le) / 1000;
    const double w0 = 2 * std::numbers::pi * fc;
    const bool resonanceKnown = fc > 0 && rdc > 0 && qms > 0 && qes > 0;
    const bool inductanceKnown = le > 0 && rdc > 0;
    CorrectionLines out;
    if (inductanceKnown) {
        LineList list;
        resistor(list, "R", rdc);
        list.Text("C = " + MicroFarad(list, le / (rdc * rdc)));
        out.inductance = std::move(list).Finish();
    }
    if (resonanceKnown) {
        LineList list;
        resistor(list, "R", (1 + qes / qms) * rdc);
        list.Text("L = " + MilliHenry(list, rdc * qes / w0));
        list.Text("C = " + MicroFarad(list, 1 / (w0 * qes * rdc)));
        out.resonance = std::move(list).Finish();
    }
    if (resonanceKnown && inductanceKnown) {
        LineList list;
        resistor(list, "R1", rdc);
        resistor(list, "R2", (qes / qms) * rdc);
        list.Text("L  = " + MilliHenry(list, rdc * qes / w0));
        list.Text("C1 = " + MicroFarad(list, le / (rdc * rdc)));
        list.Text("C2 = " + MicroFarad(list, 1 / (w0 * qes * rdc)));
        out.combined = std::move(list).Finish();
    }
    return out;
}

} // namespace tavrel
