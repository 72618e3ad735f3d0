#include "charts/axis_grid.h"
#include "charts/grid_values.h"

#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>

namespace tavrel {
namespace {

std::vector<double> labelled(const std::vector<GridLine>& lines) {
    std::vector<double> values;
    for (const GridLine& line : lines) {
        if (line.labelled) {
            values.push_back(line.value);
        }
    }
    std::sort(values.begin(), values.end());
    return values;
}

std::vector<double> thin(const std::vector<GridLine>& lines) {
    std::vector<double> values;
    for (const GridLine& line : lines) {
        if (!line.labelled) {
            values.push_back(line.value);
        }
    }
    std::sort(values.begin(), values.end());
    return values;
}

TEST(GridValues, ColumnsRepeatTheirDecadePatternFrom1e_20To1e20) {
    EXPECT_EQ(GridColumn(0).size(), 41u);
    EXPECT_EQ(GridColumn(2).size(), 121u);
    EXPECT_EQ(GridColumn(4).size(), 401u);
    EXPECT_DOUBLE_EQ(GridColumn(4).front(), 1e-20);
    EXPECT_DOUBLE_EQ(GridColumn(4).back(), 1e20);
    const std::vector<double>& column3 = GridColumn(3);
    const auto one = std::find_if(column3.begin(), column3.end(),
                                  [](double v) { return std::abs(v - 1.0) < 1e-12; });
    ASSERT_NE(one, column3.end());
    const std::vector<double> decade(one, one + 6);
    const std::vector<double> expected{1.0, 1.6, 2.5, 4.0, 6.0, 10.0};
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_NEAR(decade[i], expected[i], 1e-12);
    }
    EXPECT_TRUE(std::is_sorted(GridColumn(4).begin(), GridColumn(4).end()));
}

TEST(LinearAxisGrid, LabelsAtLeast1_8CharacterHeightsApartLinesTwoRowsBelowButNotBelowTheFirstRow) {
    // 40..110 dB on 300 pixels with 15-pixel characters: 1.8 · 70 · 15 / 300 = 6.3 → 10 dB.
    const LinearSteps steps = ChooseLinearSteps(40, 110, false, 15, 300);
    EXPECT_DOUBLE_EQ(steps.label, 10.0);
    EXPECT_DOUBLE_EQ(steps.line, 2.0);
    const std::vector<GridLine> lines = LinearAxisGrid(40, 110, false, 15, 300);
    EXPECT_EQ(labelled(lines), (std::vector<double>{50, 60, 70, 80, 90, 100}));
    // Lines start one step above the minimum and stay below the maximum.
    EXPECT_DOUBLE_EQ(lines.front().value, 42.0);
    EXPECT_DOUBLE_EQ(lines.back().value, 108.0);
    EXPECT_EQ(lines.size(), 34u);
    // 1.8 · 1000 · 10 / 100 = 180 → labels every 200, lines two rows lower every 50.
    EXPECT_DOUBLE_EQ(ChooseLinearSteps(0, 1000, false, 10, 100).label, 200.0);
    EXPECT_DOUBLE_EQ(ChooseLinearSteps(0, 1000, false, 10, 100).line, 50.0);
    const LinearSteps tiny = ChooseLinearSteps(0, 1e-19, false, 1, 1000);
    EXPECT_DOUBLE_EQ(tiny.label, 1e-20);
    EXPECT_DOUBLE_EQ(tiny.line, 1e-20);
}

TEST(LinearAxisGrid, DegreesUseTenOrThirtyDegreeLinesWithLabelsOnLines) {
    const LinearSteps fine = ChooseLinearSteps(-180, 180, true, 10, 400);
    EXPECT_DOUBLE_EQ(fine.line, 10.0);
    EXPECT_DOUBLE_EQ(fine.label, 20.0);
    const LinearSteps coarse = ChooseLinearSteps(-180, 180, true, 10, 100);
    EXPECT_DOUBLE_EQ(coarse.line, 30.0);
    EXPECT_DOUBLE_EQ(std::fmod(coarse.label, 30.0), 0.0);
    const std::vector<GridLine> lines = LinearAxisGrid(-180, 180, true, 10, 100);
    EXPECT_GE(labelled(lines).size(), 3u);
}

TEST(LinearAxisGrid, EmptyForAnUnusableRangeOrHeight) {
    EXPECT_TRUE(LinearAxisGrid(10, 10, false, 10, 100).empty());
    EXPECT_TRUE(LinearAxisGrid(20, 10, false, 10, 100).empty());
    EXPECT_TRUE(LinearAxisGrid(0, 10, false, 10, 0).empty());
    EXPECT_TRUE(LinearAxisGrid(0, NAN, false, 10, 100).empty());
}

TEST(LogAxisGrid, ColumnFollowsTheHeightPerDecade) {
    // 0.1 .. 1000 V: four decades.
    EXPECT_EQ(LogAxisColumn(0.1, 1000, 8, 40), 0);
    EXPECT_EQ(LogAxisColumn(0.1, 1000, 8, 200), 1);
    EXPECT_EQ(LogAxisColumn(0.1, 1000, 8, 1000), 2);
    EXPECT_EQ(LogAxisColumn(0.1, 1000, 8, 100000), 4);
    EXPECT_EQ(LogAxisColumn(0.1, 1000, 8, 5), 0);
}

TEST(LogAxisGrid, LabelsInsideTheRangeAndThinLinesByDecadeSteps) {
    const std::vector<GridLine> lines = LogAxisGrid(0.1, 1000, 8, 40);
    const std::vector<double> labels = labelled(lines);
    ASSERT_EQ(labels.size(), 3u);
    EXPECT_NEAR(labels[0], 1.0, 1e-12);
    EXPECT_NEAR(labels[2], 100.0, 1e-9);
    const std::vector<double> thinLines = thin(lines);
    // Decade below the first label (1), then 2 … 9, 10, 20 … 900.
    EXPECT_NEAR(thinLines.front(), 1.0, 1e-12);
    EXPECT_NEAR(thinLines[1], 2.0, 1e-12);
    EXPECT_NEAR(thinLines[9], 10.0, 1e-9);
    EXPECT_NEAR(thinLines[10], 20.0, 1e-9);
    EXPECT_NEAR(thinLines.back(), 900.0, 1e-6);
    EXPECT_EQ(thinLines.size(), 27u);
}

TEST(FrequencyAxisGrid, LabelsIncludeTheMaximumAndAnExtraLineHalfIntoEachDecade) {
    EXPECT_EQ(FrequencyAxisColumn(20, 20000, 8, 600), 0);
    EXPECT_EQ(FrequencyAxisColumn(20, 20000, 8, 1000), 1);
    EXPECT_EQ(FrequencyAxisColumn(20, 20000, 8, 10000), 2);
    const std::vector<GridLine> lines = FrequencyAxisGrid(20, 20000, 8, 10000);
    const std::vector<double> labels = labelled(lines);
    ASSERT_FALSE(labels.empty());
    EXPECT_NEAR(labels.front(), 20.0, 1e-9);
    EXPECT_NEAR(labels.back(), 20000.0, 1e-6);
    const std::vector<double> thinLines = thin(lines);
    auto has = [&](double v) {
        return std::any_of(thinLines.begin(), thinLines.end(),
                           [&](double t) { return std::abs(t - v) < 1e-6 * v; });
    };
    EXPECT_TRUE(has(150.0));
    EXPECT_TRUE(has(1500.0));
    EXPECT_TRUE(has(30.0));
    EXPECT_FALSE(has(10.0)); // below the axis
    EXPECT_LE(thinLines.back(), 20000.0 * 1.0000000000001);
}

TEST(FrequencyAxisGrid, NarrowAxisFallsBackToDecadeLabels) {
    EXPECT_EQ(FrequencyAxisColumn(20, 20000, 8, 100), 0);
    EXPECT_EQ(labelled(FrequencyAxisGrid(20, 20000, 8, 100)),
              (std::vector<double>{100, 1000, 10000}));
}

} // namespace
} // namespace tavrel
