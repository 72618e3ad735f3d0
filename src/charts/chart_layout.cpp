// TVChart::Paint: turns the chart's header and curves into a display list.
#include "charts/chart_layout.h"

#include "charts/axis_grid.h"
#include "foundation/number_text.h"

#include <algorithm>
#include <cmath>
#include <exception>

namespace tavrel {

namespace {

constexpr Colour LabelledGridColour = MakeColour(160, 160, 160);
constexpr Colour ThinGridColour = MakeColour(222, 222, 222);
constexpr int LabelWidth = 5;

struct FontStep {
    int pointSize;
    int divisor; ///< "mmmmmmmmmmm" must fit into width / divisor
};

constexpr std::array<FontStep, 15> FontSteps{{{36, 12},
                                              {32, 12},
                                              {28, 12},
                                              {24, 12},
                                              {20, 12},
                                              {18, 12},
                                              {14, 12},
                                              {12, 11},
                                              {10, 10},
                                              {9, 9},
                                              {8, 8},
                                              {7, 7},
                                              {6, 6},
                                              {5, 5},
                                              {4, 5}}};

/// Everything the drawing steps share.
struct Layout {
    PixelRect rect;
    PixelRect plot;
    FontSpec font;
    int cw = 1;
    int ch = 1;
};

int scaled(int value, int percent) {
    return value * percent / 100;
}

void addTitles(const TVChart& chart, const Layout& l, const TextMetrics& metrics,
               DisplayList& list) {
    const FontSpec titleFont{(l.font.pointSize * 5 + 2) / 4, chart.boldTitle};
    const int firstY = l.rect.top + l.ch / 3;
    const int secondY = firstY + metrics.textHeight(titleFont);
    const int left = l.rect.left + l.cw;
    const int right = l.rect.right - l.cw;
    list.add(TextItem{chart.titles[0], {left, firstY}, HAlign::Left, VAlign::Top, titleFont});
    list.add(TextItem{chart.titles[1], {left, secondY}, HAlign::Left, VAlign::Top, l.font});
    list.add(TextItem{chart.titles[2], {right, firstY}, HAlign::Right, VAlign::Top, l.font});
    list.add(TextItem{chart.titles[3], {right, secondY}, HAlign::Right, VAlign::Top, l.font});
}

std::vector<GridLine> verticalAxisGrid(double min, double max, AxisType type, const Layout& l) {
    const int span = l.plot.bottom - l.plot.top;
    if (IsLogarithmic(type)) {
        return LogAxisGrid(min, max, l.cw, span);
    }
    return LinearAxisGrid(min, max, type == AxisType::Degrees, l.ch, span);
}

void addHorizontalGridLine(int y, bool labelled, const Layout& l, DisplayList& list) {
    const Pen pen{labelled ? LabelledGridColour : ThinGridColour};
    list.add(LineItem{{l.plot.left, y}, {l.plot.right, y}, pen, LineRole::GridMark});
}

/// Impulse and step values need one digit more than levels (−0,015 rather than −0,01).
int valueLabelWidth(const TVChart& chart) {
    return chart.timeAxis ? LabelWidth + 1 : LabelWidth;
}

/// Left axis: full-width lines and labels left of the plot. Right axis: labels and short
/// ticks only, so two grids do not cross each other inside the plot.
void addVerticalAxis(const TVChart& chart, bool right, const Layout& l, DisplayList& list) {
    const double min = right ? chart.y2Min : chart.y1Min;
    const double max = right ? chart.y2Max : chart.y1Max;
    const AxisType type = right ? chart.y2Type : chart.y1Type;
    const std::vector<GridLine> lines = verticalAxisGrid(min, max, type, l);
    for (int pass = 0; pass < 2; ++pass) {
        for (const GridLine& line : lines) {
            if (line.labelled != (pass == 1)) {
                continue;
            }
            const int y = right ? chart.Y2ToPixel(line.value) : chart.Y1ToPixel(line.value);
            if (right) {
                const int tick = line.labelled ? l.cw / 2 : l.cw / 4;
                list.add(LineItem{
                    {l.plot.right - tick, y}, {l.plot.right, y}, Pen{Black}, LineRole::Axis});
            } else {
                addHorizontalGridLine(y, line.labelled, l, list);
            }
            if (line.labelled && y - l.plot.top > l.ch * 3 / 2) {
                const int x = right ? l.plot.right + l.cw / 2 : l.plot.left - l.cw / 2;
                list.add(TextItem{FloatToWidth(valueLabelWidth(chart), line.value),
                                  {x, y},
                                  right ? HAlign::Left : HAlign::Right,
                                  VAlign::Centre,
                                  l.font});
            }
        }
    }
    const int x = right ? l.plot.right + l.cw / 2 : l.plot.left - l.cw / 2;
    // Just inside the top of the plot, where no value label is drawn.
    list.add(TextItem{std::string(UnitLabel(type)),
                      {x, l.plot.top + scaled(l.ch, 60)},
                      right ? HAlign::Left : HAlign::Right,
                      VAlign::Centre,
                      l.font});
}

std::vector<GridLine> horizontalAxisGrid(const TVChart& chart, const Layout& l) {
    const int span = l.plot.right - l.plot.left;
    if (chart.timeAxis) {
        // Labels of up to five characters side by side need about seven widths each.
        return LinearAxisGrid(chart.xMin, chart.xMax, false, 4 * l.cw, span);
    }
    return FrequencyAxisGrid(chart.xMin, chart.xMax, l.cw, span);
}

void addFrequencyAxis(const TVChart& chart, const Layout& l, DisplayList& list) {
    const std::vector<GridLine> lines = horizontalAxisGrid(chart, l);
    for (int pass = 0; pass < 2; ++pass) {
        for (const GridLine& line : lines) {
            if (line.labelled != (pass == 1)) {
                continue;
            }
            const int x = chart.XToPixel(line.value);
            const Pen pen{line.labelled ? LabelledGridColour : ThinGridColour};
            list.add(LineItem{{x, l.plot.top}, {x, l.plot.bottom}, pen, LineRole::GridMark});
            if (line.labelled) {
                list.add(TextItem{FloatToWidth(LabelWidth, line.value),
                                  {x, l.plot.bottom + l.ch / 4},
                                  HAlign::Centre,
                                  VAlign::Top,
                                  l.font});
            }
        }
    }
    list.add(TextItem{chart.timeAxis ? "ms" : "Hz",
                      {l.plot.right + l.cw, l.plot.bottom + l.ch / 4},
                      HAlign::Left,
                      VAlign::Top,
                      l.font});
}

void addFrame(const Layout& l, DisplayList& list) {
    const PixelRect& p = l.plot;
    const Pen pen{Black};
    list.add(LineItem{{p.left, p.top}, {p.right, p.top}, pen, LineRole::Frame});
    list.add(LineItem{{p.right, p.top}, {p.right, p.bottom}, pen, LineRole::Frame});
    list.add(LineItem{{p.right, p.bottom}, {p.left, p.bottom}, pen, LineRole::Frame});
    list.add(LineItem{{p.left, p.bottom}, {p.left, p.top}, pen, LineRole::Frame});
}

/// One polyline per run of points between gaps (ChartGap); runs of one point draw nothing.
void addCurvePolylines(const TVChart& chart, int slot, Pen pen, LineRole role, DisplayList& list) {
    const ChartCurve& curve = chart.curves[slot];
    const int count = std::min<int>(curve.count, GridSize);
    PolylineItem line{{}, pen, role, slot};
    auto flush = [&] {
        if (line.points.size() >= 2) {
            list.add(line);
        }
        line.points.clear();
    };
    for (int i = 0; i < count; ++i) {
        if (curve.y[i] == ChartGap) {
            flush();
            continue;
        }
        const int y = curve.rightAxis ? chart.Y2ToPixel(curve.y[i]) : chart.Y1ToPixel(curve.y[i]);
        line.points.push_back({chart.XToPixel(curve.x[i]), y});
    }
    flush();
}

bool drawable(const ChartCurve& curve) {
    return curve.visible && curve.count >= 2;
}

/// Pixels of `values` over the band's frequencies on the axis of curve `slot`.
std::vector<PixelPoint> bandPoints(const TVChart& chart, const ChartBand& band,
                                   const std::vector<double>& values) {
    const bool right = chart.curves[band.slot].rightAxis;
    std::vector<PixelPoint> points;
    for (std::size_t i = 0; i < band.x.size() && i < values.size(); ++i) {
        const int y = right ? chart.Y2ToPixel(values[i]) : chart.Y1ToPixel(values[i]);
        points.push_back({chart.XToPixel(band.x[i]), y});
    }
    return points;
}

void addBands(const TVChart& chart, DisplayList& list) {
    for (const ChartBand& band : chart.bands) {
        if (band.slot < 0 || band.slot >= TVChart::CurveSlots ||
            !drawable(chart.curves[band.slot])) {
            continue;
        }
        const Colour colour = chart.curves[band.slot].colour;
        AreaItem area{bandPoints(chart, band, band.high), BandColour(colour)};
        const std::vector<PixelPoint> low = bandPoints(chart, band, band.low);
        area.points.insert(area.points.end(), low.rbegin(), low.rend());
        list.add(std::move(area));
        for (const auto* edge : {&band.min, &band.max}) {
            list.add(PolylineItem{bandPoints(chart, band, *edge), Pen{ReferenceColour(colour)},
                                  LineRole::BandEdge, band.slot});
        }
    }
}

void addCurves(const TVChart& chart, DisplayList& list) {
    addBands(chart, list);
    // References first, so the current curves are always drawn over them.
    for (int slot = 2 * TVChart::CurveSlots - 1; slot >= TVChart::ReferenceOffset; --slot) {
        if (drawable(chart.curves[slot])) {
            const Pen pen{ReferenceColour(chart.curves[slot].colour), 1, LineStyle::Dotted};
            addCurvePolylines(chart, slot, pen, LineRole::ReferenceCurve, list);
        }
    }
    const int width = chart.largeFonts ? 2 : 1;
    for (int slot = TVChart::CurveSlots - 1; slot >= 0; --slot) {
        if (drawable(chart.curves[slot])) {
            const Pen pen{chart.curves[slot].colour, width, chart.curves[slot].style};
            addCurvePolylines(chart, slot, pen, LineRole::CurveLine, list);
        }
    }
}

/// Three rows of (n + 2) / 3 entries below the frequency labels, in slot order.
void addLegend(const TVChart& chart, const Layout& l, DisplayList& list) {
    std::vector<int> slots;
    for (int slot = 0; slot < TVChart::CurveSlots; ++slot) {
        if (chart.curves[slot].visible) {
            slots.push_back(slot);
        }
    }
    if (slots.empty()) {
        return;
    }
    const int columns = (static_cast<int>(slots.size()) + 2) / 3;
    const int left = l.rect.left + l.cw;
    const int columnWidth = std::max(1, (l.rect.right - l.cw - left) / columns);
    const int width = chart.largeFonts ? 2 : 1;
    for (int i = 0; i < static_cast<int>(slots.size()); ++i) {
        const ChartCurve& curve = chart.curves[slots[i]];
        const int x = left + (i % columns) * columnWidth;
        const int y = l.plot.bottom + scaled(l.ch, 175 + 115 * (i / columns));
        list.add(LineItem{
            {x, y}, {x + 3 * l.cw, y}, Pen{curve.colour, width, curve.style}, LineRole::Legend});
        list.add(TextItem{
            curve.name.str(), {x + 3 * l.cw + l.cw / 2, y}, HAlign::Left, VAlign::Centre, l.font});
    }
}

void layOutChart(TVChart& chart, const PixelRect& rect, const TextMetrics& metrics,
                 PictureSize picture, DisplayList& list) {
    list.add(FillItem{rect, chart.background});
    if (!chart.hasData) {
        list.add(PictureItem{PictureTarget(rect, picture)});
        return;
    }
    Layout l;
    l.rect = rect;
    l.font = FontSpec{FitChartFont(rect.width(), chart.largeFonts, metrics), false};
    l.cw = std::max(1, metrics.textWidth("mmmmm", l.font) / 5);
    l.ch = std::max(1, metrics.textHeight(l.font));
    l.plot = PlotRectangle(rect, l.cw, l.ch, chart.noLegend);
    chart.setLayout(l.plot, l.cw, l.ch);

    addTitles(chart, l, metrics, list);
    if (l.plot.right <= l.plot.left || l.plot.bottom <= l.plot.top) {
        return; // too small for a plot; the titles are all there is room for
    }
    addFrequencyAxis(chart, l, list);
    addVerticalAxis(chart, false, l, list);
    if (chart.secondAxis) {
        addVerticalAxis(chart, true, l, list);
    }
    addFrame(l, list);
    addCurves(chart, list);
    if (!chart.noLegend) {
        addLegend(chart, l, list);
    }
}

} // namespace

int FitChartFont(int rectWidth, bool largeFonts, const TextMetrics& metrics) {
    const int width = largeFonts ? 2 * rectWidth : rectWidth;
    for (const FontStep& step : FontSteps) {
        if (metrics.textWidth("mmmmmmmmmmm", FontSpec{step.pointSize, false}) <=
            width / step.divisor) {
            return step.pointSize;
        }
    }
    return FontSteps.back().pointSize;
}

PixelRect PlotRectangle(const PixelRect& rect, int charWidth, int charHeight, bool noLegend) {
    return {rect.left + 6 * charWidth, rect.top + 3 * charHeight, rect.right - 6 * charWidth,
            rect.bottom - (noLegend ? 2 : 5) * charHeight};
}

PixelRect PictureTarget(const PixelRect& rect, PictureSize picture) {
    if (picture.width <= 0 || picture.height <= 0) {
        return {rect.left, rect.top, rect.left, rect.top};
    }
    // Scale so that the limiting side takes 6/7 of the rectangle.
    const double scale = std::min(6.0 * rect.width() / (7.0 * picture.width),
                                  6.0 * rect.height() / (7.0 * picture.height));
    const int width = static_cast<int>(std::lround(picture.width * scale));
    const int height = static_cast<int>(std::lround(picture.height * scale));
    const int left = rect.left + (rect.width() - width) / 2;
    const int top = rect.top + (rect.height() - height) / 2;
    return {left, top, left + width, top + height};
}

DisplayList TVChart::Paint(const PixelRect& rect, const TextMetrics& metrics, PictureSize picture) {
    DisplayList list;
    try {
        layOutChart(*this, rect, metrics, picture, list);
    } catch (const std::exception&) {
        list.items.clear();
        list.add(FillItem{rect, background});
        list.error = "Fehler bei PaintChart";
    }
    return list;
}

} // namespace tavrel
