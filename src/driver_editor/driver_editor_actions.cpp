#include "driver_editor/driver_editor_actions.h"

#include "engine/driver_model.h"
#include "engine/passive_radiator.h"
#include "foundation/ascii_case.h"
#include "foundation/number_text.h"
#include "model/file_result.h"

#include <cmath>

namespace tavrel {

std::string DriverEditUndoText(int slot) {
    return "Driver " + std::to_string(slot + 1) + " Edit";
}

void RefreshDerived(DriverRecords& records) {
    EstimateEnclosure(records.chassis, records.einbau);
    CalcDerived(records.chassis, records.einbau, 1e-10);
}

bool NeedsFsConfirmation(const TChassis& chassis) {
    return !(chassis.fs > 0.0);
}

std::string EnclosureProblem(const TEinbau& einbau) {
    if (einbau.Typ == EinbauPassiveRadiator && !RadiatorDataValid(einbau)) {
        return RadiatorFault;
    }
    return {};
}

void ModifyLevel(TChassis& chassis, double dB) {
    for (int i = 0; i < MeasuredMaxPoints && chassis.FgangAF[i] > 0.0; ++i) {
        if (chassis.FgangAF[i] > 0.001) {
            chassis.FgangA[i] += dB;
        }
    }
}

std::string DriverSaveName(std::string_view chosen) {
    const auto [base, plainSuffix] = SplitPlainSuffix(chosen);
    std::string name(base);
    if (name.size() >= 4 && AsciiUpper(name.substr(name.size() - 4)) == ".TVC") {
        name.resize(name.size() - 4);
    }
    return name + ".TVC" + std::string(plainSuffix);
}

void AdoptLoadedDriver(DriverRecords& records) {
    const double area = records.chassis.Amem > 0.0 ? records.chassis.Amem : 0.0;
    records.baffle.d = 0.999 * std::sqrt(4.0 * area / 3.141592653589793);
    records.baffle.Membranform = records.chassis.Membranform;
}

std::string FitQuestionText(const TChassis& fitted) {
    const auto line = [](const char* name, double value, const char* unit) {
        return std::string(name) + FloatToWidth(6, value) + unit + "\r\n";
    };
    return std::string("Calculation result:\r\n") + line("Le  = ", fitted.Le * 1000, " mH") +
           line("Re2 = ", fitted.Re2, " ohm") + line("Le2 = ", fitted.Le2 * 1000, " mH") +
           line("Re3 = ", fitted.Re3, " ohm") + line("Le3 = ", fitted.Le3 * 1000, " mH") +
           "\r\nAdopt values?";
}

void AdoptFit(TChassis& chassis, const TChassis& fitted) {
    chassis.Le = fitted.Le;
    chassis.Re2 = fitted.Re2;
    chassis.Le2 = fitted.Le2;
    chassis.Re3 = fitted.Re3;
    chassis.Le3 = fitted.Le3;
}

} // namespace tavrel
