// The excursion and vent air velocity charts and their export: the input level and the port
// cross-section scale them, values that are not finite never reach either, and both say the
// same numbers.
#include "charts/chart_views.h"
#include "export/limit_export.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <memory>
#include <sstream>

namespace tavrel {
namespace {

constexpr int Points = 4;
constexpr double NaN = std::numeric_limits<double>::quiet_NaN();

/// One driven driver in a bivented bandpass: its rear port is 50 cm², its front port unknown.
/// The cone's output is NaN at the last point.
struct Fixture {
    std::unique_ptr<TResult> result = MakeResult();
    std::unique_ptr<TProjekt> projekt = std::make_unique<TProjekt>();
    std::unique_ptr<TVChart> chart = std::make_unique<TVChart>();

    Fixture() {
        TResult& r = *result;
        r.Valid = true;
        r.nFreq = Points;
        r.nChassis = 1;
        r.nAmps = 1;
        r.AmpOfChassis = {0, -1, -1, -1, -1, -1, -1, -1, -1};
        r.EinbauTyp[0] = EinbauBandpassBivented;
        for (int k = 0; k < Points; ++k) {
            r.Freq[k] = 20.0 * (k + 1);
            r.PCone[0][k] = {0.0, 0.75};
            r.PRearBlend[0][k] = {0.5, 0.0};
            r.PFrontBlend[0][k] = {0.25, 0.0};
            r.ChassisU[0][k] = {1.0, 0.0};
            r.AktFilterH[0][k] = {0.0, 1.0};
        }
        r.PRearBlend[0][3] = {NaN, 0.0};
        r.PCone[0][3] = {NaN, 0.0};
        projekt->Chassis[0].xlin = 0.004;
        projekt->Chassis[0].Amem = 0.02;
        projekt->Einbau[0].Aport = 0.005;
    }

    LimitExportSpec spec(LimitCurve curve, double volts) const {
        return {curve, 0, volts, projekt->Chassis[0].Amem, projekt->Einbau[0]};
    }
};

std::array<double, GridSize> excursion(Fixture& f, double volts) {
    FillExcursionChart(*f.chart, *f.result, *f.projekt, {volts, 17});
    return f.chart->curve(0).y;
}

std::array<double, GridSize> rearVelocity(Fixture& f, double volts) {
    FillVentVelocityChart(*f.chart, *f.result, *f.projekt, {volts, 17});
    return f.chart->curve(1).y;
}

TEST(LimitCharts, SixDbMoreInputDoublesBothCurvesAndHalfTheAreaDoublesVelocityAndExcursion) {
    Fixture f;
    const auto x = excursion(f, 2.83), v = rearVelocity(f, 2.83);
    const auto x2 = excursion(f, 5.66), v2 = rearVelocity(f, 5.66);
    f.projekt->Einbau[0].Aport /= 2;
    f.projekt->Chassis[0].Amem /= 2;
    const auto vHalfArea = rearVelocity(f, 2.83);
    const auto xHalfArea = excursion(f, 2.83);
    for (int k = 0; k < 3; ++k) {
        EXPECT_NEAR(v2[k], 2 * v[k], 1e-12 * v[k]) << k;
        EXPECT_NEAR(vHalfArea[k], 2 * v[k], 1e-12 * v[k]) << k;
        EXPECT_NEAR(x2[k], 2 * x[k], 1e-12 * x[k]) << k;
        EXPECT_NEAR(xHalfArea[k], 2 * x[k], 1e-12 * x[k]) << k;
    }
    // Twice the frequency at the same output pressure: half the volume velocity, a quarter of
    // the excursion.
    EXPECT_NEAR(x[1], x[0] / 4, 1e-12 * x[0]);
}

TEST(LimitCharts, ValuesThatAreNotFiniteStayOutOfChartsAndExports) {
    Fixture f;
    const auto x = excursion(f, 2.83);
    EXPECT_EQ(f.chart->curve(1).style, LineStyle::Dashed); // xlin
    EXPECT_DOUBLE_EQ(f.chart->curve(1).y[0], 4.0);
    EXPECT_FALSE(f.chart->curve(2).visible); // no xmax given
    const auto v = rearVelocity(f, 2.83);
    for (int k = 0; k < Points; ++k) {
        EXPECT_TRUE(std::isfinite(x[k]) && std::isfinite(v[k])) << k;
    }
    EXPECT_EQ(f.chart->titles[1], "enter the port cross-section in the driver editor");
    EXPECT_EQ(f.chart->curve(2).count, 0); // the front port has no area yet

    const auto excursionProblem = CheckLimitExport(*f.result, f.spec(LimitCurve::Excursion, 2.83));
    ASSERT_TRUE(excursionProblem);
    EXPECT_NE(excursionProblem->find("not finite"), std::string::npos);
    const auto ventProblem = CheckLimitExport(*f.result, f.spec(LimitCurve::VentVelocity, 2.83));
    ASSERT_TRUE(ventProblem);
    EXPECT_NE(ventProblem->find("enter the port cross-section"), std::string::npos);
    f.result->EinbauTyp[0] = EinbauClosed;
    EXPECT_NE(
        CheckLimitExport(*f.result, f.spec(LimitCurve::VentVelocity, 2.83))->find("has no port"),
        std::string::npos);
}

TEST(LimitCharts, ExportsSayWhatTheChartsShow) {
    Fixture f;
    f.result->nFreq = 2; // the finite points
    f.result->Freq[2] = 0;
    f.projekt->Einbau[0].Aportf = 0.002;
    for (LimitCurve curve : {LimitCurve::Excursion, LimitCurve::VentVelocity}) {
        const LimitExportSpec spec = f.spec(curve, 7.5);
        ASSERT_FALSE(CheckLimitExport(*f.result, spec));
        std::istringstream csv(FormatLimitExport(*f.result, spec, false, true));
        std::string line;
        std::getline(csv, line); // header
        const InputLevel level{7.5, 17};
        if (curve == LimitCurve::Excursion) {
            FillExcursionChart(*f.chart, *f.result, *f.projekt, level);
        } else {
            FillVentVelocityChart(*f.chart, *f.result, *f.projekt, level);
        }
        const int firstSlot = curve == LimitCurve::Excursion ? 0 : 1;
        int k = 0;
        for (; std::getline(csv, line); ++k) {
            std::istringstream values(line);
            char comma = 0;
            double frequency = 0, value = 0;
            values >> frequency;
            EXPECT_EQ(frequency, f.result->Freq[k]);
            for (int slot = firstSlot; values >> comma >> value; ++slot) {
                EXPECT_NEAR(value, f.chart->curve(slot).y[k], 1e-9 * value) << k;
            }
        }
        EXPECT_EQ(k, 2);
    }
}

} // namespace
} // namespace tavrel
