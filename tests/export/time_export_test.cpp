// The exported time curves agree with the exported frequency responses: the impulse
// transforms back into the response, the group delay is the derivative of the phase.
#include "engine/calc_engine.h"
#include "export/result_export.h"
#include "support/example_project.h"

#include <cmath>
#include <gtest/gtest.h>
#include <numbers>
#include <sstream>
#include <vector>

namespace tavrel {
namespace {

constexpr double Pi = std::numbers::pi;

/// The two number columns of a csv export (header row skipped).
std::vector<std::array<double, 3>> columns(const std::string& text) {
    std::vector<std::array<double, 3>> rows;
    std::istringstream in(text);
    std::string line;
    std::getline(in, line);
    while (std::getline(in, line)) {
        std::array<double, 3> row{};
        std::istringstream fields(line);
        char comma = 0;
        fields >> row[0] >> comma >> row[1];
        if (fields >> comma) {
            fields >> row[2];
        }
        rows.push_back(row);
    }
    return rows;
}

double wrapDegrees(double d) {
    return std::remainder(d, 360.0);
}

struct Curves {
    ExportCurve response, groupDelay, impulse;
    int index;
};

/// Default.TVP calculated once: the whole speaker and its tweeter.
class TimeExport : public ::testing::TestWithParam<Curves> {
protected:
    static void SetUpTestSuite() {
        s_engine = new TCalcEngine;
        s_engine->CalculateAll(*test::LoadExample("Default.TVP"));
    }
    static void TearDownTestSuite() { delete s_engine; }

    std::string csv(ExportCurve curve) const {
        const ExportSpec spec{curve, GetParam().index};
        EXPECT_FALSE(CheckExport(s_engine->Result(), spec));
        return FormatExport(s_engine->Result(), spec, ExportFormat::Csv);
    }

    static TCalcEngine* s_engine;
};
TCalcEngine* TimeExport::s_engine = nullptr;

TEST_P(TimeExport, ImpulseTransformsBackIntoTheResponse) {
    const auto response = columns(csv(GetParam().response));
    const auto impulse = columns(csv(GetParam().impulse));
    ASSERT_EQ(impulse.size(), static_cast<std::size_t>(TimeSamples));
    const double dt = (impulse[1][0] - impulse[0][0]) / 1000;
    int checked = 0;
    for (const auto& [f, level, phase] : response) {
        if (f < 100 || f > 10000) {
            continue;
        }
        TComplex sum{};
        for (const auto& [t, h, unused] : impulse) {
            sum = CAdd(sum, CPolar(h * dt, -2 * Pi * f * t / 1000));
        }
        EXPECT_NEAR(20 * std::log10(CAbs(sum)) + 112, level, 0.2) << f;
        EXPECT_NEAR(wrapDegrees(std::atan2(sum.Im, sum.Re) * 180 / Pi - phase), 0.0, 2.0) << f;
        ++checked;
    }
    EXPECT_GT(checked, 50);
}

TEST_P(TimeExport, GroupDelayIsTheDerivativeOfThePhase) {
    const auto response = columns(csv(GetParam().response));
    const auto delay = columns(csv(GetParam().groupDelay));
    ASSERT_EQ(delay.size(), response.size());
    std::vector<double> phase{response[0][2] * Pi / 180};
    for (std::size_t k = 1; k < response.size(); ++k) {
        phase.push_back(phase.back() + wrapDegrees(response[k][2] - response[k - 1][2]) * Pi / 180);
    }
    for (std::size_t k = 1; k + 1 < response.size(); ++k) {
        const double dPhase = phase[k + 1] - phase[k - 1];
        const double dOmega =
            2 * Pi * response[k][0] * std::log(response[k + 1][0] / response[k - 1][0]);
        EXPECT_NEAR(delay[k][1], -1000 * dPhase / dOmega, 1e-6 + 1e-6 * std::abs(delay[k][1]))
            << response[k][0];
    }
}

INSTANTIATE_TEST_SUITE_P(SpeakerAndTweeter, TimeExport,
                         ::testing::Values(Curves{ExportCurve::Speaker, ExportCurve::GroupDelay,
                                                  ExportCurve::Impulse, 0},
                                           Curves{ExportCurve::Driver,
                                                  ExportCurve::DriverGroupDelay,
                                                  ExportCurve::DriverImpulse, 1}));

TEST(TimeExportChecks, DriverWithoutAmplifierOrFiniteValuesHasNoTimeCurves) {
    auto result = MakeResult();
    result->nChassis = 2;
    result->AmpOfChassis = {0, -1, -1, -1, -1, -1, -1, -1, -1};
    result->HasTime = {false, true};
    EXPECT_EQ(*CheckExport(*result, {ExportCurve::DriverStep, 1}),
              "This driver is not used in any crossover network. Output does not make sense..");
    EXPECT_NE(CheckExport(*result, {ExportCurve::Step, 0})->find("not finite"), std::string::npos);
    EXPECT_FALSE(CheckExport(*result, {ExportCurve::DriverImpulse, 0}));
    EXPECT_TRUE(CheckExport(*result, {ExportCurve::DriverImpulse, 2}));
}

} // namespace
} // namespace tavrel
