// The active filter ahead of each amplifier's network, a DSP channel: level, polarity, delay,
// the six fixed high- and low-pass sections and up to ten further sections. With a project
// sample rate the channel is the digital filter that rate gives (engine/dsp_section.h).
#pragma once

#include "engine/dsp_section.h"
#include "engine/result.h"
#include "foundation/complex.h"
#include "model/projekt.h"

#include <array>
#include <string>

namespace tavrel {

constexpr int MaxChannelStages = static_cast<int>(AktFilterSections.size()) + MaxDspSections;

/// One enabled section of a channel, with the name the error list and the exports give it.
struct ChannelStage {
    TDspSection section;
    std::string label;
};

/// The enabled sections in the order HP6, HP121, HP122, TP6, TP121, TP122, EQ1 .. EQ10.
struct ChannelStages {
    std::array<ChannelStage, MaxChannelStages> items{};
    int count = 0;
};
ChannelStages EnabledStages(const TAktFilter& filter);

/// A channel made ready to evaluate: rate 0 evaluates the analog prototypes, any other rate the
/// biquads of that sample rate (and nothing above half of it).
struct ChannelDesign {
    double gain = 1;  ///< level times polarity
    double delay = 0; ///< seconds
    double rate = 0;
    int count = 0;
    std::array<TDspSection, MaxChannelStages> sections{};
    std::array<Biquad, MaxChannelStages> digital{};
};
ChannelDesign DesignChannel(const TAktFilter& filter, int rate);

TComplex ChannelResponse(const ChannelDesign& design, double f);

/// Transfer function of the whole filter at frequency f (rate 0: analog). A positive phase is
/// a lead.
TComplex AktFilterResponse(const TAktFilter& filter, double f, int rate = 0);

/// Empty when the settings can be computed at `rate`, otherwise the error text for amplifier a
/// (0-based). When several settings are wrong the text of the last one checked is returned.
std::string CheckAktFilter(const TAktFilter& filter, int a, int rate = 0);

/// The active filter job for amplifier a: checks the settings and writes AktFilterH[a] at
/// every grid point. Returns "Ok" or the error text; never throws.
std::string RunAktFilterJob(const TProjekt& working, int a, TResult& result);

} // namespace tavrel
