// The sealed / vented and port calculators on the worked designs and their failure lines.
#include "calculators/box_design.h"
#include "calculators/port_tuning.h"
#include "calculators/port_use.h"

#include <gtest/gtest.h>

namespace tavrel {
namespace {

const Lines DataIncomplete{"Data incomplete.", "Qts, Vas and fs must be entered and be ",
                           "bigger than 0."};

TEST(BoxDesign, SealedBoxForWantedQtc) {
    EXPECT_EQ(SealedDesign(BoxInputs{}),
              (Lines{"Calculated volume: 38,788 liter",
                     "Resonance frequency of driver in enclosure: 61,25 Hz"}));
    BoxInputs equalQ;
    equalQ.QtcWunsch = "0,4";
    EXPECT_EQ(SealedDesign(equalQ), Lines{"Calculation not possible because Qts or Rv too large."});
}

TEST(BoxDesign, PreresistorRaisesQtsAndIsIgnoredWithoutRdc) {
    BoxInputs in;
    in.CheckBoxRv = true;
    in.Rv = "2";
    in.Rdc = "6";
    EXPECT_DOUBLE_EQ(EffectiveQts(in), 0.4 * 8 / 6);
    EXPECT_FALSE(PreresistorUnusable(in));
    in.Rdc = "0";
    EXPECT_TRUE(PreresistorUnusable(in));
    EXPECT_EQ(SealedDesign(in), SealedDesign(BoxInputs{}));
    EXPECT_EQ(VentedDesign(in), VentedDesign(BoxInputs{}));
}

TEST(BoxDesign, QtsFromQesAndQms) {
    EXPECT_EQ(QtsFromQesQms("0.5", "2"), "0,4");
    EXPECT_EQ(QtsFromQesQms("0", "2"), "");
}

TEST(BoxDesign, MissingDriverDataAndAlternativeVolume) {
    BoxInputs in;
    in.Vas = "";
    EXPECT_EQ(SealedDesign(in), DataIncomplete);
    EXPECT_EQ(VentedDesign(in), DataIncomplete);
    EXPECT_EQ(AlternativeDesign(in), DataIncomplete);
    EXPECT_EQ(AlternativeDesign(BoxInputs{}), Lines{"Alternative volume must be greater than 0."});
    BoxInputs alternative;
    alternative.AltVab = "80"; // q = 1: f3 = fb = fs, ripple 20·log10(2.58·Qts)
    EXPECT_EQ(
        AlternativeDesign(alternative),
        (Lines{"cut-off frequency: 35 Hz", "tuning frequency: 35 Hz", "\"ripple\": 0,274 dB"}));
}

TEST(PortTuning, DefaultPortFollowsTheWorkedExample) {
    const PortResult result = PortTuningResult(PortInputs{});
    const PortFigures& f = result.figures;
    ASSERT_TRUE(result.tuned);
    EXPECT_NEAR(f.Vgeo * 1000, 49.128, 5e-4);
    EXPECT_DOUBLE_EQ(f.Va, f.Vgeo);
    EXPECT_NEAR(f.delta0, 0.03509, 5e-6);
    EXPECT_NEAR(f.Peff, 0.20, 1e-12);
    EXPECT_NEAR(f.delta, 0.09824, 1e-12);
    EXPECT_NEAR(f.f1, 57.35, 5e-3);
    EXPECT_NEAR(f.m, 0.82, 1e-12);
    EXPECT_NEAR(f.fb, 47.59, 5e-3);
    EXPECT_EQ(result.lines,
              (Lines{"Net volume including port: 50 liter",
                     "Calculated geometric volume: 49,128 liter (minus relevant part of port "
                     "volume)",
                     "Calculated acoustic volume: 49,128 liter", "fb = 47,59 Hz"}));
}

TEST(PortTuning, DampingEnlargesTheAcousticVolume) {
    const double factors[] = {1, 1.04375, 1.1, 1.16875, 1.25};
    for (int x = 0; x <= 4; ++x) {
        PortInputs in;
        in.TrackBarc = x;
        const PortFigures f = PortTuningResult(in).figures;
        EXPECT_NEAR(f.Va, factors[x] * f.Vgeo, 1e-15) << x;
    }
}

TEST(PortTuning, TwoRoundPortsTakeTwiceTheVolume) {
    PortInputs one;
    one.RB_Rund = true;
    PortInputs two = one;
    two.nRohre = 2;
    const double single = 0.05 - PortTuningResult(one).figures.Vgeo;
    EXPECT_NEAR(0.05 - PortTuningResult(two).figures.Vgeo, 2 * single, 1e-15);
}

struct PortFailure {
    const char* name;
    PortInputs in;
    Lines reasons; ///< the lines after the three volume lines
};

class PortFailures : public ::testing::TestWithParam<PortFailure> {};

TEST_P(PortFailures, ListEveryFailedTestAndNoFb) {
    const PortResult result = PortTuningResult(GetParam().in);
    EXPECT_FALSE(result.tuned);
    ASSERT_EQ(result.lines.size(), 3 + GetParam().reasons.size());
    EXPECT_EQ(Lines(result.lines.begin() + 3, result.lines.end()), GetParam().reasons);
}

PortInputs port(void (*change)(PortInputs&)) {
    PortInputs in;
    change(in);
    return in;
}

const char* Because = "Tavrel cannot calculate tuning frequency, because";

INSTANTIATE_TEST_SUITE_P(
    Cases, PortFailures,
    ::testing::Values(
        PortFailure{"NoWallDistance",
                    port([](PortInputs& in) { in.k = "0"; }),
                    {Because, "Distances between port at least one wall ",
                     "(i, j, k, f)  must not all be 0."}},
        PortFailure{"RoundPortTooCloseToRearWall",
                    port([](PortInputs& in) {
                        in.RB_Rund = true;
                        in.D = "7";
                        in.g = "2";
                    }),
                    {Because, "distance between port and rear wall is too small."}},
        PortFailure{"PortBiggerThanBoxAndTooClose",
                    port([](PortInputs& in) {
                        in.RB_Rund = true;
                        in.D = "30";
                        in.l = "80";
                        in.g = "5";
                    }),
                    {Because, "port is bigger than volume including port.", Because,
                     "distance between port and rear wall is too small."}},
        PortFailure{"NegativeWallDistance",
                    port([](PortInputs& in) { in.i = "-1"; }),
                    {Because, "distances between port an wall (dimensions i, j, k, f) must not",
                     "be smaller than 0."}},
        PortFailure{"NoPort",
                    port([](PortInputs& in) { in.c = "0"; }),
                    {Because, "dimensions of port do not make sense."}}),
    [](const auto& test) { return std::string(test.param.name); });

TEST(PortTuning, NoVolumeGivesAnEmptyList) {
    PortInputs in;
    in.RB_Vbht = true;
    in.t = "";
    EXPECT_TRUE(PortTuning(in).empty());
    in.t = "10"; // 20 × 98 × 10 cm = 19,6 l
    EXPECT_EQ(PortTuning(in).front(), "Net volume including port: 19,6 liter");
}

TEST(PortUse, GoesToTheChamberThatHasAPortAndOnlyWhenTuned) {
    PortInputs in;
    in.RB_Rund = true;
    in.nRohre = 2;
    const PortResult port = PortTuningResult(in);
    ASSERT_TRUE(port.tuned);
    TEinbau bivented;
    bivented.Typ = EinbauBandpassBivented;
    ASSERT_TRUE(UsePortForEnclosure(port, PortChamber::Front, bivented));
    EXPECT_DOUBLE_EQ(bivented.Aportf, 2 * 3.141592653589793 * 0.07 * 0.07 / 4); // two ports
    EXPECT_DOUBLE_EQ(bivented.Vbf, port.figures.Vgeo);
    EXPECT_DOUBLE_EQ(bivented.fbf, port.figures.fb);
    EXPECT_EQ(bivented.Aport, 0);
    TEinbau bandpass;
    bandpass.Typ = EinbauBandpass;
    EXPECT_FALSE(UsePortForEnclosure(port, PortChamber::Rear, bandpass)); // closed rear chamber
    in.c = "0"; // a port that makes no sense gives nothing to use
    in.RB_Rund = false;
    TEinbau vented;
    vented.Typ = EinbauVented;
    EXPECT_FALSE(UsePortForEnclosure(PortTuningResult(in), PortChamber::Rear, vented));
    EXPECT_EQ(vented.Vb, 0);
}

} // namespace
} // namespace tavrel
