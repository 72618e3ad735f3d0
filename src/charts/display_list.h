// The drawing a chart or polar plot produces, as a list of plain items in paint order. The
// chart objects lay out everything here (fonts, grid, labels, curves, legend) without any
// toolkit; a painter only walks the list. Tests inspect the list directly.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace tavrel {

/// 0x00BBGGRR, the same layout as the colours stored in a project.
using Colour = std::uint32_t;

constexpr Colour MakeColour(std::uint32_t r, std::uint32_t g, std::uint32_t b) {
    return r | (g << 8) | (b << 16);
}
constexpr std::uint32_t RedOf(Colour c) {
    return c & 0xFFu;
}
constexpr std::uint32_t GreenOf(Colour c) {
    return (c >> 8) & 0xFFu;
}
constexpr std::uint32_t BlueOf(Colour c) {
    return (c >> 16) & 0xFFu;
}

constexpr Colour White = MakeColour(255, 255, 255);
constexpr Colour Black = MakeColour(0, 0, 0);
constexpr Colour Grey = MakeColour(128, 128, 128);
constexpr Colour LightGrey = MakeColour(192, 192, 192);

struct PixelPoint {
    int x = 0;
    int y = 0;
    bool operator==(const PixelPoint&) const = default;
};

/// Edges in pixels; right and bottom are the last pixel row/column that belongs to it.
struct PixelRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    int width() const { return right - left; }
    int height() const { return bottom - top; }
    bool contains(PixelPoint p) const {
        return p.x >= left && p.x <= right && p.y >= top && p.y <= bottom;
    }
    bool operator==(const PixelRect&) const = default;
};

struct FontSpec {
    int pointSize = 10;
    bool bold = false;
    bool operator==(const FontSpec&) const = default;
};

/// Text measurement of the paint device; the only thing layout needs from the toolkit.
class TextMetrics {
public:
    virtual ~TextMetrics() = default;
    virtual int textWidth(std::string_view text, const FontSpec& font) const = 0;
    virtual int textHeight(const FontSpec& font) const = 0;
};

enum class LineStyle { Solid, Dotted, Dashed };

/// What a line is for; lets tests tell curves from grid lines without comparing colours.
enum class LineRole { Frame, GridMark, CurveLine, ReferenceCurve, Legend, Axis, BandEdge };

struct Pen {
    Colour colour = Black;
    int width = 1;
    LineStyle style = LineStyle::Solid;
    bool operator==(const Pen&) const = default;
};

struct FillItem {
    PixelRect rect;
    Colour colour = White;
};

struct LineItem {
    PixelPoint from;
    PixelPoint to;
    Pen pen;
    LineRole role = LineRole::GridMark;
};

struct PolylineItem {
    std::vector<PixelPoint> points;
    Pen pen;
    LineRole role = LineRole::CurveLine;
    int curveIndex = -1; ///< curve slot of a chart, -1 for other polylines
};

/// A closed area filled with one colour, without an outline.
struct AreaItem {
    std::vector<PixelPoint> points;
    Colour colour = White;
};

struct CircleItem {
    PixelPoint centre;
    int radius = 0;
    Pen pen;
};

enum class HAlign { Left, Centre, Right };
enum class VAlign { Top, Centre };

/// Text is Windows-1252 store text, as in every record.
struct TextItem {
    std::string text;
    PixelPoint anchor;
    HAlign hAlign = HAlign::Left;
    VAlign vAlign = VAlign::Top;
    FontSpec font;
    Colour colour = Black;
};

/// The placeholder picture, scaled into the target rectangle.
struct PictureItem {
    PixelRect target;
};

using DrawItem =
    std::variant<FillItem, LineItem, PolylineItem, AreaItem, CircleItem, TextItem, PictureItem>;

struct DisplayList {
    std::vector<DrawItem> items;
    /// Set when laying out failed; the items are then only the background.
    std::string error;

    template <typename T>
    void add(T item) {
        items.emplace_back(std::move(item));
    }
};

} // namespace tavrel
