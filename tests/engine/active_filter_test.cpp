#include "engine/active_filter.h"

#include <cmath>
#include <complex>
#include <gtest/gtest.h>
#include <limits>
#include <numbers>

namespace tavrel {
namespace {

using Cx = std::complex<double>;

Cx toCx(TComplex z) {
    return {z.Re, z.Im};
}

void expectNear(TComplex actual, Cx expected, double tolerance = 1e-12) {
    EXPECT_NEAR(actual.Re, expected.real(), tolerance);
    EXPECT_NEAR(actual.Im, expected.imag(), tolerance);
}

constexpr double F0 = 2000.0;
const double Butterworth = std::numbers::sqrt2 / 2;

TEST(AktFilterResponse, LevelAloneIsFlat) {
    TAktFilter filter;
    EXPECT_EQ(AktFilterResponse(filter, 30.0), (TComplex{1.0, 0.0}));
    filter.Pegel = 0.5;
    filter.HP121f = 0; // a disabled section is ignored whatever it holds
    EXPECT_EQ(AktFilterResponse(filter, 5000.0), (TComplex{0.5, 0.0}));
}

TEST(AktFilterResponse, FirstAndSecondOrderSectionsAtTheirCorner) {
    TAktFilter filter;
    filter.HP6 = true;
    filter.HP6f = F0;
    expectNear(AktFilterResponse(filter, F0), {0.5, 0.5}); // +45°: a high pass leads
    filter.HP6 = false;
    filter.TP6 = true;
    filter.TP6f = F0;
    expectNear(AktFilterResponse(filter, F0), {0.5, -0.5});
    // Far from the corner the phase approaches +90° and −90°.
    EXPECT_NEAR(std::arg(toCx(AktFilterResponse(filter, F0 * 1000))), -std::numbers::pi / 2, 1e-3);
    filter = TAktFilter{};
    filter.HP121 = true;
    filter.HP121f = F0;
    filter.HP121q = 0.707;
    expectNear(AktFilterResponse(filter, F0), {0.0, 0.707});
    filter.HP121 = false;
    filter.TP121 = true;
    filter.TP121f = F0;
    filter.TP121q = 0.707;
    expectNear(AktFilterResponse(filter, F0), {0.0, -0.707});
    // An octave above, a 12 dB low pass has fallen by about 12 dB.
    filter.TP121q = Butterworth;
    const double octave = 20 * std::log10(std::abs(toCx(AktFilterResponse(filter, 2 * F0))));
    EXPECT_NEAR(octave, -10 * std::log10(17.0), 1e-9);
}

TEST(AktFilterResponse, SectionsMultiplyInCascadeWithTheLevel) {
    TAktFilter filter;
    filter.Pegel = 2.0;
    filter.HP6 = filter.TP122 = true;
    filter.HP6f = 100;
    filter.TP122f = 3000;
    filter.TP122q = 1.2;
    const double f = 700;
    const Cx jx = Cx(0, f / 100), jy = Cx(0, f / 3000);
    const Cx expected = 2.0 * (jx / (1.0 + jx)) * (1.0 / (jy * jy + jy / 1.2 + 1.0));
    expectNear(AktFilterResponse(filter, f), expected, 1e-14);
}

/// High and low pass of one corner frequency, each built from `sections` equal sections.
struct CrossoverPair {
    TAktFilter high, low;
};

CrossoverPair linkwitzRiley(int sections, double q) {
    CrossoverPair pair;
    pair.high.HP121 = pair.low.TP121 = true;
    pair.high.HP121f = pair.low.TP121f = F0;
    pair.high.HP121q = pair.low.TP121q = q;
    if (sections == 2) {
        pair.high.HP122 = pair.low.TP122 = true;
        pair.high.HP122f = pair.low.TP122f = F0;
        pair.high.HP122q = pair.low.TP122q = q;
    }
    return pair;
}

Cx sumAt(const CrossoverPair& pair, double f, double highSign) {
    return highSign * toCx(AktFilterResponse(pair.high, f)) + toCx(AktFilterResponse(pair.low, f));
}

TEST(AktFilterResponse, SecondOrderLinkwitzRileySumsFlatWithOneSideInverted) {
    // 12 dB Linkwitz-Riley: one second-order section of Q 0.5 (two first-order in cascade).
    const CrossoverPair pair = linkwitzRiley(1, 0.5);
    for (double f = 20; f < 20000; f *= 1.37) {
        EXPECT_NEAR(std::abs(sumAt(pair, f, -1.0)), 1.0, 1e-12) << f;
    }
    EXPECT_NEAR(std::abs(toCx(AktFilterResponse(pair.high, F0))), 0.5, 1e-12); // −6 dB each
    // In phase the two cancel at the corner.
    EXPECT_NEAR(std::abs(sumAt(pair, F0, 1.0)), 0.0, 1e-12);
}

TEST(AktFilterResponse, FourthOrderLinkwitzRileySumsFlatInPhase) {
    // Two cascaded Butterworth sections (Q = 1/√2) per side sum flat without inversion.
    const CrossoverPair pair = linkwitzRiley(2, Butterworth);
    for (double f = 20; f < 20000; f *= 1.37) {
        EXPECT_NEAR(std::abs(sumAt(pair, f, 1.0)), 1.0, 1e-12) << f;
    }
    EXPECT_NEAR(std::abs(sumAt(pair, F0, -1.0)), 0.0, 1e-12);
}

class AktFilterJob : public ::testing::Test {
protected:
    void SetUp() override {
        projekt->Option.sz = 20;
        BuildGrid(*projekt);
        result->AktFilterH[1].fill({9.0, 9.0});
    }
    TAktFilter& filter() { return projekt->Amps[1].AktFilter; }
    std::string run() { return RunAktFilterJob(*projekt, 1, *result); }
    bool untouched() const { return result->AktFilterH[1][0] == TComplex{9.0, 9.0}; }

