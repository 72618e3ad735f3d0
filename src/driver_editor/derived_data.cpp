#include "driver_editor/derived_data.h"

#include "engine/driver_model.h"
#include "engine/passive_radiator.h"
#include "foundation/number_text.h"

#include <cmath>

namespace tavrel {

namespace {

struct DerivedLine {
    const char* label;
    double TChassis::*value;
    double scale;
    const char* unit;
};

const DerivedLine Lines[] = {
    {"Cms = ", &TChassis::Cms, 1, ""},          {"Lms = ", &TChassis::Lms, 1, ""},
    {"Rms = ", &TChassis::Rms, 1, ""},          {"Lab = ", &TChassis::Lab, 1, ""},
    {"Rab = ", &TChassis::Rab, 1, ""},          {"Cbr = ", &TChassis::Cbr, 1, ""},
    {"Rbr = ", &TChassis::Rbr, 1, ""},          {"Labf= ", &TChassis::Labf, 1, ""},
    {"Rabf= ", &TChassis::Rabf, 1, ""},         {"Cbrf= ", &TChassis::Cbrf, 1, ""},
    {"Rbrf= ", &TChassis::Rbrf, 1, ""},         {"fsbg = ", &TChassis::fsbg, 1, ""},
    {"Qts = ", &TChassis::Qts, 1, ""},          {"Qtsbg = ", &TChassis::Qtsbg, 1, ""},
    {"Vab = ", &TChassis::Vab, 1000, " liter"}, {"Vabf = ", &TChassis::Vabf, 1000, " liter"},
    {"Qesbg = ", &TChassis::Qesbg, 1, ""},      {"Qmsbg = ", &TChassis::Qmsbg, 1, ""},
    {"fc  = ", &TChassis::fc, 1, ""},           {"Qec = ", &TChassis::Qec, 1, ""},
    {"Qmc = ", &TChassis::Qmc, 1, ""},          {"Qtc = ", &TChassis::Qtc, 1, ""},
    {"Cmd = ", &TChassis::Cmd, 1000, " mm/N"},  {"Mmd = ", &TChassis::Mmd, 1000, " gram"},
    {"Bl  = ", &TChassis::Bl, 1, ""},           {"SPL = ", &TChassis::SPL, 1, " dB/2,83V"},
    {"Rmd = ", &TChassis::Rmd, 1, " Ns/m"},
};

bool thieleSmallComplete(const TChassis& c) {
    return c.fs > 0 && c.Qes > 0 && c.Qms > 0 && c.Vas > 0 && c.Re > 0 && c.Amem > 0;
}

/// mb as the estimate gives it with the rear volume and the driver surroundings damped so.
double estimatedMb(const TChassis& chassis, TEinbau einbau, std::int8_t damping) {
    einbau.mbQExpl = false;
    if (einbau.Typ == EinbauIntegrated) {
        einbau.Typ = EinbauClosed;
    }
    einbau.Bedv = damping;
    einbau.Bedc = damping;
    EstimateEnclosure(chassis, einbau);
    return einbau.mb;
}

} // namespace

std::vector<std::string> DerivedDataLines(const TChassis& chassis) {
    const bool complete = thieleSmallComplete(chassis);
    std::vector<std::string> lines;
    for (const DerivedLine& line : Lines) {
        const double value = chassis.*line.value * line.scale;
        if (!complete || !std::isfinite(value)) {
            lines.push_back(std::string(line.label) + "?");
        } else {
            lines.push_back(line.label + FloatToWidth(7, value) + line.unit);
        }
    }
    return lines;
}

std::string RadiatorTuningText(const TChassis& chassis, const TEinbau& einbau) {
    if (einbau.Typ != EinbauPassiveRadiator) {
        return {};
    }
    const RadiatorTuning t = TuningOf(einbau, chassis.Vab);
    if (!(t.fb > 0) || !std::isfinite(t.fb)) {
        return "fp = ?   fb = ?";
    }
    return "fp = " + FloatToWidth(5, t.fp) + " Hz   fb = " + FloatToWidth(5, t.fb) + " Hz";
}

std::string VolumeHintText() {
    return "factor by which the acoustical volume is higher than the geometrical volume due to "
           "damping material .\r\n"
           "Approximate values:\r\n"
           "1.0  for an empty enclosure\r\n"
           "1.1  for loose filling\r\n"
           "1.25 for stuffed filling";
}

std::string MassHintText(const TChassis& chassis, const TEinbau& einbau) {
    std::string text = "Recommendation for mb:\r\n";
    if (!thieleSmallComplete(chassis)) {
        text += "<Data cannot be calculated due to missing TS parameters>";
    } else if (!(einbau.Vb > 0)) {
        text += "<Data cannot be calculated due to missing volume information.>";
    } else {
        text += "mb =" + FloatToWidth(5, estimatedMb(chassis, einbau, 0)) +
                " with low absorption material\r\n";
        text += "mb =" + FloatToWidth(5, estimatedMb(chassis, einbau, 4)) +
                " with much absorption material\r\n";
        // Lowest standing wave of a cube of the enclosure's volume.
        const double lowestMode = 344.0 / (2.0 * std::cbrt(einbau.Vb));
        text += "fmb =" + FloatToWidth(6, 0.5 * lowestMode) + " Hz for a cube-shaped enclosure";
    }
    return text +
           "\r\n\r\nmb and fmb are responsible to control the effect of additional air mass that "
           "has to be moved which does not occur under free air conditions. Below fmb the air "
           "in the enclosure moves with the diaphragm and adds mass: mb < 1 lowers the "
           "resonance frequency accordingly. Values between 0.85 (much absorption material "
           "near the driver) and 1.0 (empty enclosure) are usual.\r\n"
           "fmb = 0.5 * frequency of lowest standing wave in the enclosure";
}

} // namespace tavrel
