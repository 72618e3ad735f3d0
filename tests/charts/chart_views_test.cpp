#include "charts/chart_selection.h"
#include "charts/chart_views.h"

#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>
#include <memory>
#include <stdexcept>

namespace tavrel {
namespace {

constexpr int Points = 3;

/// Two drivers on one amplifier: driver 1 ("Woofer") is wired to amplifier 1, driver 2
/// has no amplifier. Every direction n has the pressure magnitude n + 1.
struct Fixture {
    std::unique_ptr<TResult> result = MakeResult();
    std::unique_ptr<TProjekt> projekt = std::make_unique<TProjekt>();
    std::unique_ptr<TVChart> chart = std::make_unique<TVChart>();

    Fixture() {
        TResult& r = *result;
        r.Valid = true;
        r.nFreq = Points;
        r.Freq[0] = 100;
        r.Freq[1] = 1000;
        r.Freq[2] = 10000;
        r.nChassis = 2;
        r.nAmps = 1;
        r.ChassisName[0] = "Woofer";
        r.ChassisName[1] = "Hocht\xF6ner";
        r.AmpOfChassis = {0, -1, -1, -1, -1, -1, -1, -1, -1};
        r.Comment1 = "first comment";
        for (int k = 0; k < Points; ++k) {
            for (int n = 0; n < Directions; ++n) {
                r.SpeakerDir[k][n] = {n + 1.0, 0.0};
            }
            r.DirFront[0][k][0] = {0.5, 0.0};
            r.DirRear[0][k][0] = {0.0, 0.25};
            r.AmpZ[0][k] = {6.0, -8.0};
            r.Directivity[k] = 2.0;
            r.PFrontBlend[0][k] = {0.1, 0.0};
            r.BaffleFront[0][k][0] = {2.0, 0.0};
            r.AktFilterH[0][k] = {0.0, 0.5};
            r.ChassisZ[0][k] = {3.0, 4.0};
            r.ChassisU[0][k] = {0.5, 0.0};
            r.PFrontBlend[1][k] = {0.2, 0.0};
            r.BaffleFront[1][k][0] = {0.0, 1.5};
        }
        projekt->Option.ColorSetChassis = {10, 11, 12, 13, 14, 15, 16, 17, 18, 19};
        projekt->Option.ColorSetAmps = {20, 21, 22, 23, 24, 25, 26};
        projekt->Option.ColorSetRichtungen = {30, 31, 32, 33, 34, 35, 36, 37, 38, 39};
    }
};

double level(double magnitude) {
    return 20.0 * std::log10(magnitude) + 112.0;
}

TEST(ChartViews, LevelOfZeroPressureIsMinus888) {
    EXPECT_DOUBLE_EQ(LevelOf({0.0, 0.0}), -888.0);
    EXPECT_DOUBLE_EQ(LevelOf({1.0, 0.0}), 112.0);
}

TEST(ResponseChart, TotalDriversImpedanceAndEnergyCurvesSwitchedByTheCheckBoxes) {
    Fixture f;
    ChartViewOptions options;
    options.energy = true;
    FillResponseChart(*f.chart, *f.result, *f.projekt, options);
    const TVChart& c = *f.chart;
    EXPECT_TRUE(c.hasData);
    EXPECT_TRUE(c.secondAxis);
    EXPECT_DOUBLE_EQ(c.y2Max, f.projekt->Option.ImpMax);
    EXPECT_EQ(c.titles[2], "first comment");

    EXPECT_EQ(c.curve(0).name.str(), "Total amplitude");
    EXPECT_EQ(c.curve(0).count, Points);
    EXPECT_DOUBLE_EQ(c.curve(0).x[1], 1000.0);
    EXPECT_DOUBLE_EQ(c.curve(0).y[1], 112.0);

    EXPECT_EQ(c.curve(1).name.str(), "Woofer (1)");
    EXPECT_EQ(c.curve(2).name.str(), "Hocht\xF6ner (2)");
    EXPECT_EQ(c.curve(2).colour, 12u);
    EXPECT_NEAR(c.curve(1).y[0], level(std::hypot(0.5, 0.25)), 1e-9);

    // Amplifier curves follow the drivers and use the right axis.
    EXPECT_EQ(c.curve(3).name.str(), "Impedance at amplifier 1");
    EXPECT_TRUE(c.curve(3).rightAxis);
    EXPECT_EQ(c.curve(3).colour, 21u);
    EXPECT_DOUBLE_EQ(c.curve(3).y[2], 10.0);
    EXPECT_FALSE(c.curve(4).visible);

    // The energy response lies below the total by the directivity index.
    auto directivity = std::make_unique<TVChart>();
    FillDirectivityChart(*directivity, *f.result, *f.projekt);
    EXPECT_TRUE(c.curve(25).visible);
    EXPECT_NEAR(c.curve(0).y[0] - c.curve(25).y[0], directivity->curve(0).y[0], 1e-6);
    options = {};
    options.singleDrivers = false;
    options.impedance = false;
    FillResponseChart(*f.chart, *f.result, *f.projekt, options);
    EXPECT_TRUE(f.chart->curve(0).visible);
    EXPECT_FALSE(f.chart->curve(1).visible);
    EXPECT_FALSE(f.chart->curve(3).visible);
    EXPECT_FALSE(f.chart->curve(25).visible);
}

TEST(ResponseChart, InvalidResultsKeepTitlesAndVisibilityButWriteNoData) {
    Fixture f;
    FillResponseChart(*f.chart, *f.result, *f.projekt, {});
    f.result->Valid = false;
    f.result->SpeakerDir[1][0] = {10.0, 0.0};
    f.result->ChassisName[0] = "Other";
    FillResponseChart(*f.chart, *f.result, *f.projekt, {});
    EXPECT_FALSE(f.chart->hasData);
    EXPECT_TRUE(f.chart->curve(1).visible);
    EXPECT_EQ(f.chart->curve(1).name.str(), "Other (1)");
    EXPECT_EQ(f.chart->curve(0).count, Points);
    EXPECT_DOUBLE_EQ(f.chart->curve(0).y[1], 112.0);
}

TEST(DirectionCharts, SlotsTakeTheDirectionsOfTheirPlane) {
    Fixture f;
    struct Case {
        DirectionPlane plane;
        int slot1Direction;
        int slot5Direction;
    };
    for (const Case& c : {Case{DirectionPlane::Up, 1, 17}, Case{DirectionPlane::Left, 2, 18},
                          Case{DirectionPlane::Down, 3, 19}, Case{DirectionPlane::Right, 4, 20}}) {
        FillDirectionChart(*f.chart, *f.result, *f.projekt, c.plane);
        EXPECT_DOUBLE_EQ(f.chart->curve(0).y[0], level(1.0));
        EXPECT_DOUBLE_EQ(f.chart->curve(1).y[0], level(c.slot1Direction + 1.0));
        EXPECT_DOUBLE_EQ(f.chart->curve(5).y[0], level(c.slot5Direction + 1.0));
        EXPECT_DOUBLE_EQ(f.chart->curve(6).y[0], level(22.0)); // the rear, direction 21
        EXPECT_EQ(f.chart->curve(6).colour, 36u);
        EXPECT_TRUE(f.chart->curve(6).visible);
        EXPECT_FALSE(f.chart->curve(7).visible);
    }
}

TEST(DriverChart, StagesOfTheSignalPathAlsoWithoutAmplifierAndNoDataBeyondTheCount) {
    Fixture f;
    FillDriverChart(*f.chart, *f.result, *f.projekt, 0);
    const TVChart& c = *f.chart;
    EXPECT_EQ(c.titles[0], "Frequency response Woofer (1)");
    EXPECT_DOUBLE_EQ(c.curve(0).y[0], level(0.1));
    EXPECT_NEAR(c.curve(1).y[0], level(0.2), 1e-9);
    EXPECT_NEAR(c.curve(2).y[0], level(0.1), 1e-9); // filter 0.5 in the path
    EXPECT_DOUBLE_EQ(c.curve(3).y[0], level(0.5));
    EXPECT_TRUE(c.curve(4).rightAxis);
    EXPECT_DOUBLE_EQ(c.curve(4).y[0], 5.0);
    EXPECT_EQ(c.curve(4).colour, 14u);
    FillDriverChart(*f.chart, *f.result, *f.projekt, 1);
    EXPECT_TRUE(f.chart->hasData);
    EXPECT_EQ(f.chart->curve(2).y[1], f.chart->curve(1).y[1]);
    EXPECT_NEAR(f.chart->curve(1).y[1], level(0.3), 1e-9);
    FillDriverChart(*f.chart, *f.result, *f.projekt, 2);
    EXPECT_FALSE(f.chart->hasData);
    EXPECT_FALSE(f.chart->curve(0).visible);
    FillDriverChart(*f.chart, *f.result, *f.projekt, -1);
    EXPECT_FALSE(f.chart->hasData);
}

TEST(PhaseChart, ReferenceDistanceRotatesThePhase) {
    Fixture f;
    f.result->DirFront[0][1][0] = {1.0, 0.0};
    ChartViewOptions options;
    options.phaseReferenceCm = 8.6; // a quarter wavelength at 1000 Hz
    FillPhaseChart(*f.chart, *f.result, *f.projekt, options);
    EXPECT_EQ(f.chart->y1Type, AxisType::Degrees);
    EXPECT_NEAR(f.chart->curve(0).y[1], 90.0, 1e-3);
    EXPECT_EQ(f.chart->curve(0).name.str(), "Woofer(1)");
    EXPECT_EQ(f.chart->curve(1).name.str(), "Woofer vented (1)");
}

TEST(PhaseChart, VisibilityFollowsAmplifierAndCheckBoxesAndSteersTheReference) {
    Fixture f;
    ChartViewOptions options;
    FillPhaseChart(*f.chart, *f.result, *f.projekt, options);
    EXPECT_TRUE(f.chart->curve(0).visible);
    EXPECT_FALSE(f.chart->curve(1).visible); // rear needs CBPhaRueck
    EXPECT_FALSE(f.chart->curve(2).visible); // driver 2 has no amplifier
    EXPECT_TRUE(f.chart->reference(0).visible);
    EXPECT_FALSE(f.chart->reference(1).visible);

    options.phaseRear = true;
    FillPhaseChart(*f.chart, *f.result, *f.projekt, options);
    EXPECT_TRUE(f.chart->curve(1).visible);
    EXPECT_TRUE(f.chart->reference(1).visible);

    options.phaseDriver[0] = false;
    FillPhaseChart(*f.chart, *f.result, *f.projekt, options);
    EXPECT_FALSE(f.chart->curve(0).visible);
    EXPECT_FALSE(f.chart->curve(1).visible);
    f.result->Valid = false;
    FillPhaseChart(*f.chart, *f.result, *f.projekt, {});
    EXPECT_EQ(f.chart->curve(0).count, 0);
    EXPECT_EQ(f.chart->curve(1).count, 0);
}

TEST(MaxSplChart, ZeroPressureGoesOffTheAxisForTheSpeakerAndToZeroForADriver) {
    Fixture f;
    f.result->PmaxSpeaker = {0.0, 1.0, -1.0};
    f.result->PmaxChassis[0] = {0.0, 10.0, 0.0};
    FillMaxSplChart(*f.chart, *f.result, *f.projekt);
    EXPECT_DOUBLE_EQ(f.chart->curve(0).y[0], -1000000.0);
    EXPECT_DOUBLE_EQ(f.chart->curve(0).y[1], 112.0);
    EXPECT_DOUBLE_EQ(f.chart->curve(0).y[2], -1000000.0);
    EXPECT_DOUBLE_EQ(f.chart->curve(1).y[0], 0.0);
    EXPECT_DOUBLE_EQ(f.chart->curve(1).y[1], 132.0);
    EXPECT_DOUBLE_EQ(f.chart->y1Min, 40.0);
    EXPECT_DOUBLE_EQ(f.chart->y1Max, 140.0);
    EXPECT_EQ(f.chart->curve(0).name.str(), "Whole speaker");
}

TEST(UmaxChart, VoltsOnALogarithmicAxis) {
    Fixture f;
    f.result->Umax[0] = 12.5;
    f.result->UmaxChassis[1][2] = 3.0;
    FillUmaxChart(*f.chart, *f.result, *f.projekt);
    EXPECT_EQ(f.chart->y1Type, AxisType::Volt);
    EXPECT_DOUBLE_EQ(f.chart->y1Min, 0.1);
    EXPECT_DOUBLE_EQ(f.chart->y1Max, 1000.0);
    EXPECT_DOUBLE_EQ(f.chart->curve(0).y[0], 12.5);
    EXPECT_DOUBLE_EQ(f.chart->curve(2).y[2], 3.0);
    EXPECT_TRUE(f.chart->curve(2).visible);
}

TEST(VoltageChart, DriverWithoutAmplifierOrWithOneOutsideTheRangeIsHidden) {
    Fixture f;
    FillVoltageChart(*f.chart, *f.result, *f.projekt);
    EXPECT_TRUE(f.chart->curve(0).visible);
    EXPECT_NEAR(f.chart->curve(0).y[0], 20.0 * std::log10(0.25), 1e-9);
    EXPECT_FALSE(f.chart->curve(1).visible);
    EXPECT_EQ(f.chart->curve(1).name.str(), "Hocht\xF6ner (2)");
    f.result->AmpOfChassis[0] = 7;
    FillVoltageChart(*f.chart, *f.result, *f.projekt);
    EXPECT_FALSE(f.chart->curve(0).visible);
}

TEST(TimeCharts, GroupDelayInMsLeavesOutQuietPointsAndDriversWithoutTimeCurves) {
    Fixture f;
    f.result->HasTime = {true, true, false};
    f.result->GroupDelay[0] = {0.002, 0.003, 0.004};
    f.result->SpeakerDir[2][0] = {0.005, 0.0}; // 46 dB below the maximum of 1
    FillGroupDelayChart(*f.chart, *f.result, *f.projekt);
    EXPECT_EQ(f.chart->y1Type, AxisType::Milliseconds);
    EXPECT_DOUBLE_EQ(f.chart->y1Min, 0.1);
    EXPECT_DOUBLE_EQ(f.chart->y1Max, 1000.0);
    EXPECT_DOUBLE_EQ(f.chart->curve(0).y[1], 3.0);
    EXPECT_EQ(f.chart->curve(0).y[2], ChartGap);
    EXPECT_TRUE(f.chart->curve(1).visible);
    EXPECT_FALSE(f.chart->curve(2).visible);
    FillElectricalPhaseChart(*f.chart, *f.result, *f.projekt);
    EXPECT_DOUBLE_EQ(f.chart->y1Max, 180.0);
}

TEST(TimeCharts, ImpulseShowsMinusOneToTenMsThinnedToACurveWithASymmetricRange) {
    Fixture f;
    f.result->HasTime = {true, false, false};
    f.result->Impulse[0][8192 + 96] = 5.0; // at 1 ms
    FillImpulseChart(*f.chart, *f.result, *f.projekt);
    const ChartCurve& speaker = f.chart->curve(0);
    EXPECT_TRUE(f.chart->timeAxis);
    EXPECT_EQ(speaker.count, 529); // 1057 samples, every second one
    EXPECT_NEAR(speaker.x[0], -1.0, 1e-9);
    EXPECT_NEAR(speaker.x[speaker.count - 1], 10.0, 1e-9);
    EXPECT_DOUBLE_EQ(*std::max_element(speaker.y.begin(), speaker.y.end()), 5.0);
    EXPECT_DOUBLE_EQ(f.chart->y1Max, 6.0); // 1.1 × 5 rounded up
    EXPECT_DOUBLE_EQ(f.chart->y1Min, -6.0);
    EXPECT_FALSE(f.chart->curve(1).visible);
    FillResponseChart(*f.chart, *f.result, *f.projekt, {});
    EXPECT_FALSE(f.chart->timeAxis);
}

TEST(PolarViews, TwelveDirectionsPerPlaneAndTheFrequencyLabel) {
    Fixture f;
    f.result->SpeakerDir[1][21] = {0.0, 0.0};
    TVPolar horizontal, vertical;
    FillPolarHeader(horizontal, *f.result, *f.projekt);
    EXPECT_TRUE(horizontal.enabled);
    EXPECT_DOUBLE_EQ(horizontal.levelMin, 40.0);
    EXPECT_DOUBLE_EQ(horizontal.levelMax, 110.0);
    FillPolarLevels(horizontal, vertical, *f.result, 1);
    EXPECT_EQ(horizontal.count, 12);
    EXPECT_DOUBLE_EQ(horizontal.angle[11], 11.0);
    EXPECT_DOUBLE_EQ(horizontal.level[0], level(1.0));
    EXPECT_DOUBLE_EQ(horizontal.level[1], level(5.0)); // 30° right is direction 4
    EXPECT_DOUBLE_EQ(horizontal.level[6], -888.0);     // the silent rear
    EXPECT_DOUBLE_EQ(vertical.level[0], level(10.0));  // 90° up is direction 9
    EXPECT_DOUBLE_EQ(vertical.level[3], level(1.0));
    EXPECT_DOUBLE_EQ(vertical.level[11], level(14.0));
    EXPECT_EQ(PolarFrequencyLabel(*f.result, 1), "frequency: 1000 Hz");
    EXPECT_EQ(PolarScrollMaximum(*f.result), 2);
    f.result->nFreq = 0;
    EXPECT_EQ(PolarScrollMaximum(*f.result), 0);
    FillPolarLevels(horizontal, vertical, *f.result, 5000); // clamped, no overrun
}

TEST(ChartUpdate, AFailingChartIsReportedByNameAndTheOthersStillRun) {
    std::vector<std::string> errors;
    int ran = 0;
    RunChartUpdate(
        "bcFgangPha", [] { throw std::runtime_error("boom"); }, errors);
    RunChartUpdate(
        "bcUChassis", [&] { ++ran; }, errors);
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(errors[0], "Unerwarteter Fehler: UpdateCharts mit bcFgangPha");
    EXPECT_EQ(ran, 1);
}

struct SelectionCase {
    const char* name;
    bool ok;
    bool polar;
    ChartKind kind;
    int index;
};

class ChartSelectionNames : public ::testing::TestWithParam<SelectionCase> {};

TEST_P(ChartSelectionNames, ParsesTheCommandLineChartNames) {
    const SelectionCase& c = GetParam();
    const ChartSelectionResult parsed = ParseChartSelection(c.name);
    ASSERT_EQ(parsed.ok, c.ok) << c.name << ": " << parsed.error;
    if (!c.ok) {
        EXPECT_FALSE(parsed.error.empty());
        return;
    }
    EXPECT_EQ(parsed.selection.polar, c.polar);
    if (!c.polar) {
        EXPECT_EQ(parsed.selection.kind, c.kind);
    }
    EXPECT_EQ(parsed.selection.index, c.index);
}

INSTANTIATE_TEST_SUITE_P(
    Table, ChartSelectionNames,
    ::testing::Values(SelectionCase{"response", true, false, ChartKind::Response, 0},
                      SelectionCase{"directions-left", true, false, ChartKind::Direction, 0},
                      SelectionCase{"driver 3", true, false, ChartKind::Driver, 2},
                      SelectionCase{"driver-8", true, false, ChartKind::Driver, 7},
                      SelectionCase{"driver 9", false, false, ChartKind::Driver, 0},
                      SelectionCase{"driver 0", false, false, ChartKind::Driver, 0},
                      SelectionCase{"driver", false, false, ChartKind::Driver, 0},
                      SelectionCase{"polar 42", true, true, ChartKind::Response, 42},
                      SelectionCase{"polar x", false, true, ChartKind::Response, 0},
                      SelectionCase{"maxspl", true, false, ChartKind::MaxSpl, 0},
                      SelectionCase{"Response", false, false, ChartKind::Response, 0}));

TEST(ChartSelection, DirectionPlaneAndStandardTitles) {
    Fixture f;
    const ChartSelectionResult parsed = ParseChartSelection("directions-down");
    ASSERT_TRUE(parsed.ok);
    EXPECT_EQ(parsed.selection.plane, DirectionPlane::Down);
    FillSelectedChart(*f.chart, parsed.selection, *f.result, *f.projekt);
    EXPECT_EQ(f.chart->titles[1], "directions to listener and different angles to bottom");
    EXPECT_DOUBLE_EQ(f.chart->curve(1).y[0], level(4.0));
}

} // namespace
} // namespace tavrel
