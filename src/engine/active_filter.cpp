// Transfer function of the active filter and the job that writes it for one amplifier.
#include "engine/active_filter.h"

#include <cmath>
#include <cstdio>
#include <exception>
#include <numbers>

namespace tavrel {
namespace {

/// The types of the six fixed sections, in the order of AktFilterSections.
constexpr std::array<std::int32_t, 6> FixedSectionTypes{DspHighPass1, DspHighPass2, DspHighPass2,
                                                        DspLowPass1,  DspLowPass2,  DspLowPass2};

bool sectionInvalid(bool enabled, double f0, double q = 1.0) {
    return enabled && (f0 <= 0 || q <= 0);
}

std::string ampNumber(int a) {
    return std::to_string(a + 1);
}

std::string filterError(int a, const std::string& text) {
    return "Error: Active filter at amp " + ampNumber(a) + ": " + text;
}

std::string arithmeticError(int a) {
    return "Error: frequency response of active filter at amp " + ampNumber(a) +
           " cannot be calculated.";
}

bool isFinite(TComplex value) {
    return std::isfinite(value.Re) && std::isfinite(value.Im);
}

bool fixedSectionsInvalid(const TAktFilter& filter) {
    for (const AktFilterSection& stage : AktFilterSections) {
        if (sectionInvalid(filter.*stage.on, filter.*stage.f,
                           stage.q != nullptr ? filter.*stage.q : 1.0)) {
            return true;
        }
    }
    return false;
}

std::string furtherLabel(int k, std::int32_t typ) {
    return "EQ" + std::to_string(k + 1) + " (" + DspTypeOf(typ).name + ")";
}

/// The label of the first enabled further section whose frequency or Q is not positive, or
/// empty.
std::string invalidFurtherSection(const TAktFilter& filter) {
    for (int k = 0; k < MaxDspSections; ++k) {
        const TDspSection& s = filter.EQ[k];
        const DspTypeInfo& info = DspTypeOf(s.typ);
        const bool bad =
            !(s.f > 0) || (info.q && !(s.q > 0)) || (info.target && (!(s.f2 > 0) || !(s.q2 > 0)));
        if (s.typ != DspNone && s.on && bad) {
            return furtherLabel(k, s.typ);
        }
    }
    return {};
}

/// The first section with a frequency at or above half the sample rate, or null.
const ChannelStage* sectionAboveNyquist(const ChannelStages& stages, int rate, double& f) {
    for (int i = 0; i < stages.count; ++i) {
        const TDspSection& s = stages.items[i].section;
        f = DspTypeOf(s.typ).target && s.f2 > s.f ? s.f2 : s.f;
        if (f >= rate / 2.0) {
            return &stages.items[i];
        }
    }
    return nullptr;
}

std::string hertz(double f) {
    char text[32];
    std::snprintf(text, sizeof text, "%.6g Hz", f);
    return text;
}

} // namespace

ChannelStages EnabledStages(const TAktFilter& filter) {
    ChannelStages stages;
    for (std::size_t i = 0; i < AktFilterSections.size(); ++i) {
        const AktFilterSection& fixed = AktFilterSections[i];
        if (filter.*fixed.on) {
            TDspSection s;
            s.typ = FixedSectionTypes[i];
            s.f = filter.*fixed.f;
            s.q = fixed.q != nullptr ? filter.*fixed.q : s.q;
            stages.items[stages.count++] = {s, fixed.caption};
        }
    }
    for (int k = 0; k < MaxDspSections; ++k) {
        const TDspSection& s = filter.EQ[k];
        if (s.typ != DspNone && s.on) {
            stages.items[stages.count++] = {s, furtherLabel(k, s.typ)};
        }
    }
    return stages;
}

ChannelDesign DesignChannel(const TAktFilter& filter, int rate) {
    ChannelDesign design;
    design.gain = filter.Invert ? -filter.Pegel : filter.Pegel;
    design.delay = filter.Delay;
    design.rate = rate;
    const ChannelStages stages = EnabledStages(filter);
    design.count = stages.count;
    for (int i = 0; i < stages.count; ++i) {
        design.sections[i] = stages.items[i].section;
        if (rate > 0) {
            design.digital[i] = BilinearBiquad(SectionPrototype(design.sections[i], rate), rate);
        }
    }
    return design;
}

TComplex ChannelResponse(const ChannelDesign& design, double f) {
    if (design.rate > 0 && f > design.rate / 2) {
        return {0.0, 0.0}; // the converter passes nothing there
    }
    TComplex h{design.gain, 0.0};
    for (int i = 0; i < design.count; ++i) {
        h = CMul(h, design.rate > 0 ? DigitalResponse(design.digital[i], f, design.rate)
                                    : AnalogSectionResponse(design.sections[i], f));
    }
    if (design.delay != 0) {
        h = CMul(h, CPolar(1.0, -2 * std::numbers::pi * f * design.delay));
    }
    return h;
}

TComplex AktFilterResponse(const TAktFilter& filter, double f, int rate) {
    return ChannelResponse(DesignChannel(filter, rate), f);
}

std::string CheckAktFilter(const TAktFilter& filter, int a, int rate) {
    std::string text;
    if (filter.Pegel <= 0) {
        text = filterError(a, "Level false.");
    }
    if (fixedSectionsInvalid(filter)) {
        text = filterError(a, "limit frequencies and Q-factors must not be <=0.");
    }
    if (const std::string bad = invalidFurtherSection(filter); !bad.empty()) {
        text = filterError(a, bad + ": frequencies and Q-factors must be > 0.");
    }
    if (!(filter.Delay >= 0 && filter.Delay <= MaxDspDelay)) {
        text = filterError(a, "the delay must lie between 0 and 50 ms.");
    }
    double f = 0;
    const ChannelStages stages = EnabledStages(filter);
    if (const ChannelStage* high = rate > 0 ? sectionAboveNyquist(stages, rate, f) : nullptr) {
        text = filterError(a, high->label + " at " + hertz(f) +
                                  " lies at or above half the sample rate (" + hertz(rate / 2.0) +
                                  ").");
    }
    return text;
}

std::string RunAktFilterJob(const TProjekt& working, int a, TResult& result) {
    try {
        if (a < 0 || a >= MaxAmps) {
            return arithmeticError(a);
        }
        const TAktFilter& filter = working.Amps[a].AktFilter;
        std::string text = CheckAktFilter(filter, a, working.DSPRate);
        if (!text.empty()) {
            return text;
        }
        const ChannelDesign design = DesignChannel(filter, working.DSPRate);
        Curve& h = result.AktFilterH[a];
        for (int k = 0; k < GridSize && working.f[k] > 0; ++k) {
            const TComplex value = ChannelResponse(design, working.f[k]);
            if (!isFinite(value)) {
                return arithmeticError(a);
            }
            h[k] = value;
        }
        return "Ok";
    } catch (const std::exception&) {
        return arithmeticError(a);
    }
}

} // namespace tavrel
