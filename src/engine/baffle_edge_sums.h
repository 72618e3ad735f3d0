// The edge-source sums per direction. Everything but the wave number is fixed for a baffle,
// so each direction keeps a compact list of (amplitude, path) for the edge points that
// contribute to it, and a frequency costs only Σ a·e^(−j·k0·P) over those lists. Where the
// two edge rings coincide (no chamfers) each point pair is one term; that changes the sums
// only in their last bits (below 1e-13 of the largest value of a response).
#pragma once

#include "engine/baffle_geometry.h"
#include "foundation/complex.h"

#include <array>
#include <vector>

namespace tavrel {

/// Directions 0..21 carry edge sums; 22..29 do not.
constexpr int EdgeSumDirections = 22;
using EdgeSumValues = std::array<TComplex, EdgeSumDirections>;

class EdgeSums {
public:
    /// Amplitude of each term: point weight × direction window (× 0.33 for the three rear
    /// paths). Points that carry no weight or lie outside the window are left out.
    void build(const EdgeRings& rings);
    /// sums[k] = Σ amplitude·e^(−j·k0·path) over the terms of direction k; the caller scales
    /// by the source strength 0.5·D90.
    void evaluate(double k0, EdgeSumValues& sums) const;
    /// Number of terms summed per frequency, without the padding.
    int termCount() const { return m_termCount; }

private:
    void add(double amplitude, double path);
    void closeDirection();

    std::vector<double> m_amplitude;
    std::vector<double> m_path;
    std::array<int, EdgeSumDirections + 1> m_begin{};
    int m_direction = 0;
    int m_termCount = 0;
};

} // namespace tavrel
