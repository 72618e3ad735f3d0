// The frequency-independent pieces of the baffle model: the two rings of edge sources around
// the driver, the direction windows over those rings, and the diaphragm's strip and ring
// integration nodes. CalcBaffle builds them once per call.
#pragma once

#include "model/schallwand.h"

#include <array>

namespace tavrel {

constexpr int EdgePointCount = 960;                ///< both rings together
constexpr int RingPointCount = EdgePointCount / 2; ///< one 0.75° step per point
constexpr int MaxEdgePoints = 1001;

/// Outline of the baffle as seen from the driver: its centre above the bottom edge (A), the
/// width (B), its distance from the left edge (C) and the height (H).
struct BaffleOutline {
    double A = 0, B = 0, C = 0, H = 0;
};

/// One edge source. Coordinates from the driver centre: x right, y up, z towards the listener.
struct TEdgePoint {
    double x = 0, y = 0, z = 0;
    double r = 0;   ///< distance from the driver centre within the baffle plane
    double phi = 0; ///< angle of the ray from the driver, 0 up, growing towards the left
    double w = 0;   ///< source weight, 0 on edges that do not diffract
    const char* label = "";
};

struct EdgeRings {
    std::array<TEdgePoint, MaxEdgePoints> points{};
    int count = 0;
};

/// The outer ring (behind the chamfers) followed by the inner ring (where the chamfers begin).
void BuildEdgeRings(EdgeRings& rings, const BaffleOutline& outline, const TSchallwand& baffle);

using EdgeWindow = std::array<double, MaxEdgePoints>;

/// The windows of one direction group, each favouring the edge parts lying that way.
struct EdgeWindows {
    EdgeWindow up{}, left{}, down{}, right{};
};

/// Triangular windows of length n·percent/100 points, normalised to a mean of 1 per point.
void BuildEdgeWindows(EdgeWindows& windows, int percent);

/// The diaphragm's directivity as Σ amplitude·cos(k0·position·sin θ) over the Simpson strips of
/// the piston and the segments of its two rim rings.
struct PistonNodes {
    static constexpr int StripCount = 100;
    static constexpr int MaxNodes = 2 * StripCount - 1 + 2 * 2 * StripCount;
    std::array<double, MaxNodes> amplitude{};
    std::array<double, MaxNodes> position{};
    int count = 0;
};

/// Nodes for a sound output of diameter D (already including its 1e-10 guard).
void BuildPistonNodes(PistonNodes& nodes, double D, int membranform);

/// θ = m·30° for m = 1, 2, 3; k0 is the wave number 2π/λ.
double PistonDirectivity(const PistonNodes& nodes, int m, double k0);

} // namespace tavrel
