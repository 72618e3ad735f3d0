#include "charts/chart_selection.h"
#include "charts/ui/chart_painter.h"
#include "charts/ui/chart_render.h"
#include "qt_test_support.h"

#include <QPainter>
#include <gtest/gtest.h>
#include <set>

namespace tavrel {
namespace {

using namespace tavrel::testing;

QImage placeholder() {
    return LoadPlaceholderPicture(QStringLiteral(TAVREL_SOURCE_DIR "/data"));
}

/// Colours of the visible curves of a chart (current and reference), as 0xRRGGBB.
std::set<QRgb> curveColours(const TVChart& chart) {
    std::set<QRgb> colours;
    for (int slot = 0; slot < 2 * TVChart::CurveSlots; ++slot) {
        const ChartCurve& curve = chart.curves[slot];
        if (curve.visible && curve.count >= 2) {
            const Colour c =
                slot >= TVChart::ReferenceOffset ? ReferenceColour(curve.colour) : curve.colour;
            colours.insert(ToQColor(c).rgb() & 0xFFFFFFu);
        }
    }
    return colours;
}

struct CurvePixels {
    int inside = 0;
    int outside = 0;
};

/// Pixels in a curve colour: inside the plot, or outside it but above the legend area.
/// On a scaled device a pen may reach one logical pixel beyond the line it draws.
CurvePixels countCurvePixels(const QImage& image, const TVChart& chart, int scale) {
    const std::set<QRgb> colours = curveColours(chart);
    const int tolerance = scale > 1 ? 1 : 0;
    const PixelRect edge = chart.plotRect();
    const PixelRect plot{edge.left - tolerance, edge.top - tolerance, edge.right + tolerance,
                         edge.bottom + tolerance};
    const int legendTop = (plot.bottom + 1) * scale;
    CurvePixels pixels;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (colours.count(image.pixel(x, y) & 0xFFFFFFu) == 0) {
                continue;
            }
            const PixelPoint logical{x / scale, y / scale};
            if (plot.contains(logical)) {
                ++pixels.inside;
            } else if (y < legendTop) {
                ++pixels.outside;
            }
        }
    }
    return pixels;
}

class EveryChart : public ::testing::TestWithParam<const char*> {
protected:
    void SetUp() override { test::TestApplication(); }
};

