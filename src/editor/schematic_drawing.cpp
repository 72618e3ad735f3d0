#include "editor/schematic_drawing.h"

#include "model/projekt.h"

#include <cmath>
#include <string>

namespace tavrel {

namespace {

constexpr Pen BlackPen{Black, 1, LineStyle::Solid};
constexpr Pen EmptySlotPen{LightGrey, 1, LineStyle::Dotted};

/// Draws one slot's figure in its own coordinates: `along` runs from the slot's first node
/// towards its second, `across` to the right of a horizontal slot's line (downwards), so that
/// a vertical slot is the same figure turned by 90°.
class SlotFigure {
public:
    SlotFigure(std::vector<SchematicShape>& out, PixelPoint origin, bool horizontal, Pen pen)
        : m_out(out), m_origin(origin), m_horizontal(horizontal), m_pen(pen) {}

    PixelPoint at(int along, int across) const {
        return m_horizontal ? PixelPoint{m_origin.x + along, m_origin.y + across}
                            : PixelPoint{m_origin.x + across, m_origin.y + along};
    }
    void line(int a0, int c0, int a1, int c1) {
        m_out.emplace_back(SchematicLine{at(a0, c0), at(a1, c1), m_pen});
    }
    void box(int a0, int c0, int a1, int c1, bool ellipse = false) {
        const PixelPoint p = at(a0, c0), q = at(a1, c1);
        m_out.emplace_back(SchematicBox{{p.x, p.y, q.x, q.y}, m_pen, White, ellipse});
    }
    void polygon(std::initializer_list<std::pair<int, int>> corners) {
        SchematicPolygon shape{{}, m_pen, White};
        for (const auto& [a, c] : corners) {
            shape.points.push_back(at(a, c));
        }
        m_out.emplace_back(std::move(shape));
    }

private:
    std::vector<SchematicShape>& m_out;
    PixelPoint m_origin;
    bool m_horizontal;
    Pen m_pen;
};

void drawDriver(SlotFigure& f, int s, int pitch, bool horizontal, bool reversed) {
    if (horizontal) {
        f.line(0, 0, s + 2, 0);
        f.line(s + 15, 0, pitch + 1, 0);
        f.box(s + 2, -7, s + 12, 7);
        f.polygon({{s + 12, -7}, {s + 15, -10}, {s + 15, 10}, {s + 12, 7}});
        f.line(s - 4, -6, s + 1, -6);
        f.line(s + 17, -6, s + 22, -6);
        const int plus = reversed ? s + 19 : s - 2;
        f.line(plus, -4, plus, -9);
        return;
    }
    f.line(0, 0, s + 3, 0);
    f.line(s + 17, 0, pitch + 1, 0);
    f.box(s + 3, -7, s + 17, 7);
    f.polygon({{s + 3, 7}, {s, 10}, {s + 20, 10}, {s + 17, 7}});
    f.line(s - 1, -6, s - 1, -1);
    f.line(s + 21, -6, s + 21, -1);
    const int plus = reversed ? s + 19 : s - 3;
    f.line(plus, -4, plus + 5, -4);
}

void drawAmpOutput(SlotFigure& f, int s, int L, int pitch, bool horizontal, bool reversed) {
    f.line(0, 0, s, 0);
    f.line(s + L, 0, pitch + 1, 0);
    f.box(s, -3, s + 6, 3, true);
    f.box(s + L - 6, -3, s + L, 3, true);
    if (horizontal) {
        f.line(s + 2, -9, s + 7, -9);
        f.line(s + 16, -9, s + 21, -9);
        const int plus = reversed ? s + 18 : s + 4;
        f.line(plus, -7, plus, -12);
        return;
    }
    f.line(s + 2, -10, s + 2, -5);
    f.line(s + 18, -10, s + 18, -5);
    const int plus = reversed ? s + 16 : s;
    f.line(plus, -8, plus + 5, -8);
}

void drawSymbol(SlotFigure& f, const TWeichePart& part, const SchematicMetrics& m,
                bool horizontal) {
    const int s = horizontal ? m.s_h : m.s_v;
    const int L = m.L;
    const int pitch = horizontal ? m.pitchX : m.pitchY;
    switch (part.typ) {
    case PartWire:
        f.line(0, 0, pitch, 0);
        break;
    case PartResistor:
        f.line(0, 0, s, 0);
        f.line(s + L, 0, pitch + 1, 0);
        f.box(s, -5, s + L, 5);
        break;
    case PartCapacitor:
        f.line(0, 0, s + 8, 0);
        f.line(s + 12, 0, pitch + 1, 0);
        f.line(s + 8, -L / 2, s + 8, L / 2);
        f.line(s + 12, -L / 2, s + 12, L / 2);
        break;
    case PartInductance:
        f.line(0, 0, pitch + 1, 0);
        for (int across = -5; across <= 5; ++across) {
            f.line(s, across, s + L, across);
        }
        break;
    case PartDriver:
        drawDriver(f, s, pitch, horizontal, IsReversed(part));
        break;
    case PartAmpOutput:
        drawAmpOutput(f, s, L, pitch, horizontal, IsReversed(part));
        break;
    default:
        break;
    }
}

void drawLabels(std::vector<SchematicShape>& out, const TWeichePart& part, const TProjekt& projekt,
                const SchematicMetrics& m, const SchematicView& view, PixelPoint o,
                bool horizontal) {
    const auto [first, second] = SlotLabels(part, projekt, view);
    const Colour colour = part.bOpti ? SchematicRed : Black;
    PixelPoint firstAt, secondAt;
    if (horizontal) {
        firstAt = {o.x + m.s_h + m.L + 2, o.y - m.size - 12};
        secondAt = {o.x + m.s_h + m.L + 2, o.y + 1};
    } else {
        firstAt = {o.x + m.L / 2 + 3, o.y + m.s_v};
        secondAt = {o.x + m.L / 2 + 3, o.y + m.s_v + 2 * m.size + 9};
    }
    out.emplace_back(SchematicText{first, firstAt, colour});
    if (!second.empty()) {
        out.emplace_back(SchematicText{second, secondAt, colour});
    }
}

void drawSlot(std::vector<SchematicShape>& out, int slot, const TWeichePart& part,
              const TProjekt& projekt, const SchematicMetrics& m, const SchematicView& view) {
    const bool horizontal = IsHorizontalSlot(slot);
    std::int32_t nod1 = 0, nod2 = 0;
    GridNodes(slot, nod1, nod2);
    const PixelPoint origin = NodePoint(m, nod1);
    if (part.typ <= PartNone || part.typ > PartAmpOutput) {
        return;
    }
    SlotFigure figure(out, origin, horizontal, BlackPen);
    drawSymbol(figure, part, m, horizontal);
    if (part.typ >= PartResistor) {
        drawLabels(out, part, projekt, m, view, origin, horizontal);
    }
}

bool isNode(std::int32_t node) {
    return node >= 0 && node < WeicheNodes;
}

} // namespace

std::array<PixelPoint, 4> FreeWireCurve(PixelPoint a, PixelPoint b) {
    const auto mix = [&](double wa, double wb) {
        return PixelPoint{static_cast<int>(std::lround(wa * a.x + wb * b.x)) - 10,
                          static_cast<int>(std::lround(wa * a.y + wb * b.y)) - 10};
    };
    return {a, mix(0.7, 0.3), mix(0.3, 0.7), b};
}

std::vector<SchematicShape> DrawSchematic(const TWeiche& weiche, const TProjekt& projekt,
                                          const SchematicMetrics& m,
                                          const SchematicOptions& options) {
    std::vector<SchematicShape> out;
    // Empty frames go first, so that no frame covers a node dot or the label of a
    // part beside it.
    for (int slot = 0; slot < WeicheGridSlots && !options.view.printView; ++slot) {
        if (weiche[slot].typ <= PartNone || weiche[slot].typ > PartAmpOutput) {
            out.emplace_back(SchematicBox{*SlotRect(m, slot), EmptySlotPen, White, false});
        }
    }
    const auto dots = NodeDots(weiche, options.view.printView);
    for (int n = 0; n < WeicheNodes; ++n) {
        if (dots[n]) {
            const PixelPoint p = NodePoint(m, n);
            out.emplace_back(
                SchematicBox{{p.x - 2, p.y - 2, p.x + 3, p.y + 3}, BlackPen, Black, true});
        }
    }
    for (int slot = 0; slot < WeicheGridSlots; ++slot) {
        drawSlot(out, slot, weiche[slot], projekt, m, options.view);
    }
    for (int slot = WeicheFirstFreeWire; slot < WeicheSlots; ++slot) {
        const TWeichePart& wire = weiche[slot];
        // A free wire to a node outside the grid joins nothing and is not drawn.
        if (wire.typ == PartWire && isNode(wire.nod1) && isNode(wire.nod2)) {
            out.emplace_back(SchematicCurve{
                FreeWireCurve(NodePoint(m, wire.nod1), NodePoint(m, wire.nod2)), BlackPen});
        }
    }
    if (options.showNodeNumbers) {
        for (int n = 0; n < WeicheNodes; ++n) {
            const PixelPoint p = NodePoint(m, n);
            out.emplace_back(SchematicText{std::to_string(n), {p.x + 2, p.y + 2}, SchematicBlue});
        }
    }
    return out;
}

} // namespace tavrel
