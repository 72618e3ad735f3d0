#include "calculators/sketch.h"

#include <algorithm>
#include <array>

namespace tavrel {

namespace {

constexpr double RailGap = 2.0; ///< distance between the upper and lower line of a ladder
constexpr double PartLength = 1.0;

SketchKind kindOf(PartKind kind) {
    switch (kind) {
    case PartKind::Resistor:
        return SketchKind::Resistor;
    case PartKind::Inductor:
        return SketchKind::Inductor;
    case PartKind::Capacitor:
        break;
    }
    return SketchKind::Capacitor;
}

class Builder {
public:
    void wire(double x1, double y1, double x2, double y2) {
        add({SketchKind::Wire, x1, y1, x2, y2, {}});
    }
    /// A part from (x1, y1) to (x2, y2), one unit long, wired to both ends.
    void part(const LadderPart& p, double x1, double y1, double x2, double y2) {
        const bool vertical = x1 == x2;
        const double length = vertical ? y2 - y1 : x2 - x1;
        const double lead = (length - PartLength) / 2;
        const double dx = vertical ? 0 : lead, dy = vertical ? lead : 0;
        wire(x1, y1, x1 + dx, y1 + dy);
        add({kindOf(p.kind), x1 + dx, y1 + dy, x2 - dx, y2 - dy, p.name});
        wire(x2 - dx, y2 - dy, x2, y2);
    }
    void add(SketchItem item) {
        grow(item.x1, item.y1);
        if (item.kind == SketchKind::Circle) {
            grow(item.x1 - item.x2, item.y1 - item.x2);
            grow(item.x1 + item.x2, item.y1 + item.x2);
        } else if (item.kind != SketchKind::Terminal && item.kind != SketchKind::Label) {
            grow(item.x2, item.y2);
        }
        m_sketch.items.push_back(std::move(item));
    }
    void dimension(double x1, double y1, double x2, double y2, const char* text) {
        add({SketchKind::Dimension, x1, y1, x2, y2, text});
    }
    void label(double x, double y, const char* text) { add({SketchKind::Label, x, y, 0, 0, text}); }
    Sketch finish(double margin) {
        m_sketch.left -= margin;
        m_sketch.top -= margin;
        m_sketch.right += margin;
        m_sketch.bottom += margin;
        return std::move(m_sketch);
    }

private:
    void grow(double x, double y) {
        if (m_empty) {
            m_sketch.left = m_sketch.right = x;
            m_sketch.top = m_sketch.bottom = y;
            m_empty = false;
        }
        m_sketch.left = std::min(m_sketch.left, x);
        m_sketch.right = std::max(m_sketch.right, x);
        m_sketch.top = std::min(m_sketch.top, y);
        m_sketch.bottom = std::max(m_sketch.bottom, y);
    }

