// TProjekt: the complete state of one loudspeaker design — counts, frequency grid and chart
// options, six amplifiers (active filter and crossover network), nine driver slots with their
// enclosure and baffle, the common outer housing and two comment lines.
#pragma once

#include "foundation/fixed_string.h"
#include "model/chassis.h"
#include "model/einbau.h"
#include "model/schallwand.h"
#include "model/weiche.h"

#include <array>
#include <cstdint>

namespace tavrel {

constexpr int MaxAmps = 6;
constexpr int MaxChassis = 8;
constexpr int ChassisSlots = 9;
constexpr int GridSize = 601; ///< frequency array entries; the grid ends at its first 0
constexpr int MinGridPoints = 10;
constexpr int MaxGridPoints = 599;
using Grid = std::array<double, GridSize>;

/// Colours are 0x00BBGGRR.
constexpr std::uint32_t Rgb(std::uint32_t r, std::uint32_t g, std::uint32_t b) {
    return r | (g << 8) | (b << 16);
}

/// Types of the further sections of a DSP channel; the numbers are the file's "EQ"k"typ" values.
/// The last two are the six fixed sections' own types, used inside the program only.
enum DspSectionType : std::int32_t {
    DspNone = 0,
    DspPeaking = 1,
    DspLowShelf = 2,
    DspHighShelf = 3,
    DspNotch = 4,
    DspAllPass1 = 5,
    DspAllPass2 = 6,
    DspLinkwitz = 7, ///< f, q: the driver in its box; f2, q2: the target
    DspHighPass2 = 8,
    DspLowPass2 = 9,
    DspHighPass1 = 10,
    DspLowPass1 = 11,
};
constexpr std::int32_t DspLastFileType = DspLowPass2;
constexpr int MaxDspSections = 10;
constexpr double MaxDspDelay = 0.05; ///< seconds

/// One further section of a DSP channel (filter formulas: engine/dsp_section.h).
struct TDspSection {
    std::int32_t typ = DspNone;
    bool on = true;
    double f = 1000; ///< Hz
    double g = 0;    ///< dB
    double q = 0.7071;
    double f2 = 1000, q2 = 0.7071; ///< target of the Linkwitz transform

    bool operator==(const TDspSection&) const = default;
};

/// The active filter ahead of an amplifier's crossover network: level, the six fixed high- and
/// low-pass sections, then the DSP channel's delay, polarity and further sections.
struct TAktFilter {
    double Pegel = 1.0; ///< linear voltage factor, 1 = 0 dB = 2.83 V
    double HP6f = 100, HP121f = 100, HP121q = 0.7, HP122f = 100, HP122q = 0.7;
    double TP6f = 100, TP121f = 100, TP121q = 0.7, TP122f = 100, TP122q = 0.7;
    bool HP6 = false, HP121 = false, HP122 = false, TP6 = false, TP121 = false, TP122 = false;
    double Delay = 0;    ///< seconds, the whole channel
    bool Invert = false; ///< polarity
    std::array<TDspSection, MaxDspSections> EQ{};

