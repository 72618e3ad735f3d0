#include "app/workflow.h"

#include "foundation/ascii_case.h"
#include "foundation/number_text.h"
#include "model/file_result.h"

#include <algorithm>
#include <cctype>
#include <cmath>

namespace tavrel {

std::string ShortenPath(std::string_view path, int maxChars, char separator) {
    if (static_cast<int>(path.size()) <= maxChars) {
        return std::string(path);
    }
    const auto firstSep = path.find(separator);
    if (firstSep == std::string_view::npos) {
        return std::string(path);
    }
    const std::string first(path.substr(0, firstSep + 1));
    const std::string ellipsis = std::string("...") + separator;
    std::string_view rest = path.substr(firstSep + 1);
    while (true) {
        const auto next = rest.find(separator);
        if (next == std::string_view::npos) {
            return first + ellipsis + std::string(rest);
        }
        rest = rest.substr(next + 1);
        if (static_cast<int>(first.size() + ellipsis.size() + rest.size()) <= maxChars) {
            return first + ellipsis + std::string(rest);
        }
    }
}

std::string MainCaption(std::string_view version, std::string_view path, int windowWidth,
                        char separator) {
    return "Tavrel " + std::string(version) + " - KELMORA-Edition [" +
           ShortenPath(path, (windowWidth - 180) / 9, separator) + "]";
}

std::string ProjectSaveName(std::string_view chosen) {
    const auto [base, plainSuffix] = SplitPlainSuffix(chosen);
    std::string name(base);
    const std::string tail = AsciiUpper(name.size() >= 4 ? name.substr(name.size() - 4) : name);
    if (tail != ".TVP") {
        name += ".TVP";
    }
    return name.size() > 4 ? name + std::string(plainSuffix) : std::string();
}

ProjectProperties PropertiesOf(const TProjekt& p) {
    ProjectProperties props;
    props.nAmps = p.nAmps;
    props.nChassis = p.nChassis;
    props.fMin = FloatToWidth(10, p.Option.fMin);
    props.fMax = FloatToWidth(10, p.Option.fMax);
    props.points = p.Option.sz;
    props.comment1 = p.Comment1.str();
    props.comment2 = p.Comment2.str();
    props.dspRate = p.DSPRate;
    return props;
}

void ApplyProperties(TProjekt& p, const ProjectProperties& props) {
    p.nAmps = static_cast<std::int16_t>(std::clamp(props.nAmps, 1, MaxAmps));
    p.nChassis = static_cast<std::int16_t>(std::clamp(props.nChassis, 1, MaxChassis));
    double fMin = TextToFloat(props.fMin);
    double fMax = TextToFloat(props.fMax);
    if (fMax < fMin) {
        std::swap(fMin, fMax);
    }
    // A grid needs two distinct, positive and finite ends.
    if (fMin == fMax || !(fMin > 0) || !std::isfinite(fMax)) {
        fMin = 20;
        fMax = 20000;
    }
    p.Option.fMin = fMin;
    p.Option.fMax = fMax;
    p.Option.sz = std::clamp(props.points, MinGridPoints, MaxGridPoints);
    BuildGrid(p);
    p.Comment1 = props.comment1;
    p.Comment2 = props.comment2;
    p.DSPRate = IsDspRate(props.dspRate) ? props.dspRate : 0;
    const double smoothing = std::log10(fMax / fMin) / p.Option.sz * 7;
    p.Option.glatt_a = smoothing;
    p.Option.glatt_i = smoothing;
}

std::string DriverMenuCaption(int d, const TProjekt& p) {
    std::string caption = "Driver &" + std::to_string(d + 1) + ": " + p.Chassis[d].Name.str();
    const TEinbau& einbau = p.Einbau[d];
    if (einbau.Typ == EinbauClosed || einbau.Typ == EinbauVented ||
        einbau.Typ == EinbauPassiveRadiator) {
        const double litres = std::round(einbau.Vb * 1000.0 * 1000.0) / 1000.0;
        caption += " in " + FloatToWidth(10, litres) +
                   (einbau.Typ == EinbauClosed   ? " liters closed."
                    : einbau.Typ == EinbauVented ? " liters vented."
                                                 : " liters with passive radiators.");
    }
    return caption;
}

} // namespace tavrel
