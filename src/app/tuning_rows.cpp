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
    case TuningTarget::Frequency:
        return amp.AktFilter.*AktFilterSections[row.slot].f;
    }
    return 0.0;
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
        return StepLevelDb(value, notches, fine);
    case TuningTarget::Frequency:
        return StepFrequency(value, notches, fine);
    }
    return value;
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
    case TuningTarget::Frequency:
        if (!(value > 0)) {
            return false;
        }
        target = &(amp.AktFilter.*AktFilterSections[row.slot].f);
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
