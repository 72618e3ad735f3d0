#include "charts/chart_layout.h"
#include "charts/tv_chart.h"
#include "fake_metrics.h"

#include <cmath>
#include <gtest/gtest.h>
#include <memory>

namespace tavrel {
namespace {

using testing::FakeMetrics;

const PixelRect Canvas{0, 0, 800, 500};

std::unique_ptr<TVChart> chartWithData() {
    auto chart = std::make_unique<TVChart>();
    chart->hasData = true;
    chart->xMin = 20;
    chart->xMax = 20000;
    chart->y1Min = 40;
    chart->y1Max = 110;
    return chart;
}

void setCurve(TVChart& chart, int slot, std::vector<std::pair<double, double>> points,
              Colour colour = MakeColour(200, 0, 0)) {
    ChartCurve& curve = chart.curves[slot];
    curve.visible = true;
    curve.colour = colour;
    curve.name = "curve " + std::to_string(slot);
    curve.count = static_cast<int>(points.size());
    for (std::size_t i = 0; i < points.size(); ++i) {
        curve.x[i] = points[i].first;
        curve.y[i] = points[i].second;
    }
}

std::vector<const PolylineItem*> polylines(const DisplayList& list) {
    std::vector<const PolylineItem*> lines;
    for (const DrawItem& item : list.items) {
        if (const auto* line = std::get_if<PolylineItem>(&item)) {
            lines.push_back(line);
        }
    }
    return lines;
}

template <typename T>
int countOf(const DisplayList& list) {
    int n = 0;
    for (const DrawItem& item : list.items) {
        n += std::holds_alternative<T>(item) ? 1 : 0;
    }
    return n;
}

TEST(ChartFont, FitsTheWidthStopsAtFourPointsAndLargeFontsFitTwiceTheWidth) {
    const FakeMetrics metrics;
    // 11 m at 0.6·size ≤ width / 12  →  size ≤ width / 79.2.
    EXPECT_EQ(FitChartFont(3000, false, metrics), 36);
    EXPECT_EQ(FitChartFont(800, false, metrics), 10);
    EXPECT_EQ(FitChartFont(200, false, metrics), 5);
    EXPECT_EQ(FitChartFont(20, false, metrics), 4);
    EXPECT_EQ(FitChartFont(0, false, metrics), 4);
    EXPECT_EQ(FitChartFont(400, true, metrics), FitChartFont(800, false, metrics));
    EXPECT_GT(FitChartFont(1500, true, metrics), FitChartFont(1500, false, metrics));
}

TEST(ChartLayout, PlotMarginsInCharacterUnits) {
    EXPECT_EQ(PlotRectangle({10, 20, 810, 520}, 8, 15, false), (PixelRect{58, 65, 762, 445}));
    EXPECT_EQ(PlotRectangle({10, 20, 810, 520}, 8, 15, true), (PixelRect{58, 65, 762, 490}));
}

TEST(ChartLayout, PaintRecordsPlotRectangleAndCharacterSize) {
    auto chart = chartWithData();
    const FakeMetrics metrics;
    chart->Paint(Canvas, metrics);
    // 10 points: "mmmmm" is 30 pixels, a line 15.
    EXPECT_EQ(chart->charWidth(), 6);
    EXPECT_EQ(chart->charHeight(), 15);
    EXPECT_EQ(chart->plotRect(), (PixelRect{36, 45, 764, 425}));
}

TEST(ChartMapping, RangeEdgesMapToThePlotEdgesAndLogFrequencyLinearLevelBetween) {
    auto chart = chartWithData();
    chart->Paint(Canvas, FakeMetrics{});
    const PixelRect plot = chart->plotRect();
    EXPECT_EQ(chart->XToPixel(20000), plot.right);
    EXPECT_EQ(chart->XToPixel(1e9), plot.right);
    EXPECT_EQ(chart->XToPixel(19.999), plot.left);
    EXPECT_EQ(chart->XToPixel(20), plot.left);
    EXPECT_EQ(chart->XToPixel(-5), plot.left);
    EXPECT_EQ(chart->Y1ToPixel(110), plot.top);
    EXPECT_EQ(chart->Y1ToPixel(39.9), plot.bottom);
    EXPECT_EQ(chart->Y1ToPixel(NAN), plot.bottom);
    EXPECT_EQ(chart->Y1ToPixel(INFINITY), plot.top);
    // 200 Hz is one third of the three decades; 75 dB is half of 40..110.
    EXPECT_EQ(chart->XToPixel(200), plot.left + 243); // 728 / 3 = 242.67
    EXPECT_EQ(chart->Y1ToPixel(75), plot.bottom - 190);
}

TEST(ChartMapping, LogarithmicVerticalAxisTypes) {
    auto chart = chartWithData();
    chart->y2Type = AxisType::Volt;
    chart->y2Min = 0.1;
    chart->y2Max = 1000;
    chart->Paint(Canvas, FakeMetrics{});
    const PixelRect plot = chart->plotRect();
    EXPECT_EQ(chart->Y2ToPixel(10), plot.bottom - 190); // two of four decades
    EXPECT_EQ(chart->Y2ToPixel(1000), plot.top);
    EXPECT_EQ(chart->Y2ToPixel(0), plot.bottom);
}

TEST(ChartMapping, DegenerateRangesStayOnTheEdges) {
    EXPECT_EQ(MapToPixel(5, 10, 10, false, 100, 0), 100);
    EXPECT_EQ(MapToPixel(10, 10, 10, false, 100, 0), 0);
    EXPECT_EQ(MapToPixel(5, 0, 10, true, 100, 0), 100); // log axis starting at 0
}

TEST(ChartPaint, CurvesLieInsideThePlotRectangle) {
    auto chart = chartWithData();
    setCurve(*chart, 0, {{5, 0}, {20, 40}, {1000, 75}, {20000, 110}, {40000, 500}});
    setCurve(*chart, 3, {{100, -1e300}, {200, 1e300}, {300, NAN}});
    chart->curves[3].rightAxis = true;
    chart->secondAxis = true;
    chart->StoreAsReference();
    const DisplayList list = chart->Paint(Canvas, FakeMetrics{});
    const auto lines = polylines(list);
    ASSERT_EQ(lines.size(), 4u);
    for (const PolylineItem* line : lines) {
        for (PixelPoint p : line->points) {
            EXPECT_TRUE(chart->plotRect().contains(p)) << p.x << "," << p.y;
        }
    }
}

TEST(ChartPaint, TimeAxisIsLinearInMsAndAGapBreaksTheCurve) {
    auto chart = chartWithData();
    chart->timeAxis = true;
    chart->xMin = -1;
    chart->xMax = 10;
    setCurve(*chart, 0, {{-1, 60}, {0, 70}, {1, ChartGap}, {4.5, 80}, {10, 90}, {11, ChartGap}});
    const DisplayList list = chart->Paint(Canvas, FakeMetrics{});
    const PixelRect plot = chart->plotRect();
    EXPECT_NEAR(chart->XToPixel(4.5), (plot.left + plot.right) / 2, 1);
    const auto lines = polylines(list);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0]->points.size(), 2u);
    EXPECT_EQ(lines[1]->points.back().x, plot.right);
}

