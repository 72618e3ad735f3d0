// Every section type against its closed form, analog and digital; the delay and polarity of a
// channel; the checks a DSP sample rate adds.
#include "engine/active_filter.h"
#include "engine/dsp_section.h"

#include <cmath>
#include <complex>
#include <gtest/gtest.h>
#include <numbers>

namespace tavrel {
namespace {

using Cx = std::complex<double>;
constexpr double Pi = std::numbers::pi;
constexpr double Rate = 48000;

Cx toCx(TComplex z) {
    return {z.Re, z.Im};
}

/// H at s (rad/s) for the corner w0 and, for the Linkwitz transform, the target wp.
using ClosedForm = Cx (*)(Cx s, double w0, double wp, const TDspSection& p);

struct SectionCase {
    const char* name;
    TDspSection section;
    ClosedForm closed;
};

double amp(const TDspSection& p) {
    return std::pow(10.0, p.g / 40);
}

const SectionCase SectionCases[] = {
    {"Peaking",
     {DspPeaking, true, 1200, 6, 2.5},
     [](Cx s, double w, double, const TDspSection& p) {
         const Cx x = s / w;
         return (x * x + x * amp(p) / p.q + 1.0) / (x * x + x / (amp(p) * p.q) + 1.0);
     }},
    {"LowShelf",
     {DspLowShelf, true, 150, -4.5, 0.8},
     [](Cx s, double w, double, const TDspSection& p) {
         const Cx x = s / w;
         const double a = amp(p), m = std::sqrt(a) / p.q;
         return a * (x * x + m * x + a) / (a * x * x + m * x + 1.0);
     }},
    {"HighShelf",
     {DspHighShelf, true, 4000, 3, 0.7},
     [](Cx s, double w, double, const TDspSection& p) {
         const Cx x = s / w;
         const double a = amp(p), m = std::sqrt(a) / p.q;
         return a * (a * x * x + m * x + 1.0) / (x * x + m * x + a);
     }},
    {"Notch",
     {DspNotch, true, 60, 0, 4},
     [](Cx s, double w, double, const TDspSection& p) {
         const Cx x = s / w;
         return (x * x + 1.0) / (x * x + x / p.q + 1.0);
     }},
    {"AllPass1",
     {DspAllPass1, true, 800},
     [](Cx s, double w, double, const TDspSection&) { return (1.0 - s / w) / (1.0 + s / w); }},
    {"AllPass2",
     {DspAllPass2, true, 2500, 0, 0.6},
     [](Cx s, double w, double, const TDspSection& p) {
         const Cx x = s / w;
         return (x * x - x / p.q + 1.0) / (x * x + x / p.q + 1.0);
     }},
    {"Linkwitz",
     {DspLinkwitz, true, 55, 0, 1.1, 25, 0.55},
     [](Cx s, double w, double wp, const TDspSection& p) {
         return (s * s + s * w / p.q + w * w) / (s * s + s * wp / p.q2 + wp * wp);
     }},
    {"HighPass2",
     {DspHighPass2, true, 90, 0, 0.5},
     [](Cx s, double w, double, const TDspSection& p) {
         const Cx x = s / w;
         return x * x / (x * x + x / p.q + 1.0);
     }},
    {"LowPass2",
     {DspLowPass2, true, 3000, 0, 1.3},
     [](Cx s, double w, double, const TDspSection& p) {
         const Cx x = s / w;
         return 1.0 / (x * x + x / p.q + 1.0);
     }},
    {"HighPass1",
     {DspHighPass1, true, 300},
     [](Cx s, double w, double, const TDspSection&) { return (s / w) / (1.0 + s / w); }},
    {"LowPass1",
     {DspLowPass1, true, 300},
     [](Cx s, double w, double, const TDspSection&) { return 1.0 / (1.0 + s / w); }},
};

class SectionTypes : public ::testing::TestWithParam<SectionCase> {};

Cx digitalOf(const TDspSection& s, double f) {
    return toCx(DigitalResponse(BilinearBiquad(SectionPrototype(s, Rate), Rate), f, Rate));
}

TEST_P(SectionTypes, AnalogMatchesTheClosedForm) {
    const SectionCase& c = GetParam();
    for (double ratio : {0.1, 0.7, 1.0, 1.9, 13.0}) {
        const double f = c.section.f * ratio;
        const Cx expected =
            c.closed(Cx(0, 2 * Pi * f), 2 * Pi * c.section.f, 2 * Pi * c.section.f2, c.section);
        EXPECT_NEAR(std::abs(toCx(AnalogSectionResponse(c.section, f)) - expected), 0, 1e-9)
            << c.name << " at " << f;
    }
}

TEST_P(SectionTypes, DigitalIsTheClosedFormOnTheWarpedAxis) {
    const SectionCase& c = GetParam();
    const auto warp = [](double f) { return 2 * Rate * std::tan(Pi * f / Rate); };
    for (double f : {20.0, 440.0, 5000.0, 18000.0}) {
        const Cx expected =
            c.closed(Cx(0, warp(f)), warp(c.section.f), warp(c.section.f2), c.section);
        EXPECT_NEAR(std::abs(digitalOf(c.section, f) - expected), 0, 1e-7) << c.name << " " << f;
    }
}

TEST_P(SectionTypes, PrewarpingKeepsTheAnalogResponseAtTheCorner) {
    const SectionCase& c = GetParam();
    if (c.section.typ == DspLinkwitz) {
        GTEST_SKIP() << "its two frequencies warp differently";
    }
    const double f = c.section.f;
    EXPECT_NEAR(std::abs(digitalOf(c.section, f) - toCx(AnalogSectionResponse(c.section, f))), 0,
                1e-7)
        << c.name;
}

INSTANTIATE_TEST_SUITE_P(AllTypes, SectionTypes, ::testing::ValuesIn(SectionCases),
                         [](const auto& row) { return std::string(row.param.name); });

struct KnownPoint {
    TDspSection section;
    double f;
    double db, degrees;
};

TEST(SectionTypes, KnownLevelsAndPhases) {
    const KnownPoint points[] = {
        {{DspPeaking, true, 1000, 6, 2}, 1000, 6, 0},     // the gain at the centre
        {{DspLowShelf, true, 100, -6, 0.7}, 0.01, -6, 0}, // the gain far below
        {{DspHighShelf, true, 100, 4, 0.7}, 1e7, 4, 0},   // and far above
        {{DspAllPass1, true, 500}, 500, 0, -90},          // −90° at f0
        {{DspAllPass2, true, 500, 0, 0.7}, 500, 0, -180}, // −180° at f0
        {{DspLinkwitz, true, 60, 0, 0.7, 30, 0.7}, 0.01, 20 * std::log10(4.0), 0}, // (f0/fp)²
        {{DspLinkwitz, true, 60, 0, 0.7, 30, 0.7}, 1e6, 0, 0},
    };
    for (const KnownPoint& p : points) {
        const Cx h = toCx(AnalogSectionResponse(p.section, p.f));
        EXPECT_NEAR(20 * std::log10(std::abs(h)), p.db, 1e-3) << p.section.typ;
        EXPECT_NEAR(std::abs(std::arg(h) * 180 / Pi), std::abs(p.degrees), 0.05) << p.section.typ;
    }
    TDspSection notch{DspNotch, true, 50, 0, 3};
    EXPECT_LT(std::abs(toCx(AnalogSectionResponse(notch, 50))), 1e-12);
}

TEST(Channel, DelayTurnsThePhaseAndPolarityInverts) {
    TAktFilter filter;
    filter.Delay = 0.001;
    const Cx full = toCx(AktFilterResponse(filter, 1000)); // 360°: back where it started
    EXPECT_NEAR(full.real(), 1, 1e-12);
    EXPECT_NEAR(full.imag(), 0, 1e-12);
    EXPECT_NEAR(std::arg(toCx(AktFilterResponse(filter, 250))), -Pi / 2, 1e-12);
    filter.Invert = true;
    filter.Delay = 0;
    filter.Pegel = 0.5;
    EXPECT_EQ(AktFilterResponse(filter, 1000, 48000), (TComplex{-0.5, 0}));
}

TEST(Channel, DigitalPassesNothingAboveHalfTheRate) {
    TAktFilter filter;
    EXPECT_EQ(AktFilterResponse(filter, 23000, 44100), (TComplex{0, 0}));
    EXPECT_EQ(AktFilterResponse(filter, 21000, 44100), (TComplex{1, 0}));
}

TEST(Channel, SectionsAreCheckedAgainstTheRate) {
    TAktFilter filter;
    filter.EQ[2] = {DspLinkwitz, true, 30, 0, 0.7, 25000, 0.7};
    EXPECT_EQ(CheckAktFilter(filter, 1, 0), "");
    EXPECT_EQ(CheckAktFilter(filter, 1, 48000),
              "Error: Active filter at amp 2: EQ3 (Linkwitz transform) at 25000 Hz lies at or "
              "above half the sample rate (24000 Hz).");
    filter.EQ[2].on = false; // disabled sections are not checked
    filter.TP6 = true;
    filter.TP6f = 22050;
    EXPECT_EQ(CheckAktFilter(filter, 0, 44100),
              "Error: Active filter at amp 1: Low-pass 6dB at 22050 Hz lies at or above half the "
              "sample rate (22050 Hz).");
    filter.TP6 = false;
    filter.EQ[9] = {DspPeaking, true, 1000, 3, 0};
    EXPECT_EQ(CheckAktFilter(filter, 0),
              "Error: Active filter at amp 1: EQ10 (Peaking EQ): frequencies and Q-factors must "
              "be > 0.");
    filter.EQ[9].q = 1;
    filter.Delay = -0.001;
    EXPECT_EQ(CheckAktFilter(filter, 0),
              "Error: Active filter at amp 1: the delay must lie between 0 and 50 ms.");
}

} // namespace
} // namespace tavrel