    std::unique_ptr<TProjekt> projekt = std::make_unique<TProjekt>();
    std::unique_ptr<TResult> result = MakeResult();
};

TEST_F(AktFilterJob, WritesTheResponseAtEveryGridPoint) {
    filter().TP6 = true;
    filter().TP6f = 500;
    EXPECT_EQ(run(), "Ok");
    for (int k = 0; k < 20; ++k) {
        EXPECT_EQ(result->AktFilterH[1][k], AktFilterResponse(filter(), projekt->f[k]));
    }
    EXPECT_EQ(result->AktFilterH[1][20], (TComplex{9.0, 9.0})); // past the end mark
}

TEST_F(AktFilterJob, LevelAndEnabledSectionsMustBePositive) {
    filter().Pegel = 0;
    EXPECT_EQ(run(), "Error: Active filter at amp 2: Level false.");
    EXPECT_TRUE(untouched());
    const std::string text = "Error: Active filter at amp 2: limit frequencies and Q-factors "
                             "must not be <=0.";
    filter().HP6 = true;
    filter().HP6f = 0;
    EXPECT_EQ(run(), text);
    filter().HP6 = false;
    filter().TP122 = true;
    filter().TP122q = -1;
    EXPECT_EQ(run(), text);
    // With a bad level as well, the later check's text is the one that remains.
    filter().Pegel = -2;
    EXPECT_EQ(run(), text);
    EXPECT_TRUE(untouched());
}

TEST_F(AktFilterJob, DisabledSectionWithZeroFrequencyIsNoError) {
    filter().HP6f = filter().HP121f = filter().TP122q = 0;
    EXPECT_EQ(run(), "Ok");
    EXPECT_EQ(result->AktFilterH[1][3], (TComplex{1.0, 0.0}));
}

TEST_F(AktFilterJob, ArithmeticFailureKeepsThePointsBefore) {
    projekt->f[0] = 100;
    projekt->f[1] = 200;
    projekt->f[2] = 1e-300; // f0 / f overflows here
    projekt->f[3] = 300;
    projekt->f[4] = 0;
    filter().HP6 = true;
    filter().HP6f = 1e10;
    EXPECT_EQ(run(), "Error: frequency response of active filter at amp 2 cannot be calculated.");
    EXPECT_EQ(result->AktFilterH[1][1], AktFilterResponse(filter(), 200));
    EXPECT_EQ(result->AktFilterH[1][2], (TComplex{9.0, 9.0}));
    EXPECT_EQ(result->AktFilterH[1][3], (TComplex{9.0, 9.0}));
}

TEST_F(AktFilterJob, NotANumberSettingIsAnArithmeticFailure) {
    filter().TP121 = true;
    filter().TP121q = std::numeric_limits<double>::quiet_NaN(); // passes the "<= 0" checks
    EXPECT_EQ(run(), "Error: frequency response of active filter at amp 2 cannot be calculated.");
    EXPECT_TRUE(untouched());
}

TEST_F(AktFilterJob, AmplifierOutsideTheSixIsRefused) {
    EXPECT_EQ(RunAktFilterJob(*projekt, 6, *result),
              "Error: frequency response of active filter at amp 7 cannot be calculated.");
}

} // namespace
} // namespace tavrel
