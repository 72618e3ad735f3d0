// Drawing helpers for the example projects: crossover networks drawn lane by lane on the node
// grid the way a user lays them out, and baffle placements in housing coordinates.
#pragma once

#include "model/projekt.h"

#include <cmath>
#include <cstdint>
#include <initializer_list>

namespace tavrel::examples {

struct SketchPart {
    std::int16_t typ = PartWire;
    double value = 1.0;
    double Rvalue = 0.0;
    const char* bem = "";
};

inline SketchPart Resistor(double ohm, const char* bem) {
    return {PartResistor, ohm, 0.0, bem};
}
inline SketchPart Capacitor(double farad, const char* bem) {
    return {PartCapacitor, farad, 0.0, bem};
}
inline SketchPart Inductor(double henry, double ohm, const char* bem) {
    return {PartInductance, henry, ohm, bem};
}

/// One step along a lane: a part in the signal line, or a part from the line to ground.
struct LaneStep {
    bool shunt = false;
    SketchPart part;
};
inline LaneStep Series(SketchPart part) {
    return {false, part};
}
inline LaneStep Shunt(SketchPart part) {
    return {true, part};
}

/// Slot of the horizontal position joining nodes (row, col) and (row, col + 1).
constexpr int Across(int row, int col) {
    return row * 10 + col;
}
/// Slot of the vertical position joining nodes (row, col) and (row + 1, col).
constexpr int Down(int row, int col) {
    return 90 + row * 11 + col;
}
constexpr int Node(int row, int col) {
    return row * WeicheColumns + col;
}

/// Layout: the amplifier output sits at the bottom left (node 88 hot, 89 cold); column 0 is
/// the hot rail, column 10 the ground rail. Lane k uses row 2k for its signal line, which runs
/// from the hot rail to the right, and row 2k + 1 as its ground line, which ends on the ground
/// rail or, when asked, at a free wire back to the amplifier's cold terminal.
class NetworkSketch {
public:
    explicit NetworkSketch(TWeiche& weiche) : m_weiche(weiche) {
        ResetWeiche(m_weiche);
        TWeichePart& amp = put(Across(8, 0), {PartAmpOutput});
        amp.verpolt = -1;
        for (int col = 1; col < 10; ++col) {
            put(Across(8, col), {});
        }
        for (int row = 0; row < 8; ++row) {
            put(Down(row, 0), {}); // hot rail
        }
        for (int row = 1; row < 8; ++row) {
            put(Down(row, 10), {}); // ground rail
        }
    }

    /// Draws lane `lane` (0..3) ending in driver `chassis`.
    void lane(int lane, std::initializer_list<LaneStep> steps, int chassis, bool reversed,
              bool groundByFreeWire = false) {
        const int row = 2 * lane;
        int col = 0;
        int firstShunt = -1;
        bool shuntHere = false;
        auto leaveColumn = [&] {
            put(Across(row, col), {});
            ++col;
            shuntHere = false;
        };
        for (const LaneStep& step : steps) {
            if (!step.shunt) {
                put(Across(row, col), step.part);
                ++col;
                shuntHere = false;
                continue;
            }
            if (col == 0 || shuntHere) { // column 0 is the hot rail
                leaveColumn();
            }
            put(Down(row, col), step.part);
            firstShunt = firstShunt < 0 ? col : firstShunt;
            shuntHere = true;
        }
        if (col == 0 || shuntHere) {
            leaveColumn();
        }
        TWeichePart& driver = put(Down(row, col), {PartDriver});
        driver.chassisnr = static_cast<std::int16_t>(chassis);
        driver.verpolt = reversed ? 1 : -1;
        const int groundFrom = firstShunt < 0 ? col : firstShunt;
        const int groundTo = groundByFreeWire ? col : 10;
        for (int c = groundFrom; c < groundTo; ++c) {
            put(Across(row + 1, c), {});
        }
        if (groundByFreeWire) {
            freeWire(Node(row + 1, col), Node(8, 1));
        }
    }

    void freeWire(int nod1, int nod2) {
        TWeichePart& wire = m_weiche[WeicheFirstFreeWire + m_freeWires++];
        wire.typ = PartWire;
        wire.nod1 = nod1;
        wire.nod2 = nod2;
    }

private:
    TWeichePart& put(int slot, SketchPart part) {
        TWeichePart& p = m_weiche[slot];
        p.typ = part.typ;
        p.value = part.value;
        p.Rvalue = part.Rvalue;
        p.bem = part.bem;
        return p;
    }

    TWeiche& m_weiche;
    int m_freeWires = 0;
};

/// `x` rounded to six decimals, so that the record equals what reading its file gives.
inline double FileExact(double x) {
    return std::round(x * 1e6) / 1e6;
}

/// A driver on a baffle of `width` × `height` at `a` above the lower edge and `c` from the
/// left edge; its sound output (diameter `d`) sits in the baffle plane in housing coordinates,
/// whose origin is the baffle's centre. The rear output, if any, is at the same place.
inline TSchallwand BaffleAt(double width, double height, double a, double c, double d, bool cone) {
    TSchallwand w;
    w.usegemgeh = false;
    w.b = width;
    w.h = height;
    w.a = a;
    w.c = c;
    w.d = d;
    w.Membranform = cone ? 1 : 0;
    w.hor = w.horr = FileExact(c - width / 2);
    w.vert = w.vertr = FileExact(a - height / 2);
    return w;
}

/// Moves the rear output (a port) to (`a`, `c`) on the same baffle, `depth` behind it.
inline void PortAt(TSchallwand& w, double a, double c, double depth = 0) {
    w.horr = FileExact(c - w.b / 2);
    w.vertr = FileExact(a - w.h / 2);
    w.strar = -depth;
}

} // namespace tavrel::examples
