#include "charts/tv_polar.h"

#include "charts/grid_values.h"
#include "foundation/number_text.h"

#include <algorithm>
#include <cmath>
#include <exception>

namespace tavrel {

namespace {

constexpr int RingColumn = 4; // the ten-step series, 401 rows
constexpr int MaxRings = 2001;
constexpr int MaxMajorRings = 501;

int roundToInt(double value) {
    return static_cast<int>(std::lround(value));
}

} // namespace

RingSteps ChooseRingSteps(double levelMin, double levelMax, int textHeight, int radius) {
    RingSteps steps;
    if (!(levelMax > levelMin) || radius <= 0) {
        return steps;
    }
    const double needed = textHeight * 2.2 * (levelMax - levelMin) / radius;
    const std::vector<double>& series = GridColumn(RingColumn);
    const int row = FirstGridRow(RingColumn, [&](double s) { return needed < s; });
    if (row < 0) {
        return steps; // no ring spacing fits; the diagram goes without rings
    }
    steps.valid = true;
    steps.major = series[row];
    steps.minor = series[std::max(row - 2, 0)];
    steps.majorEvery = std::max(1, roundToInt(steps.major / steps.minor));
    return steps;
}

int TVPolar::LevelToRadius(double value) const {
    if (!(value > levelMin)) {
        return 0;
    }
    if (value >= levelMax) {
        return radius;
    }
    return roundToInt((value - levelMin) / (levelMax - levelMin) * radius);
}

DisplayList TVPolar::Paint(int x0, int y1, int x1, int y0, const TextMetrics& metrics) {
    DisplayList list;
    try {
        layOut(x0, y1, x1, y0, metrics, list);
    } catch (const std::exception&) {
        // A failed diagram keeps what was laid out; nothing is reported.
    }
    return list;
}

void TVPolar::layOut(int x0, int y1, int x1, int y0, const TextMetrics& metrics,
                     DisplayList& list) {
    const PixelRect rect{x0, y0, x1, y1};
    list.add(FillItem{rect, White});
    if (!enabled) {
        return;
    }
    const int w = x1 - x0;
    const int h = y1 - y0;
    FontSpec font{12, false};
    if (metrics.textWidth("mmmmmmmmmm", font) > w / 10) {
        font.pointSize = 10;
    }
    if (metrics.textWidth("mmmmmmmmmm", font) > w / 7) {
        font.pointSize = 8;
    }
    const int charWidth = metrics.textWidth("mmmmm", font) / 5;
    const int textHeight = metrics.textHeight(font);
    radius = std::max(1, std::min(w / 2 - (9 * charWidth) / 2, (h - 5 * textHeight) / 2));
    centreX = x0 + w / 2;
    centreY = y0 + textHeight + (h - textHeight) / 2;

    const FontSpec titleFont{font.pointSize + 2, false};
    list.add(TextItem{title,
                      {centreX, y0 + metrics.textHeight(titleFont) / 3},
                      HAlign::Centre,
                      VAlign::Top,
                      titleFont});
    const Pen axisPen{Grey};
    list.add(LineItem{
        {centreX - radius, centreY}, {centreX + radius, centreY}, axisPen, LineRole::Axis});
    list.add(LineItem{
        {centreX, centreY - radius}, {centreX, centreY + radius}, axisPen, LineRole::Axis});
    addRings(font, textHeight, list);
    addCurve(list);

    list.add(TextItem{
        topLabel, {centreX, centreY - radius - 3 - textHeight}, HAlign::Centre, VAlign::Top, font});
    list.add(TextItem{bottomLabel,
                      {centreX, centreY + radius + textHeight / 2},
                      HAlign::Centre,
                      VAlign::Top,
                      font});
    list.add(TextItem{leftLabel,
                      {centreX - radius - 3, centreY - textHeight / 2},
                      HAlign::Right,
                      VAlign::Top,
                      font});
    list.add(TextItem{
        rightLabel, {centreX + radius, centreY - textHeight / 2}, HAlign::Left, VAlign::Top, font});
}

void TVPolar::addRings(const FontSpec& font, int textHeight, DisplayList& list) const {
    const RingSteps steps = ChooseRingSteps(levelMin, levelMax, textHeight, radius);
    if (!steps.valid) {
        return;
    }
    std::vector<double> major;
    const double first = std::floor(levelMin / steps.minor) + 1.0;
    for (int i = 0; i < MaxRings; ++i) {
        const double multiple = first + i;
        const double value = multiple * steps.minor;
        if (value >= levelMax) {
            break;
        }
        list.add(CircleItem{{centreX, centreY}, LevelToRadius(value), Pen{LightGrey}});
        if (std::fmod(multiple, steps.majorEvery) == 0.0 &&
            static_cast<int>(major.size()) < MaxMajorRings) {
            major.push_back(value);
        }
    }
    for (double value : major) {
        const int r = LevelToRadius(value);
        list.add(CircleItem{{centreX, centreY}, r, Pen{Grey}});
        list.add(TextItem{FloatToWidth(6, value),
                          {centreX + 2, centreY + r - textHeight / 2},
                          HAlign::Left,
                          VAlign::Top,
                          font});
    }
}

void TVPolar::addCurve(DisplayList& list) const {
    const int n = std::clamp(count, 0, PolarPoints);
    if (n == 0) {
        return;
    }
    auto point = [&](int i) {
        const double a = 3.14159 * angle[i] / 6.0;
        const double r = LevelToRadius(level[i]);
        return PixelPoint{centreX + roundToInt(r * std::sin(a)),
                          centreY - roundToInt(r * std::cos(a))};
    };
    // Starting at the last point closes the curve.
    PolylineItem curve{{point(n - 1)}, Pen{Black}, LineRole::CurveLine, -1};
    for (int i = 0; i < n; ++i) {
        curve.points.push_back(point(i));
    }
    list.add(std::move(curve));
}

void SetHorizontalPolarTexts(TVPolar& polar) {
    polar.title = "horizontal";
    polar.topLabel = "front";
    polar.rightLabel = "right";
    polar.bottomLabel = "back";
    polar.leftLabel = "left";
}

void SetVerticalPolarTexts(TVPolar& polar) {
    polar.title = "vertical";
    polar.topLabel = "top";
    polar.rightLabel = "front";
    polar.bottomLabel = "bottom";
    polar.leftLabel = "back";
}

} // namespace tavrel