TEST(ChartPaint, OnePointCurveAndInvisibleCurveDrawNothing) {
    auto chart = chartWithData();
    setCurve(*chart, 0, {{100, 60}});
    setCurve(*chart, 1, {{100, 60}, {200, 70}});
    chart->curves[1].visible = false;
    EXPECT_TRUE(polylines(chart->Paint(Canvas, FakeMetrics{})).empty());
}

TEST(ChartPaint, ReferenceCurvesAreDottedLighterAndUnderTheCurrentOnes) {
    auto chart = chartWithData();
    setCurve(*chart, 0, {{100, 60}, {200, 70}}, MakeColour(0, 0, 255));
    setCurve(*chart, 25, {{100, 50}, {200, 80}}, MakeColour(255, 0, 0));
    chart->StoreAsReference();
    const DisplayList list = chart->Paint(Canvas, FakeMetrics{});
    const auto lines = polylines(list);
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0]->role, LineRole::ReferenceCurve);
    EXPECT_EQ(lines[0]->curveIndex, 51);
    EXPECT_EQ(lines[1]->curveIndex, 26);
    EXPECT_EQ(lines[1]->pen.style, LineStyle::Dotted);
    EXPECT_EQ(lines[1]->pen.colour, MakeColour(128, 128, 255));
    EXPECT_EQ(lines[2]->curveIndex, 25);
    EXPECT_EQ(lines[3]->curveIndex, 0);
    EXPECT_EQ(lines[3]->pen.style, LineStyle::Solid);

    chart->ClearReference();
    EXPECT_EQ(polylines(chart->Paint(Canvas, FakeMetrics{})).size(), 2u);
}

TEST(ChartPaint, ReferenceColourIsHalfwayToWhite) {
    EXPECT_EQ(ReferenceColour(Black), Grey);
    EXPECT_EQ(ReferenceColour(White), MakeColour(255, 255, 255));
    EXPECT_EQ(ReferenceColour(MakeColour(101, 3, 254)), MakeColour(178, 129, 255));
}

TEST(ChartPaint, LargeFontsThickenTheCurves) {
    auto chart = chartWithData();
    setCurve(*chart, 0, {{100, 60}, {200, 70}});
    chart->largeFonts = true;
    const DisplayList list = chart->Paint(Canvas, FakeMetrics{});
    ASSERT_EQ(polylines(list).size(), 1u);
    EXPECT_EQ(polylines(list)[0]->pen.width, 2);
}

