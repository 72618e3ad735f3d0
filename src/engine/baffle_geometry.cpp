#include "engine/baffle_geometry.h"

#include "engine/baffle_sincos.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace tavrel {
namespace {

constexpr double AngleStep = 4.0 * std::numbers::pi / EdgePointCount;
constexpr double OuterWeight = 0.67 / EdgePointCount;
constexpr double InnerWeight = 1.33 / EdgePointCount;

/// One ring: the distances of its four edges from the driver, their depth and labels.
struct RingShape {
    double top, left, bottom, right;
    double zTop, zLeft, zBottom, zRight;
    double weight;
    const char* labels[4]; // top, left, bottom, right
};

class RingWalker {
public:
    RingWalker(EdgeRings& rings, const RingShape& ring, const TSchallwand& baffle)
        : m_rings(rings), m_ring(ring), m_baffle(baffle) {}

    /// The angle advances by one step per emitted point; each edge lasts while its ray still
    /// meets it (the tangent test) and the angle stays within its quadrant.
    void walk() {
        const RingShape& g = m_ring;
        while (std::tan(phi()) < g.left / g.top && phi() < 1.57) {
            emitTop();
        }
        while (std::tan(phi() - 1.5707963) < g.bottom / g.left && phi() < 3.14) {
            emit(-g.left, -g.left * std::tan(phi() - 1.5707963), g.zLeft, m_baffle.beugl, 1);
        }
        while (std::tan(phi() - 3.1415926) < g.right / g.bottom && phi() < 4.71) {
            emit(g.bottom * std::tan(phi() - 3.1415926), -g.bottom, g.zBottom, m_baffle.beugu, 2);
        }
        while (std::tan(phi() - 4.7123889) < g.top / g.right && phi() < 6.28) {
            emit(g.right, g.right * std::tan(phi() - 4.7123889), g.zRight, m_baffle.beugr, 3);
        }
        while (phi() < 6.2831852) {
            emitTop();
        }
    }

private:
    double phi() const { return m_step * AngleStep; }

    void emitTop() {
        emit(-m_ring.top * std::tan(phi()), m_ring.top, m_ring.zTop, m_baffle.beugo, 0);
    }

    void emit(double x, double y, double z, bool diffracts, int edge) {
        if (m_rings.count >= MaxEdgePoints) {
            ++m_step;
            return;
        }
        TEdgePoint& p = m_rings.points[m_rings.count++];
        p.x = x;
        p.y = y;
        p.z = z;
        p.r = std::sqrt(x * x + y * y);
        p.phi = phi();
        p.w = diffracts ? m_ring.weight : 0.0;
        p.label = m_ring.labels[edge];
        ++m_step;
    }

    EdgeRings& m_rings;
    const RingShape& m_ring;
    const TSchallwand& m_baffle;
    int m_step = 0;
};

} // namespace

void BuildEdgeRings(EdgeRings& rings, const BaffleOutline& o, const TSchallwand& s) {
    rings.count = 0;
    const RingShape outer{o.H - o.A, o.C,  o.A,  o.B - o.C,   -s.g,
                          -s.e,      -s.i, -s.f, OuterWeight, {"oo", "ll", "uu", "rr"}};
    const RingShape inner{
        o.H - o.A - s.g, o.C - s.e,           o.A - s.i, o.B - o.C - s.f, 0.0, 0.0, 0.0, 0.0,
        InnerWeight,     {"o", "l", "u", "r"}};
    RingWalker(rings, outer, s).walk();
    RingWalker(rings, inner, s).walk();
}

void BuildEdgeWindows(EdgeWindows& windows, int percent) {
    constexpr int n = EdgePointCount;
    constexpr int half = n / 2;
    const int length = n * percent / 100;
    EdgeWindow& w1 = windows.up;
    w1.fill(0.0);
    for (int k = 0; k < length && k <= n / 4; ++k) {
        w1[k] = 1.0 - static_cast<double>(k) / length;
        if (k > 0) {
            w1[half - k] = w1[k];
        }
    }
    for (int k = 0; k < half; ++k) {
        w1[half + k] = w1[k];
    }
    double sum = 0.0;
    for (int j = 0; j < n; ++j) {
        sum += w1[j];
    }
    for (int j = 0; j < n; ++j) {
        w1[j] = w1[j] * n / sum;
    }
    // Shifted by 90°, 180° and 270° of the ray angle: peaks to the right, below and left.
    const auto shifted = [&](EdgeWindow& target, int shift) {
        target.fill(0.0);
        for (int k = 0; k < half; ++k) {
            target[k] = w1[(k + shift) % half];
            target[half + k] = target[k];
        }
    };
    shifted(windows.right, n / 8);
    shifted(windows.down, 2 * n / 8);
    shifted(windows.left, 3 * n / 8);
}

void BuildPistonNodes(PistonNodes& nodes, double D, int membranform) {
    double g1 = 0.2, g2 = 0.8, g3 = 1.0, scale = 1.0;
    if (membranform == 0) {
        g1 = 1e-4, g2 = 1.0, g3 = 1.0, scale = 1.2;
    } else if (membranform == 1) {
        g1 = 1e-4, g2 = 1.0, g3 = 1.0, scale = 1.0;
    }
    constexpr int N = PistonNodes::StripCount;
    const double rp = 1e-100 + (D / 2) * scale;
    nodes.count = 0;
    // The chord √(Rp² − s²) is ill-conditioned at the rim, so positions are computed exactly as
    // u·Rp/N (not u·(Rp/N)): the integral then does not depend on how it is evaluated.
    const auto chord = [rp](double s) { return std::sqrt(std::max(0.0, rp * rp - s * s)); };
    // Simpson over the chords of the disc; the end points carry no chord.
    for (int u = 1; u <= 2 * N - 1; ++u) {
        const double s = -rp + u * rp / N;
        const double q = (u % 2 == 1 ? 2.6666666666666665 : 1.3333333333333333) * (rp / N) /
                         (std::numbers::pi * rp * rp);
        nodes.amplitude[nodes.count] = (1.0 - g1) * q * chord(s);
        nodes.position[nodes.count] = s;
        ++nodes.count;
    }
    // Rim rings as polygons of 2N segments over the upper half circle, scaled by G. The
    // clamp keeps the last point, which rounding may put a hair outside the circle, real.
    for (const double g : {g2, g3}) {
        for (int u = 1; u <= 2 * N; ++u) {
            const double s0 = -rp + (u - 1) * rp / N;
            const double s1 = -rp + u * rp / N;
            const double t0 = g * std::sqrt(std::max(0.0, rp * rp - s0 * s0) + 1e-50);
            const double t1 = g * std::sqrt(std::max(0.0, rp * rp - s1 * s1) + 1e-50);
            const double ds = g * s1 - g * s0;
            const double segment = std::sqrt(ds * ds + (t1 - t0) * (t1 - t0));
            nodes.amplitude[nodes.count] = (g1 / 2) * (0.31830989161357204 / (rp * g)) * segment;
            nodes.position[nodes.count] = (g * s0 + g * s1) / 2;
            ++nodes.count;
        }
    }
}

double PistonDirectivity(const PistonNodes& nodes, int m, double k0) {
    const double kSin = k0 * std::sin(m * 0.5235987755982989);
    double sum = 0.0;
    for (int u = 0; u < nodes.count; ++u) {
        sum += nodes.amplitude[u] * baffle_math::SinCos(kSin * nodes.position[u]).cos;
    }
    return sum;
}

} // namespace tavrel
