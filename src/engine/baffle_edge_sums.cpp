#include "engine/baffle_edge_sums.h"

#include "engine/baffle_sincos.h"

#include <algorithm>
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

} // namespace

void EdgeSums::add(double amplitude, double path) {
    m_pending.push_back({path, amplitude});
}

void EdgeSums::closeDirection() {
    // Terms of the same path are one term. A baffle without chamfers has its inner and outer
    // edge rings in the same place, so every edge point stands twice: half its terms go.
    std::sort(m_pending.begin(), m_pending.end());
    for (std::size_t i = 0; i < m_pending.size(); ++i) {
        const auto [path, amplitude] = m_pending[i];
        if (i > 0 && path == m_pending[i - 1].first) {
            m_amplitude.back() += amplitude;
        } else {
            m_amplitude.push_back(amplitude);
            m_path.push_back(path);
            ++m_termCount;
        }
    }
    m_pending.clear();
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
    m_amplitude.reserve(EdgeSumDirections * 3 * EdgePointCount);
    m_path.reserve(EdgeSumDirections * 3 * EdgePointCount);
    m_direction = 0;
    m_termCount = 0;
    m_begin[0] = 0;
    const int count = rings.count;
    const auto& points = rings.points;

    for (int j = 0; j < count; ++j) {
        if (points[j].w != 0.0) {
            add(points[j].w, points[j].r - OnAxisDepthFactor * points[j].z);
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
                if (p.w != 0.0 && window[j] != 0.0) {
                    add(p.w * window[j], p.r - group.depthFactor * p.z +
                                             Projection(p, side, group.projectionFactor));
                }
            }
            closeDirection();
        }
    }

    for (const double factor : RearPathFactors) {
        for (int j = 0; j < count; ++j) {
            if (points[j].w != 0.0) {
                add(RearPathAmplitude * points[j].w, factor * (points[j].r - points[j].z));
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
