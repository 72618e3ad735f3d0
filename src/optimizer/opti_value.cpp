#include "optimizer/opti_value.h"

#include <algorithm>

namespace tavrel {

namespace {

/// The largest step of an inductance's series resistance: a few ohm is what a coil's winding
/// has, so steps beyond this only throw the search far off.
constexpr double SeriesRMaxStep = 10.0;

TOptiValue valueEntry(int amp, int slot, const TWeichePart& part) {
    TOptiValue e;
    e.amplifier = amp;
    e.part = slot;
    e.kind = part.typ;
    e.start = part.value;
    e.step = part.value / 16;
    switch (part.typ) {
    case PartResistor:
        e.minimum = 0.001;
        e.maxStep = 1000;
        e.caption = "R = ";
        e.unit = " ohm";
        break;
    case PartCapacitor:
        e.minimum = 1e-9;
        e.maxStep = 0.001;
        e.caption = "C = ";
        e.unit = " µF";
        e.displayFactor = 1e6;
        break;
    default:
        e.minimum = 1e-6;
        e.maxStep = 1;
        e.caption = "L = ";
        e.unit = " mH";
        e.displayFactor = 1000;
        break;
    }
    return e;
}

TOptiValue seriesREntry(int amp, int slot, const TWeichePart& part) {
    TOptiValue e;
    e.amplifier = amp;
    e.part = slot;
    e.kind = PartInductance;
    e.isSeriesR = true;
    e.start = part.Rvalue;
    e.step = part.Rvalue / 7;
    e.minimum = 0.0001;
    e.maxStep = SeriesRMaxStep;
    e.caption = "R(L) = ";
    e.unit = " ohm";
    return e;
}

} // namespace

bool IsTunable(const TWeichePart& part) {
    return part.typ >= PartResistor && part.typ <= PartInductance;
}

OptiValues CollectOptiValues(const TProjekt& project) {
    OptiValues values;
    for (int a = 0; a < AmpCount(project); ++a) {
        for (int slot = 0; slot < WeicheSlots; ++slot) {
            if (static_cast<int>(values.size()) > OptiCollectLimit) {
                return values;
            }
            const TWeichePart& part = project.Amps[a].Weiche[slot];
            if (!part.bOpti || !IsTunable(part)) {
                continue;
            }
            values.push_back(valueEntry(a, slot, part));
            if (part.typ == PartInductance) {
                values.push_back(seriesREntry(a, slot, part));
            }
        }
    }
    return values;
}

double OptiValueOf(const TProjekt& project, const TOptiValue& entry) {
    const TWeichePart& part = project.Amps[entry.amplifier].Weiche[entry.part];
    return entry.isSeriesR ? part.Rvalue : part.value;
}

void SetOptiValue(TProjekt& project, const TOptiValue& entry, double value) {
    TWeichePart& part = project.Amps[entry.amplifier].Weiche[entry.part];
    (entry.isSeriesR ? part.Rvalue : part.value) = value;
}

int ChooseFixation(const OptiValues& values) {
    int best = -1;
    for (int i = 0; i < static_cast<int>(values.size()); ++i) {
        const TOptiValue& e = values[i];
        if (e.isSeriesR) {
            continue;
        }
        if (best < 0 || e.kind > values[best].kind ||
            (e.kind == values[best].kind && e.start > values[best].start)) {
            best = i;
        }
    }
    return best;
}

void RemoveFixed(OptiValues& values, int index) {
    const TOptiValue fixed = values[index];
    std::erase_if(values, [&fixed](const TOptiValue& e) {
        return e.amplifier == fixed.amplifier && e.part == fixed.part;
    });
    for (TOptiValue& e : values) {
        e.step = std::max({e.step, 0.04 * e.start, 100 * e.minimum});
    }
}

} // namespace tavrel
