// Explaining pictures as geometry: circuits and dimension drawings made of wires, part
// symbols, dimension arrows, outlines and labels in an abstract unit space (y grows downwards).
// The window's painter only scales and draws them, so every picture's content lives here.
#pragma once

#include <string>
#include <vector>

namespace tavrel {

enum class SketchKind {
    Wire,     ///< a line from (x1, y1) to (x2, y2)
    Resistor, ///< a part symbol between its two ends, `text` its name
    Inductor,
    Capacitor,
    Speaker,   ///< a driver between its two terminals
    Terminal,  ///< an open input terminal at (x1, y1)
    Dimension, ///< a double-headed arrow with `text` at its middle
    Outline,   ///< a rectangle with corners (x1, y1) and (x2, y2)
    Circle,    ///< centre (x1, y1), radius x2
    Label,     ///< `text` centred at (x1, y1)
};

struct SketchItem {
    SketchKind kind;
    double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    std::string text;
};

struct Sketch {
    double left = 0, top = 0, right = 0, bottom = 0; ///< the area the items occupy
    std::vector<SketchItem> items;
};

enum class PartKind { Resistor, Inductor, Capacitor };

/// One element of a ladder network: in series with the line or across it (shunt).
struct LadderPart {
    PartKind kind;
    bool shunt;
    const char* name;
};

/// Input terminals on the left, the parts in order, the driver (named `load`) on the right.
Sketch LadderSketch(const std::vector<LadderPart>& parts, const char* load = "");

/// Branches of parts in series, each placed across the driver's terminals.
Sketch ParallelBranchesSketch(const std::vector<std::vector<LadderPart>>& branches);

/// The circuit of crossover memo 0..7 (MemoTP1, MemoHP1, ... MemoHP4) with its part names.
Sketch CrossoverSketch(int memo);
/// R1 in series, R2 across the load RL.
Sketch DividerSketch();
/// Memo 0: R + C across the driver; 1: R + L + C; 2: both branches (R1, C1 and R2, L, C2).
Sketch CorrectionSketch(int memo);
/// The common outer housing: front with H, B and the four chamfers, and a side panel seen from
/// outside with T and a driver's position a (from the lower edge) and c (from the left edge).
Sketch HousingSketch();
/// Front view and side section of a vented box with the port letters b h t c e d l g f i j k.
Sketch PortSketch();

} // namespace tavrel
