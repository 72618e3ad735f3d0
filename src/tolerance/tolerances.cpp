#include "tolerance/tolerances.h"

#include <cmath>

namespace tavrel {

namespace {

constexpr const char* Section = "Tolerance";

struct KindText {
    std::string_view name;
    std::string_view caption;
};

constexpr std::array<KindText, TolKindCount> Texts{{
    {"r", "Resistors"},
    {"c", "Capacitors"},
    {"l", "Inductances"},
    {"dcr", "Inductance resistance"},
    {"fs", "Driver fs"},
    {"qes", "Driver Qes"},
    {"qms", "Driver Qms"},
    {"vas", "Driver Vas"},
    {"rdc", "Driver Rdc"},
    {"prmadd", "Radiator added mass"},
    {"prqms", "Radiator Qms"},
}};

} // namespace

std::string_view TolKindName(TolKind kind) {
    return Texts[static_cast<std::size_t>(kind)].name;
}

std::string_view TolKindCaption(TolKind kind) {
    return Texts[static_cast<std::size_t>(kind)].caption;
}

std::string CheckTolerancePercent(double percent) {
    if (!std::isfinite(percent) || percent < 0 || percent > 100) {
        return "a tolerance lies between 0 and 100 %";
    }
    return {};
}

TTolerances ReadTolerances(TMyIniFile& store) {
    TTolerances t;
    for (int k = 0; k < TolKindCount; ++k) {
        const std::string key(TolKindName(static_cast<TolKind>(k)));
        const double value = store.ReadFloat(Section, key, t.percent[k]);
        if (CheckTolerancePercent(value).empty()) {
            t.percent[k] = value;
        }
    }
    t.normal = store.ReadBool(Section, "normal", t.normal);
    const int runs = store.ReadInteger(Section, "runs", t.runs);
    if (runs >= MinTolRuns && runs <= MaxTolRuns) {
        t.runs = runs;
    }
    const int seed = store.ReadInteger(Section, "seed", static_cast<int>(t.seed));
    if (seed >= 0) {
        t.seed = static_cast<std::uint64_t>(seed);
    }
    return t;
}

void WriteTolerances(TMyIniFile& store, const TTolerances& tolerances) {
    for (int k = 0; k < TolKindCount; ++k) {
        store.WriteFloat(Section, std::string(TolKindName(static_cast<TolKind>(k))),
                         tolerances.percent[k]);
    }
    store.WriteBool(Section, "normal", tolerances.normal);
    store.WriteInteger(Section, "runs", tolerances.runs);
    store.WriteInteger(Section, "seed", static_cast<std::int32_t>(tolerances.seed & 0x7FFFFFFF));
}

} // namespace tavrel