    bool operator==(const TAktFilter&) const = default;
};

/// What a section type reads and writes besides its type and switch.
struct DspTypeInfo {
    const char* name;
    bool gain;   ///< uses g
    bool q;      ///< uses q
    bool target; ///< uses f2 and q2
};

/// The types 0..11 in their number order.
inline constexpr std::array<DspTypeInfo, 12> DspTypes{{
    {"none", false, false, false},
    {"Peaking EQ", true, true, false},
    {"Low shelf", true, true, false},
    {"High shelf", true, true, false},
    {"Notch", false, true, false},
    {"All-pass 1st order", false, false, false},
    {"All-pass 2nd order", false, true, false},
    {"Linkwitz transform", false, true, true},
    {"High-pass 2nd order", false, true, false},
    {"Low-pass 2nd order", false, true, false},
    {"High-pass 1st order", false, false, false},
    {"Low-pass 1st order", false, false, false},
}};

/// The type's entry; types outside the table give the entry of "none".
inline const DspTypeInfo& DspTypeOf(std::int32_t typ) {
    return DspTypes[typ >= 0 && typ < static_cast<std::int32_t>(DspTypes.size()) ? typ : 0];
}

/// Sample rates a DSP channel may run at; 0 is the ideal analog filter.
inline constexpr std::array<std::int32_t, 4> DspRates{44100, 48000, 96000, 192000};

inline bool IsDspRate(std::int32_t rate) {
    for (std::int32_t r : DspRates) {
        if (r == rate) {
            return true;
        }
    }
    return false;
}

/// One section of the active filter: its file key (which also names its "f" and "q" keys), its
/// caption, and its members (`q` is null for first-order sections).
struct AktFilterSection {
    const char* key;
    const char* caption;
    bool TAktFilter::*on;
    double TAktFilter::*f;
    double TAktFilter::*q;
};

inline constexpr std::array<AktFilterSection, 6> AktFilterSections{{
    {"HP6", "High-pass 6dB", &TAktFilter::HP6, &TAktFilter::HP6f, nullptr},
    {"HP121", "High-pass 12dB 1", &TAktFilter::HP121, &TAktFilter::HP121f, &TAktFilter::HP121q},
    {"HP122", "High-pass 12dB 2", &TAktFilter::HP122, &TAktFilter::HP122f, &TAktFilter::HP122q},
    {"TP6", "Low-pass 6dB", &TAktFilter::TP6, &TAktFilter::TP6f, nullptr},
    {"TP121", "Low-pass 12dB 1", &TAktFilter::TP121, &TAktFilter::TP121f, &TAktFilter::TP121q},
    {"TP122", "Low-pass 12dB 2", &TAktFilter::TP122, &TAktFilter::TP122f, &TAktFilter::TP122q},
}};

struct TAmp {
    TAktFilter AktFilter;
    TWeiche Weiche{};

    bool operator==(const TAmp&) const = default;
};

/// The chart options; the settings file may hold a program-wide copy.
struct TOptionBlock {
    std::array<std::uint32_t, 7> ColorSetAmps{};
    std::array<std::uint32_t, 10> ColorSetChassis{};
    std::array<std::uint32_t, 10> ColorSetRichtungen{};
    double fMin = 20, fMax = 20000;
    std::int32_t sz = 126;
    double glatt_a = 0.24, glatt_i = 0.18;
    std::array<std::int32_t, 6> Par{10, 90, 25, 90, 10, 10}; ///< Par1 .. Par6
    double AfMin = 20, AfMax = 20000;
    double dBMin = 40, dBMax = 110;
    double ImpMax = 70;

    bool operator==(const TOptionBlock&) const = default;
};

/// Common outer housing: height, width, depth and the four chamfers, metres.
struct TGemGeh {
    double h = 0, b = 0, t = 0, fasl = 0, fasr = 0, faso = 0, fasu = 0;
    bool operator==(const TGemGeh&) const = default;
};

struct TProjekt {
    std::int16_t nAmps = 1;
    std::int16_t nChassis = 1;
    bool saved = false; ///< unchanged since the last load, save or new project; not stored
    Grid f{};           ///< calculation frequencies, Hz; f[sz] = 0
    TOptionBlock Option;
    std::array<TAmp, MaxAmps> Amps{};
    std::array<TChassis, ChassisSlots> Chassis{};
    std::array<TEinbau, ChassisSlots> Einbau{};
    std::array<TSchallwand, ChassisSlots> Schallwand{};
    TGemGeh GemGeh;
    FixedString<64> Comment1;
    FixedString<64> Comment2;
    std::int32_t DSPRate = 0; ///< Hz of the DSP channels; 0: ideal analog active filters

    bool operator==(const TProjekt&) const = default;
};

/// f[i] = fMin·(fMax/fMin)^(i/(sz−1)) for i < sz, then f[sz] = 0.
void BuildGrid(TProjekt& projekt);

/// The amplifier count kept inside 1..6, whatever the record holds, so loops over it never
/// leave the arrays.
inline int AmpCount(const TProjekt& projekt) {
    return projekt.nAmps < 1 ? 1 : (projekt.nAmps > MaxAmps ? MaxAmps : projekt.nAmps);
}

/// The driver count kept inside 1..8.
inline int ChassisCount(const TProjekt& projekt) {
    return projekt.nChassis < 1 ? 1
                                : (projekt.nChassis > MaxChassis ? MaxChassis : projekt.nChassis);
}

} // namespace tavrel
