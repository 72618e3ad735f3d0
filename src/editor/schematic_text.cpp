#include "editor/schematic_text.h"

#include "foundation/number_text.h"
#include "model/projekt.h"

#include <algorithm>

namespace tavrel {

namespace {

std::string valueText(double value, double low, double high, double scale, const char* unit,
                      const char* baseUnit) {
    if (value >= low && value <= high) {
        return FloatToWidthPadded(4, value * scale) + unit;
    }
    return FloatToEng4(value) + baseUnit;
}

std::string driverName(const TProjekt& projekt, int chassisnr) {
    if (chassisnr < 0 || chassisnr >= ChassisSlots) {
        return {};
    }
    return projekt.Chassis[chassisnr].Name.str();
}

} // namespace

std::string ResistanceText(double ohm) {
    return valueText(ohm, 0.1, 999.0, 1.0, " ohm", " ohm");
}

std::string CapacitanceText(double farad) {
    return valueText(farad, 1e-7, 0.000999, 1e6,
                     " \xB5"
                     "F",
                     " F");
}

std::string InductanceText(double henry) {
    return valueText(henry, 0.0001, 0.999, 1000.0, " mH", " H");
}

std::pair<std::string, std::string> SplitDriverName(std::string_view name) {
    if (name.size() < 9) {
        return {std::string(name), {}};
    }
    const int n = static_cast<int>(std::min<std::size_t>(name.size(), 40));
    long bestScore = 0;
    int best = -1;
    for (int i = 1; i <= n; ++i) {
        std::string_view left = name.substr(0, i);
        if (left.back() == ' ') {
            left.remove_suffix(1);
        }
        const std::string_view right = name.substr(i);
        const long m = static_cast<long>(std::max({left.size(), right.size(), std::size_t{8}}));
        const long score = -m * m - static_cast<long>(left.size() + right.size());
        if (best < 0 || score > bestScore) {
            bestScore = score;
            best = i;
        }
    }
    std::string left(name.substr(0, best));
    if (left.back() == ' ') {
        left.pop_back();
    }
    return {left, std::string(name.substr(best))};
}

std::pair<std::string, std::string> SlotLabels(const TWeichePart& part, const TProjekt& projekt,
                                               const SchematicView& view) {
    const bool denomination = view.labels == LabelMode::Denomination;
    const std::string comment = denomination ? part.bem.str() : std::string();
    switch (part.typ) {
    case PartResistor:
        return {ResistanceText(part.value), comment};
    case PartCapacitor:
        return {CapacitanceText(part.value), comment};
    case PartInductance:
        return {InductanceText(part.value),
                denomination ? part.bem.str() : ResistanceText(part.Rvalue)};
    case PartDriver: {
        const std::string name = driverName(projekt, part.chassisnr);
        if (!view.printView) {
            return {name, "Driver " + std::to_string(part.chassisnr + 1)};
        }
        return SplitDriverName(name);
    }
    case PartAmpOutput:
        return {"Amp", {}};
    default:
        return {" ", " "};
    }
}

std::array<bool, WeicheNodes> NodeDots(const TWeiche& weiche, bool printView) {
    std::array<bool, WeicheNodes> dots{};
    if (!printView) {
        dots.fill(true);
        return dots;
    }
    std::array<int, WeicheNodes> ends{};
    for (const TWeichePart& part : weiche) {
        if (part.typ <= PartNone) {
            continue;
        }
        for (const std::int32_t node : {part.nod1, part.nod2}) {
            if (node >= 0 && node < WeicheNodes) {
                ++ends[node];
            }
        }
    }
    for (int n = 0; n < WeicheNodes; ++n) {
        dots[n] = ends[n] > 2;
    }
    return dots;
}

} // namespace tavrel
