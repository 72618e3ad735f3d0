// The crossover schematic as a list of plain shapes in paint order: node dots, part symbols
// with their labels, free wires and node numbers. The editor window and the command line
// paint the same list, so both show the same picture; tests inspect the list directly.
#pragma once

#include "charts/display_list.h"
#include "editor/schematic_layout.h"
#include "editor/schematic_text.h"
#include "model/weiche.h"

#include <array>
#include <string>
#include <variant>
#include <vector>

namespace tavrel {

struct TProjekt;

constexpr Colour SchematicRed = MakeColour(255, 0, 0);
constexpr Colour SchematicBlue = MakeColour(0, 0, 255);

struct SchematicLine {
    PixelPoint from;
    PixelPoint to;
    Pen pen;
};

/// A rectangle or ellipse outlined with `pen` and filled with `fill`.
struct SchematicBox {
    PixelRect rect;
    Pen pen;
    Colour fill = White;
    bool ellipse = false;
};

struct SchematicPolygon {
    std::vector<PixelPoint> points;
    Pen pen;
    Colour fill = White;
};

/// A cubic Bézier curve from points[0] to points[3].
struct SchematicCurve {
    std::array<PixelPoint, 4> points;
    Pen pen;
};

/// Text with its top left corner at `at`.
struct SchematicText {
    std::string text;
    PixelPoint at;
    Colour colour = Black;
};

using SchematicShape =
    std::variant<SchematicLine, SchematicBox, SchematicPolygon, SchematicCurve, SchematicText>;

struct SchematicOptions {
    SchematicView view;
    bool showNodeNumbers = false;
};

std::vector<SchematicShape> DrawSchematic(const TWeiche& weiche, const TProjekt& projekt,
                                          const SchematicMetrics& metrics,
                                          const SchematicOptions& options);

/// The control points of a free wire from node point `a` to `b`, bowed up and to the left.
std::array<PixelPoint, 4> FreeWireCurve(PixelPoint a, PixelPoint b);

} // namespace tavrel