TEST_P(EveryChart, DrawsItsCurvesInsideThePlotRectangle) {
    const auto result = MakeSampleResult();
    const auto reference = MakeSampleResult(-6.0);
    const auto projekt = MakeSampleProjekt();
    const ChartSelectionResult parsed = ParseChartSelection(GetParam());
    ASSERT_TRUE(parsed.ok);
    auto chart = std::make_unique<TVChart>();
    FillSelectedChart(*chart, parsed.selection, *reference, *projekt);
    chart->StoreAsReference();
    FillSelectedChart(*chart, parsed.selection, *result, *projekt);

    QImage image(900, 600, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    PaintChart(painter, *chart, image.rect(), placeholder());
    painter.end();

    EXPECT_GT(InkShare(image), 0.01);
    const CurvePixels pixels = countCurvePixels(image, *chart, 1);
    EXPECT_GT(pixels.inside, 300) << GetParam();
    EXPECT_EQ(pixels.outside, 0) << GetParam();
}

INSTANTIATE_TEST_SUITE_P(Charts, EveryChart,
                         ::testing::Values("response", "directions-up", "directions-left",
                                           "directions-down", "directions-right", "driver 1",
                                           "driver 2", "phase", "umax", "maxspl", "voltage",
                                           "directivity"));

TEST(ChartRender, NamedChartsRenderAtTheRequestedSizePolarsFillBothHalvesBadOnesFail) {
    test::TestApplication();
    const auto result = MakeSampleResult();
    const auto projekt = MakeSampleProjekt();
    for (const char* name : {"response", "driver 2", "polar 50", "polar 0", "polar 9999"}) {
        const RenderedChart rendered =
            RenderChartImage(name, *result, *projekt, QSize(640, 400), placeholder());
        ASSERT_FALSE(rendered.image.isNull()) << name << rendered.error.toStdString();
        EXPECT_EQ(rendered.image.size(), QSize(640, 400));
        EXPECT_GT(InkShare(rendered.image), 0.01) << name;
    }
    const QImage image =
        RenderChartImage("polar 40", *result, *projekt, QSize(800, 400), placeholder()).image;
    ASSERT_FALSE(image.isNull());
    EXPECT_GT(InkShare(image.copy(0, 0, 400, 400)), 0.01);
    EXPECT_GT(InkShare(image.copy(400, 0, 400, 400)), 0.01);

    result->Valid = false; // not valid: both halves plain white
    const QImage blank =
        RenderChartImage("polar 40", *result, *projekt, QSize(800, 400), placeholder()).image;
    EXPECT_EQ(InkShare(blank), 0.0);
    const RenderedChart unknown =
        RenderChartImage("spectrum", *result, *projekt, QSize(100, 100), placeholder());
    EXPECT_TRUE(unknown.image.isNull());
    EXPECT_TRUE(unknown.error.contains("spectrum"));
    EXPECT_TRUE(RenderChartImage("response", *result, *projekt, QSize(0, 100), placeholder())
                    .image.isNull());
}

TEST(ChartRender, InvalidResultsShowThePlaceholderPicture) {
    test::TestApplication();
    const auto result = MakeSampleResult();
    result->Valid = false;
    const auto projekt = MakeSampleProjekt();
    const QImage picture = placeholder();
    ASSERT_EQ(picture.size(), QSize(578, 376));
    const QImage image =
        RenderChartImage("response", *result, *projekt, QSize(700, 700), picture).image;
    // Width limits: 600 × 390 centred; the centre shows the picture, the corner is white.
    EXPECT_GT(InkShare(image.copy(50, 155, 600, 390)), 0.5);
    EXPECT_EQ(image.pixel(5, 5) & 0xFFFFFFu, 0xFFFFFFu);
    const QImage noPicture =
        RenderChartImage("response", *result, *projekt, QSize(700, 700), QImage()).image;
    EXPECT_EQ(InkShare(noPicture), 0.0);
}

TEST(ChartRender, MissingPlaceholderFileIsReported) {
    test::TestApplication();
    QString error;
    EXPECT_TRUE(LoadPlaceholderPicture("/nonexistent", &error).isNull());
    EXPECT_TRUE(error.contains("placeholder.jpg"));
}

TEST(ChartRender, HighDpiImageKeepsTheLogicalLayout) {
    test::TestApplication();
    const auto result = MakeSampleResult();
    const auto projekt = MakeSampleProjekt();
    auto plain = std::make_unique<TVChart>();
    auto sharp = std::make_unique<TVChart>();
    FillSelectedChart(*plain, ParseChartSelection("response").selection, *result, *projekt);
    *sharp = *plain;

    QImage normal(800, 500, QImage::Format_RGB32);
    normal.fill(Qt::white);
    QPainter p1(&normal);
    PaintChart(p1, *plain, normal.rect(), QImage());
    p1.end();

    QImage doubled(1600, 1000, QImage::Format_RGB32);
    doubled.setDevicePixelRatio(2.0);
    doubled.fill(Qt::white);
    QPainter p2(&doubled);
    PaintChart(p2, *sharp, QRect(0, 0, 800, 500), QImage());
    p2.end();

    EXPECT_EQ(sharp->plotRect(), plain->plotRect());
    EXPECT_EQ(sharp->charHeight(), plain->charHeight());
    const CurvePixels pixels = countCurvePixels(doubled, *sharp, 2);
    EXPECT_GT(pixels.inside, 300);
    EXPECT_EQ(pixels.outside, 0);
}

} // namespace
} // namespace tavrel
