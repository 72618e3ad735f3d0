#include "app/tuning_rows.h"

#include "editor/part_tuning.h"
#include "foundation/number_steps.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace tavrel {

namespace {

const char* partUnit(int typ) {
    return typ == PartCapacitor    ? "\xB5"
                                     "F"
           : typ == PartInductance ? "mH"
                                   : "ohm";
}

double levelDb(double pegel) {
    return pegel > 0 ? 20.0 * std::log10(pegel) : 0.0;
}

constexpr double DelayStepMs = 0.01;

/// A channel that uses what only a DSP does lists its delay.
bool isDspChannel(const TProjekt& projekt, const TAktFilter& filter) {
    bool further = false;
    for (const TDspSection& s : filter.EQ) {
        further = further || s.typ != DspNone;
    }
    return projekt.DSPRate != 0 || filter.Delay != 0 || filter.Invert || further;
}

void addDspRows(const TProjekt& projekt, int a, std::vector<TuningRow>& rows) {
    const TAktFilter& filter = projekt.Amps[a].AktFilter;
    if (isDspChannel(projekt, filter)) {
        rows.push_back({a, -1, TuningTarget::Delay, "Delay", "ms"});
    }
    for (int k = 0; k < MaxDspSections; ++k) {
        const TDspSection& s = filter.EQ[k];
        if (s.typ == DspNone || !s.on) {
            continue;
        }
        const DspTypeInfo& info = DspTypeOf(s.typ);
        const std::string name = "EQ" + std::to_string(k + 1) + " " + info.name;
        rows.push_back({a, k, TuningTarget::EqFrequency, name, "Hz"});
        if (info.target) {
            rows.push_back({a, k, TuningTarget::EqTarget, name + " target", "Hz"});
        }
        if (info.gain) {
            rows.push_back({a, k, TuningTarget::EqGain, name, "dB"});
        }
    }
}

/// The field a row of the active filter stands for (the level is stored as a factor).
template <typename Filter>
auto filterField(Filter& filter, const TuningRow& row) -> decltype(&filter.Delay) {
    switch (row.target) {
    case TuningTarget::Frequency:
        return &(filter.*AktFilterSections[row.slot].f);
    case TuningTarget::Delay:
        return &filter.Delay;
    case TuningTarget::EqFrequency:
        return &filter.EQ[row.slot].f;
    case TuningTarget::EqTarget:
        return &filter.EQ[row.slot].f2;
    case TuningTarget::EqGain:
        return &filter.EQ[row.slot].g;
    default:
        return nullptr;
    }
}

/// The row's value as stored from its value as shown.
double storedValue(const TuningRow& row, double value) {
    return row.target == TuningTarget::Delay ? std::clamp(value, 0.0, MaxDspDelay * 1000) / 1000
                                             : value;
}

bool mustBePositive(TuningTarget target) {
    return target == TuningTarget::Frequency || target == TuningTarget::EqFrequency ||
           target == TuningTarget::EqTarget;
}

} // namespace

std::vector<TuningRow> TuningRows(const TProjekt& projekt) {
    std::vector<TuningRow> rows;
    for (int a = 0; a < AmpCount(projekt); ++a) {
        const TWeiche& weiche = projekt.Amps[a].Weiche;
        for (int s = 0; s < WeicheGridSlots; ++s) {
            if (IsTunable(weiche[s])) {
                rows.push_back(
                    {a, s, TuningTarget::Part, PartName(weiche, s), partUnit(weiche[s].typ)});
            }
        }
        rows.push_back({a, -1, TuningTarget::Level, "Level", "dB"});
        const TAktFilter& filter = projekt.Amps[a].AktFilter;
        for (int k = 0; k < static_cast<int>(AktFilterSections.size()); ++k) {
            if (filter.*AktFilterSections[k].on) {
                rows.push_back({a, k, TuningTarget::Frequency, AktFilterSections[k].caption, "Hz"});
            }
        }
        addDspRows(projekt, a, rows);
    }
    return rows;
}

double RowValue(const TProjekt& projekt, const TuningRow& row) {
    const TAmp& amp = projekt.Amps[row.amp];
    switch (row.target) {
    case TuningTarget::Part: {
        const TWeichePart& part = amp.Weiche[row.slot];
        return part.value * FieldScale(part.typ);
    }
    case TuningTarget::Level:
        return levelDb(amp.AktFilter.Pegel);
    case TuningTarget::Delay:
        return amp.AktFilter.Delay * 1000;
    default:
        const double* field = filterField(amp.AktFilter, row);
        return field != nullptr ? *field : 0.0;
    }
}

double SteppedRowValue(const TProjekt& projekt, const TuningRow& row, int notches, bool fine,
                       int seriesStep) {
    const double value = RowValue(projekt, row);
    switch (row.target) {
    case TuningTarget::Part: {
        const TWeichePart& part = projekt.Amps[row.amp].Weiche[row.slot];
        const TuneMode mode = fine ? TuneMode::Fine : TuneMode::Series;
        return TunedValue(part.value, part.typ, notches, mode, seriesStep) * FieldScale(part.typ);
    }
    case TuningTarget::Level:
    case TuningTarget::EqGain:
        return StepLevelDb(value, notches, fine);
    case TuningTarget::Delay:
        return std::max(0.0, value + notches * DelayStepMs * (fine ? 0.1 : 1.0));
    default:
        return StepFrequency(value, notches, fine);
    }
}

bool SetRowValue(TProjekt& projekt, const TuningRow& row, double value) {
    TAmp& amp = projekt.Amps[row.amp];
    double* target = nullptr;
    double stored = value;
    switch (row.target) {
    case TuningTarget::Part: {
        TWeichePart& part = amp.Weiche[row.slot];
        if (!(value > 0)) {
            return false;
        }
        target = &part.value;
        stored = std::clamp(value, TuneFieldMin, TuneFieldMax) / FieldScale(part.typ);
        break;
    }
    case TuningTarget::Level:
        target = &amp.AktFilter.Pegel;
        stored = std::pow(10.0, value / 20.0);
        break;
    default:
        if (mustBePositive(row.target) && !(value > 0)) {
            return false;
        }
        target = filterField(amp.AktFilter, row);
        stored = storedValue(row, value);
        break;
    }
    if (target == nullptr || !std::isfinite(stored) || *target == stored) {
        return false;
    }
    *target = stored;
    return true;
}

std::string RowKey(const TuningRow& row) {
    return "amp" + std::to_string(row.amp) + ":" + std::to_string(static_cast<int>(row.target)) +
           ":" + std::to_string(row.slot);
}

} // namespace tavrel
