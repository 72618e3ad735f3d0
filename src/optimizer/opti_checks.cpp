#include "optimizer/opti_checks.h"

#include "optimizer/opti_value.h"

namespace tavrel {

int CountMarkedParts(const TProjekt& project) {
    int count = 0;
    for (int a = 0; a < AmpCount(project); ++a) {
        for (const TWeichePart& part : project.Amps[a].Weiche) {
            count += part.bOpti && IsTunable(part) ? 1 : 0;
        }
    }
    return count;
}

void MarkParts(TProjekt& project, bool allParts) {
    for (int a = 0; a < AmpCount(project); ++a) {
        for (TWeichePart& part : project.Amps[a].Weiche) {
            if (part.typ == PartResistor || (allParts && IsTunable(part))) {
                part.bOpti = true;
            }
        }
    }
}

std::string DriverDataProblem(const TProjekt& project) {
    for (int d = 0; d < ChassisCount(project); ++d) {
        const TChassis& c = project.Chassis[d];
        if (!(c.Amem > 0) || !(c.xlin > 0) || !(c._PMax > 0)) {
            return "Driver" + std::to_string(d + 1) + ":\rSd, xlin and Pmax must be > 0.";
        }
    }
    return {};
}

} // namespace tavrel