TEST(ChartPaint, WithoutDataOnlyTheCentredPictureIsDrawn) {
    auto chart = chartWithData();
    chart->hasData = false;
    setCurve(*chart, 0, {{100, 60}, {200, 70}});
    const DisplayList list = chart->Paint({0, 0, 700, 700}, FakeMetrics{});
    ASSERT_EQ(list.items.size(), 2u);
    EXPECT_TRUE(std::holds_alternative<FillItem>(list.items[0]));
    const auto& picture = std::get<PictureItem>(list.items[1]);
    // Width limits: 600 × 390 centred.
    EXPECT_EQ(picture.target, (PixelRect{50, 155, 650, 545}));
}

TEST(ChartPaint, PictureLimitedByHeightKeepsItsAspect) {
    const PixelRect target = PictureTarget({0, 0, 2000, 350}, {578, 376});
    EXPECT_EQ(target.height(), 300);
    EXPECT_EQ(target.width(), 461);
    EXPECT_EQ(target.left, (2000 - 461) / 2);
}

TEST(ChartPaint, LegendHasThreeRowsAndNoneWithTheNoLegendFlag) {
    auto chart = chartWithData();
    for (int slot = 0; slot < 7; ++slot) {
        setCurve(*chart, slot, {{100, 60}, {200, 70}});
    }
    const DisplayList list = chart->Paint(Canvas, FakeMetrics{});
    std::vector<PixelPoint> entries;
    for (const DrawItem& item : list.items) {
        if (const auto* line = std::get_if<LineItem>(&item);
            line && line->role == LineRole::Legend) {
            entries.push_back(line->from);
        }
    }
    ASSERT_EQ(entries.size(), 7u);
    // (7 + 2) / 3 = 3 entries per row: rows start at entries 0, 3 and 6.
    EXPECT_EQ(entries[0].y, entries[2].y);
    EXPECT_LT(entries[2].y, entries[3].y);
    EXPECT_LT(entries[5].y, entries[6].y);
    EXPECT_EQ(entries[0].x, entries[6].x);
    EXPECT_LE(entries[6].y, Canvas.bottom);
    EXPECT_GT(entries[0].y, chart->plotRect().bottom);

    chart->noLegend = true;
    const DisplayList without = chart->Paint(Canvas, FakeMetrics{});
    for (const DrawItem& item : without.items) {
        const auto* line = std::get_if<LineItem>(&item);
        EXPECT_FALSE(line && line->role == LineRole::Legend);
    }
}

TEST(ChartPaint, TitlesAndValueLabels) {
    auto chart = chartWithData();
    chart->titles = {"Phase responses", "in main direction of box", "comment 1", "comment 2"};
    chart->boldTitle = true;
    const DisplayList list = chart->Paint(Canvas, FakeMetrics{});
    std::vector<const TextItem*> texts;
    for (const DrawItem& item : list.items) {
        if (const auto* text = std::get_if<TextItem>(&item)) {
            texts.push_back(text);
        }
    }
    ASSERT_GE(texts.size(), 4u);
    EXPECT_EQ(texts[0]->text, "Phase responses");
    EXPECT_TRUE(texts[0]->font.bold);
    EXPECT_GT(texts[0]->font.pointSize, texts[1]->font.pointSize);
    EXPECT_LT(texts[0]->anchor.y, texts[1]->anchor.y);
    EXPECT_EQ(texts[2]->hAlign, HAlign::Right);
    bool hasLabel60 = false;
    for (const TextItem* text : texts) {
        if (text->text == "60") {
            hasLabel60 = true;
            EXPECT_EQ(text->anchor.y, chart->Y1ToPixel(60));
            EXPECT_LT(text->anchor.x, chart->plotRect().left);
        }
        // Nothing labels the grid right under the top edge.
        if (text->vAlign == VAlign::Centre && text->anchor.x < chart->plotRect().left &&
            text->text != "SPL [dB]") {
            EXPECT_GT(text->anchor.y - chart->plotRect().top, chart->charHeight() * 3 / 2);
        }
    }
    EXPECT_TRUE(hasLabel60);
}

TEST(ChartPaint, TinyRectangleStillLaysOut) {
    auto chart = chartWithData();
    setCurve(*chart, 0, {{100, 60}, {200, 70}});
    const DisplayList list = chart->Paint({0, 0, 30, 20}, FakeMetrics{});
    EXPECT_TRUE(list.error.empty());
    EXPECT_TRUE(polylines(list).empty());
    EXPECT_GT(countOf<TextItem>(list), 0);
}

} // namespace
} // namespace tavrel