    Sketch m_sketch;
    bool m_empty = true;
};

void terminals(Builder& b, double x, double height) {
    b.add({SketchKind::Terminal, x, 0, 0, 0, {}});
    b.add({SketchKind::Terminal, x, height, 0, 0, {}});
}

} // namespace

Sketch LadderSketch(const std::vector<LadderPart>& parts, const char* load) {
    Builder b;
    terminals(b, 0, RailGap);
    double x = 0;
    for (const LadderPart& p : parts) {
        if (p.shunt) {
            b.wire(x, 0, x + 0.75, 0);
            b.wire(x, RailGap, x + 0.75, RailGap);
            x += 0.75;
            b.part(p, x, 0, x, RailGap);
        } else {
            b.part(p, x, 0, x + 1.5, 0);
            b.wire(x, RailGap, x + 1.5, RailGap);
            x += 1.5;
        }
    }
    // Room for the name of a part across the line before the driver.
    const double end = !parts.empty() && parts.back().shunt ? 1.6 : 1.0;
    b.wire(x, 0, x + end, 0);
    b.wire(x, RailGap, x + end, RailGap);
    b.add({SketchKind::Speaker, x + end, 0, x + end, RailGap, load});
    return b.finish(0.9);
}

Sketch ParallelBranchesSketch(const std::vector<std::vector<LadderPart>>& branches) {
    std::size_t longest = 0;
    for (const auto& branch : branches) {
        longest = std::max(longest, branch.size());
    }
    const double height = static_cast<double>(longest) * 1.5 + 0.5;
    Builder b;
    terminals(b, 0, height);
    double x = 0;
    for (const auto& branch : branches) {
        b.wire(x, 0, x + 1.5, 0);
        b.wire(x, height, x + 1.5, height);
        x += 1.5;
        const double step = height / static_cast<double>(branch.size());
        for (std::size_t n = 0; n < branch.size(); ++n) {
            const double y = step * static_cast<double>(n);
            b.part(branch[n], x, y, x, y + step);
        }
    }
    b.wire(x, 0, x + 1.5, 0);
    b.wire(x, height, x + 1.5, height);
    b.add({SketchKind::Speaker, x + 1.5, 0, x + 1.5, height, {}});
    return b.finish(0.9);
}

Sketch CrossoverSketch(int memo) {
    using enum PartKind;
    static const std::vector<LadderPart> circuits[8] = {
        {{Inductor, false, "L"}},
        {{Capacitor, false, "C"}},
        {{Inductor, false, "L1"}, {Capacitor, true, "C1"}},
        {{Capacitor, false, "C2"}, {Inductor, true, "L2"}},
        {{Inductor, false, "L1"}, {Capacitor, true, "C1"}, {Inductor, false, "L2"}},
        {{Capacitor, false, "C2"}, {Inductor, true, "L3"}, {Capacitor, false, "C3"}},
        {{Inductor, false, "L1"},
         {Capacitor, true, "C1"},
         {Inductor, false, "L2"},
         {Capacitor, true, "C2"}},
        {{Capacitor, false, "C3"},
         {Inductor, true, "L3"},
         {Capacitor, false, "C4"},
         {Inductor, true, "L4"}},
    };
    return LadderSketch(circuits[std::clamp(memo, 0, 7)]);
}

Sketch DividerSketch() {
    return LadderSketch({{PartKind::Resistor, false, "R1"}, {PartKind::Resistor, true, "R2"}},
                        "RL");
}

Sketch CorrectionSketch(int memo) {
    using enum PartKind;
    const std::vector<LadderPart> zobel{{Resistor, false, "R"}, {Capacitor, false, "C"}};
    const std::vector<LadderPart> resonance{
        {Resistor, false, "R"}, {Inductor, false, "L"}, {Capacitor, false, "C"}};
    if (memo == 0) {
        return ParallelBranchesSketch({zobel});
    }
    if (memo == 1) {
        return ParallelBranchesSketch({resonance});
    }
    return ParallelBranchesSketch(
        {{{Resistor, false, "R1"}, {Capacitor, false, "C1"}},
         {{Resistor, false, "R2"}, {Inductor, false, "L"}, {Capacitor, false, "C2"}}});
}

Sketch PortSketch() {
    Builder b;
    // Front view of the inner box (b × h) with the port's mouth near the bottom.
    b.add({SketchKind::Outline, 0, 0, 20, 40, {}});
    b.add({SketchKind::Outline, 5, 28, 15, 36, {}});
    b.dimension(0, -2, 20, -2, "b");
    b.dimension(-2, 0, -2, 40, "h");
    b.dimension(5, 26.5, 15, 26.5, "e");
    b.dimension(12.5, 28, 12.5, 36, "c");
    b.dimension(3, 0, 3, 28, "k");
    b.dimension(8, 36, 8, 40, "f");
    b.dimension(0, 32, 5, 32, "i");
    b.dimension(15, 32, 20, 32, "j");
    b.label(10, 47, "front (rectangular port: c \xD7 e)");
    // Side section (t × h) with the port tube reaching into the box.
    b.add({SketchKind::Outline, 26, 0, 40, 40, {}});
    b.wire(26, 28, 34, 28);
    b.wire(26, 36, 34, 36);
    b.dimension(26, 43.5, 40, 43.5, "t");
    b.dimension(26, 26.5, 34, 26.5, "l");
    b.dimension(34, 32, 40, 32, "g");
    b.dimension(30, 28, 30, 36, "d");
    b.label(33, 47, "side (round port: diameter d)");
    return b.finish(2.5);
}

Sketch HousingSketch() {
    Builder b;
    // Front baffle (B × H) with its chamfered edges.
    b.add({SketchKind::Outline, 0, 0, 30, 50, {}});
    b.add({SketchKind::Outline, 3, 3, 27, 47, {}});
    for (const auto& [x1, y1, x2, y2] :
         {std::array{0.0, 0.0, 3.0, 3.0}, {30, 0, 27, 3}, {0, 50, 3, 47}, {30, 50, 27, 47}}) {
        b.wire(x1, y1, x2, y2);
    }
    b.dimension(0, -2, 30, -2, "B");
    b.dimension(-3, 0, -3, 50, "H");
    b.label(7, 25, "fasl");
    b.label(23, 25, "fasr");
    b.label(15, 6, "faso");
    b.label(15, 44, "fasu");
    b.label(15, 61, "front");
    // A side panel (T × H) seen from outside, with a driver on it.
    b.add({SketchKind::Outline, 38, 0, 58, 50, {}});
    b.add({SketchKind::Circle, 46, 20, 4, 0, {}});
    b.dimension(38, 56, 58, 56, "T");
    b.dimension(54, 50, 54, 20, "a");
    b.wire(46, 20, 46, 32); // extension line from the driver's centre
    b.wire(46, 20, 56, 20);
    b.dimension(38, 31, 46, 31, "c");
    b.label(48, 61, "side (outside)");
    return b.finish(6);
}

} // namespace tavrel
