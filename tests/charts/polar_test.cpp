#include "charts/tv_polar.h"
#include "fake_metrics.h"

#include <cmath>
#include <gtest/gtest.h>

namespace tavrel {
namespace {

using testing::FakeMetrics;

TVPolar polarWithLevels(std::initializer_list<double> levels) {
    TVPolar polar;
    polar.enabled = true;
    polar.levelMin = 40;
    polar.levelMax = 110;
    int i = 0;
    for (double level : levels) {
        polar.angle[i] = i;
        polar.level[i] = level;
        ++i;
    }
    polar.count = i;
    return polar;
}

const PolylineItem& curveOf(const DisplayList& list) {
    for (const DrawItem& item : list.items) {
        if (const auto* line = std::get_if<PolylineItem>(&item)) {
            return *line;
        }
    }
    throw std::runtime_error("no curve");
}

TEST(PolarLevel, MapsTheLevelRangeOntoTheRadius) {
    TVPolar polar = polarWithLevels({});
    polar.radius = 100;
    EXPECT_EQ(polar.LevelToRadius(40), 0);
    EXPECT_EQ(polar.LevelToRadius(-888), 0);
    EXPECT_EQ(polar.LevelToRadius(NAN), 0);
    EXPECT_EQ(polar.LevelToRadius(110), 100);
    EXPECT_EQ(polar.LevelToRadius(150), 100);
    EXPECT_EQ(polar.LevelToRadius(75), 50);
    EXPECT_EQ(polar.LevelToRadius(40.36), 1); // 0.51 rounds up
}

TEST(PolarRings, StepsKeepLabelsAboutTwoTextHeightsApart) {
    // 15 · 2.2 · 70 / 100 = 23.1 → major 25 dB; minor two rows lower, 16 dB.
    const RingSteps steps = ChooseRingSteps(40, 110, 15, 100);
    ASSERT_TRUE(steps.valid);
    EXPECT_DOUBLE_EQ(steps.major, 25.0);
    EXPECT_DOUBLE_EQ(steps.minor, 16.0);
    EXPECT_EQ(steps.majorEvery, 2);

    const RingSteps fine = ChooseRingSteps(0, 10, 1, 1000); // needs > 0.022
    EXPECT_NEAR(fine.major, 0.025, 1e-15);
    EXPECT_NEAR(fine.minor, 0.016, 1e-15);
}

TEST(PolarRings, NoStepCoarseEnoughMeansNoRings) {
    EXPECT_FALSE(ChooseRingSteps(0, 1e30, 10, 1).valid);
    EXPECT_FALSE(ChooseRingSteps(50, 50, 10, 100).valid);
    TVPolar polar = polarWithLevels({60, 60, 60});
    polar.levelMin = 0;
    polar.levelMax = 1e30;
    const DisplayList list = polar.Paint(0, 400, 400, 0, FakeMetrics{});
    for (const DrawItem& item : list.items) {
        EXPECT_FALSE(std::holds_alternative<CircleItem>(item));
    }
    EXPECT_EQ(curveOf(list).points.size(), 4u);
}

TEST(PolarRings, MinorRingsBelowTheMaximumAndLabelledMajorOnes) {
    TVPolar polar = polarWithLevels({60});
    const DisplayList list = polar.Paint(0, 400, 400, 0, FakeMetrics{});
    std::vector<int> light, major;
    std::vector<std::string> labels;
    for (const DrawItem& item : list.items) {
        if (const auto* ring = std::get_if<CircleItem>(&item)) {
            (ring->pen.colour == LightGrey ? light : major).push_back(ring->radius);
        }
        if (const auto* text = std::get_if<TextItem>(&item)) {
            labels.push_back(text->text);
        }
    }
    // 400 × 400 pixels: 8-point font, text height 12, radius 170 → rings every 8 dB from
    // 48 to 104, every second one (48, 64, 80, 96) labelled.
    const RingSteps steps = ChooseRingSteps(40, 110, 12, polar.radius);
    ASSERT_TRUE(steps.valid);
    ASSERT_FALSE(light.empty());
    for (int r : light) {
        EXPECT_GT(r, 0);
        EXPECT_LT(r, polar.radius);
    }
    EXPECT_EQ(major.size(), light.size() / static_cast<std::size_t>(steps.majorEvery));
    EXPECT_EQ(light.size(), 8u);
    EXPECT_NE(std::find(labels.begin(), labels.end(), "64"), labels.end());
    EXPECT_EQ(std::find(labels.begin(), labels.end(), "56"), labels.end());
}

TEST(PolarPaint, DisabledDiagramIsOnlyAWhiteFill) {
    TVPolar polar = polarWithLevels({60, 70});
    polar.enabled = false;
    const DisplayList list = polar.Paint(10, 300, 210, 0, FakeMetrics{});
    ASSERT_EQ(list.items.size(), 1u);
    const auto& fill = std::get<FillItem>(list.items[0]);
    EXPECT_EQ(fill.colour, White);
    EXPECT_EQ(fill.rect, (PixelRect{10, 0, 210, 300}));
}

TEST(PolarPaint, AngleZeroAtTheTopAndAnglesGrowClockwise) {
    // 12 points; point 3 (90°) at the maximum, point 0 at the maximum, others at the centre.
    TVPolar polar =
        polarWithLevels({110, -888, -888, 110, -888, -888, 300, -888, -888, 20, -888, -888});
    const DisplayList list = polar.Paint(0, 600, 600, 0, FakeMetrics{});
    const PolylineItem& curve = curveOf(list);
    ASSERT_EQ(curve.points.size(), 13u);
    const PixelPoint centre{polar.centreX, polar.centreY};
    EXPECT_EQ(curve.points.front(), curve.points[12]); // starts at the last point: closed
    EXPECT_EQ(curve.points[1], (PixelPoint{centre.x, centre.y - polar.radius}));
    EXPECT_EQ(curve.points[2], centre);     // -888 dB sits at the centre
    EXPECT_EQ(curve.points[4].y, centre.y); // 90°: right of the centre
    EXPECT_EQ(curve.points[4].x, centre.x + polar.radius);
    EXPECT_EQ(curve.points[7].x, centre.x); // above the maximum: on the outer circle
    EXPECT_EQ(curve.points[7].y, centre.y + polar.radius);
    EXPECT_EQ(curve.points[10], centre); // below the minimum: centre
}

TEST(PolarPaint, GeometryFromTheBoxAndFontDownToRadiusOne) {
    TVPolar polar = polarWithLevels({60});
    SetHorizontalPolarTexts(polar);
    polar.Paint(100, 400, 500, 0, FakeMetrics{});
    // W = 400 < 720: 10 points ("mmmmmmmmmm" 60 > 40), then 60 > 400/7 → 8 points.
    // w = 24 / 5 = 4, h = 12: radius = min(200 - 18, (400 - 60) / 2) = 170.
    EXPECT_EQ(polar.radius, 170);
    EXPECT_EQ(polar.centreX, 300);
    EXPECT_EQ(polar.centreY, 12 + (400 - 12) / 2);
    EXPECT_EQ(polar.title, "horizontal");
    EXPECT_EQ(polar.rightLabel, "right");
    polar.Paint(0, 300, 8, 0, FakeMetrics{}); // a very narrow box
    EXPECT_EQ(polar.radius, 1);
}

} // namespace
} // namespace tavrel
