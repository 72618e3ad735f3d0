// The loads of crossover parts against circuit laws on the calculated example networks, and
// the ratings a builder is told to order.
#include "editor/part_loads.h"
#include "engine/calc_engine.h"
#include "engine/network.h"
#include "support/example_project.h"

#include <cmath>
#include <gtest/gtest.h>
#include <map>

namespace tavrel {
namespace {

class ExampleLoads : public ::testing::TestWithParam<const char*> {
protected:
    void SetUp() override {
        project = test::LoadExample(GetParam());
        engine.CalculateAll(*project);
        ASSERT_TRUE(CollectErrors(engine.Status(), *project).empty());
    }
    const TResult& result() const { return engine.Result(); }
    int points() const {
        int n = 0;
        while (n < GridSize && result().Freq[n] > 0) {
            ++n;
        }
        return n;
    }

    std::unique_ptr<TProjekt> project;
    TCalcEngine engine;
};

TEST_P(ExampleLoads, CurrentsMeetAtEveryNode) {
    for (int a = 0; a < AmpCount(*project); ++a) {
        const auto flows = SolveBranchFlows(*project, a, result(), points());
        ASSERT_FALSE(flows.empty());
        for (int k = 0; k < points(); ++k) {
            std::map<int, TComplex> net; // current leaving each node
            double scale = 0;
            for (const BranchFlow& flow : flows) {
                const TComplex i = flow.current[k];
                net[flow.A] = CAdd(net[flow.A], i);
                net[flow.B] = CSub(net[flow.B], i);
                scale = std::max(scale, CAbs(i));
            }
            for (const auto& [node, sum] : net) {
                EXPECT_LT(CAbs(sum), 1e-9 * scale) << "amp " << a << " node " << node << " k " << k;
            }
        }
    }
}

TEST_P(ExampleLoads, DissipatedPowerIsWhatTheAmplifierDelivers) {
    constexpr double Volts = 20.0;
    const NetworkLoads loads = ComputeLoads(*project, result(), Volts);
    for (int k = 0; k < points(); ++k) {
        std::vector<double> used(MaxAmps, 0.0);
        for (const PartLoad& part : loads.parts) {
            used[part.amp] += part.watts.empty() ? 0.0 : part.watts[k];
        }
        for (const DriverLoad& driver : loads.drivers) {
            used[driver.amp] += driver.watts[k];
        }
        for (int a = 0; a < AmpCount(*project); ++a) {
            const double level = Volts * CAbs(result().AktFilterH[a][k]);
            // AmpZ counts the output's current into its positive terminal.
            const TComplex y = CDiv(TComplex{-1.0, 0.0}, result().AmpZ[a][k]);
            EXPECT_NEAR(used[a], level * level * y.Re, 1e-9 * level * level * CAbs(y))
                << "amp " << a << " k " << k;
        }
    }
}

TEST_P(ExampleLoads, DoublingTheVoltageQuadruplesEveryPower) {
    const NetworkLoads once = ComputeLoads(*project, result(), 5.0);
    const NetworkLoads twice = ComputeLoads(*project, result(), 10.0);
    ASSERT_EQ(once.parts.size(), twice.parts.size());
    for (std::size_t p = 0; p < once.parts.size(); ++p) {
        const PartLoad& a = once.parts[p];
        const PartLoad& b = twice.parts[p];
        EXPECT_NEAR(b.power.sine, 4 * a.power.sine, 1e-9 * b.power.sine) << a.name;
        EXPECT_NEAR(b.power.pink, 4 * a.power.pink, 1e-9 * b.power.pink) << a.name;
        EXPECT_NEAR(b.voltage.sine, 2 * a.voltage.sine, 1e-9 * b.voltage.sine) << a.name;
    }
    for (std::size_t d = 0; d < once.drivers.size(); ++d) {
        EXPECT_NEAR(twice.drivers[d].power.pink, 4 * once.drivers[d].power.pink,
                    1e-9 * twice.drivers[d].power.pink);
    }
}

INSTANTIATE_TEST_SUITE_P(Examples, ExampleLoads,
                         ::testing::Values("Default.TVP", "Closed 3-way.TVP",
                                           "Bi-amped 2-way.TVP"));

struct RatingCase {
    int typ;
    double voltsSine, ampsSine, wattsSine, wattsPink;
    std::string rating;
};

TEST(SuggestedRating, NextStepAboveTheDemand) {
    const RatingCase cases[] = {
        {PartResistor, 0, 0, 3.0, 1.0, "5 W"},   // twice the pink power decides
        {PartResistor, 0, 0, 12.0, 1.0, "20 W"}, // the sine power decides
        {PartResistor, 0, 0, 10.0, 5.0, "10 W"}, // a step is taken at its value
        {PartResistor, 0, 0, 60.0, 1.0, "more than 50 W"},
        {PartCapacitor, 44.0, 0, 0, 0, "63 V"}, // 44 V rms peaks at 62.2 V
        {PartCapacitor, 45.0, 0, 0, 0, "100 V"},
        {PartCapacitor, 500.0, 0, 0, 0, "more than 630 V"},
        {PartInductance, 0, 2.11, 9, 9, "2.2 A"}, // rounded up
    };
    for (const RatingCase& c : cases) {
        EXPECT_EQ(
            SuggestedRating(c.typ, {c.voltsSine, 0}, {c.ampsSine, 0}, {c.wattsSine, c.wattsPink}),
            c.rating);
    }
}

TEST(RatingInComment, FindsANumberWithItsUnit) {
    const std::map<std::string, std::optional<double>> cases{
        {"10W", 10.0},           {"MKP 250 V", 250.0},
        {"2,5 A air core", 2.5}, {"Mundorf", std::nullopt},
        {"4.7uF", std::nullopt}, {"10 Watt", std::nullopt}};
    for (const auto& [comment, value] : cases) {
        const auto rating = RatingInComment(comment);
        EXPECT_EQ(rating ? std::optional<double>(rating->value) : std::nullopt, value) << comment;
    }
}

} // namespace
} // namespace tavrel
