#include "engine/baffle_edge_sums.h"

#include "engine/baffle_sincos.h"

#include <memory>

namespace tavrel {
namespace {

/// Every direction's list is padded with zero terms to whole vector blocks.
constexpr int Lanes = baffle_math::PhasorLanes;

/// A group of four directions at the same angle θ off the axis (up, left, down, right).
struct DirectionGroup {
    int firstIndex;
    int windowPercent;
    double depthFactor;      ///< path term −factor·z: cos θ + 0.41 in front, 0 behind
    double projectionFactor; ///< sin θ: the shorter path towards the edges on that side
};

constexpr std::array<DirectionGroup, 5> Groups{{
    {1, 23, 1.28, 0.5},
    {5, 20, 0.91, 0.866},
    {9, 10, 0.41, 0.999},
    {13, 23, 0.0, 0.866},
    {17, 16, 0.0, 0.5},
}};

constexpr double OnAxisDepthFactor = 1.41;
constexpr std::array<double, 3> RearPathFactors{1.0, 1.1, 1.25};
constexpr double RearPathAmplitude = 0.33;

double Projection(const TEdgePoint& p, int side, double factor) {
    switch (side) {
    case 0: // up
        return -factor * p.y;
    case 1: // left
        return factor * p.x;
    case 2: // down
        return factor * p.y;
    default: // right
        return -factor * p.x;
    }
}

/// Point weights with every inner-ring point that lies where its outer-ring twin lies (a
/// baffle without chamfers) folded into the twin: one term instead of two in every direction.
/// The twins share their window values, since every window repeats after one ring.
std::array<double, MaxEdgePoints> FoldedWeights(const EdgeRings& rings) {
    std::array<double, MaxEdgePoints> weight{};
    for (int j = 0; j < rings.count; ++j) {
        weight[j] = rings.points[j].w;
    }
    if (rings.count != EdgePointCount) {
        return weight;
    }
    for (int j = 0; j < RingPointCount; ++j) {
        const TEdgePoint& outer = rings.points[j];
        const TEdgePoint& inner = rings.points[j + RingPointCount];
        if (outer.x == inner.x && outer.y == inner.y && outer.z == inner.z) {
            weight[j] += weight[j + RingPointCount];
            weight[j + RingPointCount] = 0.0;
        }
    }
    return weight;
}

} // namespace

void EdgeSums::add(double amplitude, double path) {
    m_amplitude.push_back(amplitude);
    m_path.push_back(path);
    ++m_termCount;
}

void EdgeSums::closeDirection() {
    while (m_amplitude.size() % Lanes != 0) {
        m_amplitude.push_back(0.0);
        m_path.push_back(0.0);
    }
    ++m_direction;
    m_begin[m_direction] = static_cast<int>(m_amplitude.size());
}

void EdgeSums::build(const EdgeRings& rings) {
    m_amplitude.clear();
    m_path.clear();
    m_amplitude.reserve(EdgeSumDirections * (EdgePointCount + Lanes));
    m_path.reserve(EdgeSumDirections * (EdgePointCount + Lanes));
    m_direction = 0;
    m_termCount = 0;
    m_begin[0] = 0;
    const int count = rings.count;
    const auto& points = rings.points;
    const std::array<double, MaxEdgePoints> weight = FoldedWeights(rings);

    for (int j = 0; j < count; ++j) {
        if (weight[j] != 0.0) {
            add(weight[j], points[j].r - OnAxisDepthFactor * points[j].z);
        }
    }
    closeDirection();

    auto windows = std::make_unique<EdgeWindows>();
    for (const DirectionGroup& group : Groups) {
        BuildEdgeWindows(*windows, group.windowPercent);
        const std::array<const EdgeWindow*, 4> bySide{&windows->up, &windows->left, &windows->down,
                                                      &windows->right};
        for (int side = 0; side < 4; ++side) {
            const EdgeWindow& window = *bySide[side];
            for (int j = 0; j < count; ++j) {
                const TEdgePoint& p = points[j];
                if (weight[j] != 0.0 && window[j] != 0.0) {
                    add(weight[j] * window[j], p.r - group.depthFactor * p.z +
                                                   Projection(p, side, group.projectionFactor));
                }
            }
            closeDirection();
        }
    }

    for (const double factor : RearPathFactors) {
        for (int j = 0; j < count; ++j) {
            if (weight[j] != 0.0) {
                add(RearPathAmplitude * weight[j], factor * (points[j].r - points[j].z));
            }
        }
    }
    closeDirection();
}

void EdgeSums::evaluate(double k0, EdgeSumValues& sums) const {
    for (int k = 0; k < EdgeSumDirections; ++k) {
        const int begin = m_begin[k];
        const baffle_math::SinCosValue sum = baffle_math::PhasorSum(
            m_amplitude.data() + begin, m_path.data() + begin, m_begin[k + 1] - begin, k0);
        sums[k] = {sum.cos, -sum.sin};
    }
}

} // namespace tavrel
