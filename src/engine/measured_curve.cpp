// Lookup of imported measured curves (level, magnitude, phase) at a calculation frequency.
#include "engine/driver_model.h"

#include <cmath>

namespace tavrel {

namespace {

/// Where f falls in a measured list of `count` points: between `upper` − 1 and `upper`, or
/// outside the list (then `outside` holds the index of the nearest end point).
struct Bracket {
    int upper = 0;
    int outside = -1;
};

Bracket bracketOf(const MeasuredArray& F, double f) {
    const int count = MeasuredCount(F);
    if (count == 0 || F[0] > f) {
        return {0, 0};
    }
    int i = 1;
    while (i < count && F[i] < f) {
        ++i;
    }
    if (i == count) {
        return {i, count - 1};
    }
    return {i, -1};
}

double interpolate(double f, double f0, double f1, double v0, double v1) {
    if (f1 == f0) {
        return v0;
    }
    return v0 + (f - f0) / (f1 - f0) * (v1 - v0);
}

double lookup(const MeasuredArray& F, const MeasuredArray& V, double f) {
    const Bracket b = bracketOf(F, f);
    if (b.outside >= 0) {
        return V[b.outside];
    }
    const int i = b.upper;
    return interpolate(f, F[i - 1], F[i], V[i - 1], V[i]);
}

} // namespace

double InterpCurve(const MeasuredArray& F, const MeasuredArray& V, double f, double width) {
    const double plain = lookup(F, V, f);
    if (!(width > 0.0)) {
        return plain;
    }
    const int count = MeasuredCount(F);
    double weightSum = 0.0;
    double weighted = 0.0;
    for (int j = 0; j < count; ++j) {
        const double d = std::abs((F[j] - f) / f);
        if (d < width) {
            const double u = (width - d) / width;
            const double w = u * u * u / (u * u + 0.25) / (u * u + 0.4);
            weightSum += w;
            weighted += w * V[j];
        }
    }
    return weightSum > 0.0 ? weighted / weightSum : plain;
}

double InterpPhase(const MeasuredArray& F, const MeasuredArray& P, double f) {
    const Bracket b = bracketOf(F, f);
    if (b.outside >= 0) {
        return P[b.outside];
    }
    const int i = b.upper;
    double p0 = P[i - 1];
    double p1 = P[i];
    // Neighbours on both sides of the ±π cut are joined over the cut, not through 0.
    if ((p0 < 0.0) != (p1 < 0.0) && std::abs(p1 - p0) > 3.1416) {
        if (p0 < 0.0) {
            p0 += 6.2832;
        }
        if (p1 < 0.0) {
            p1 += 6.2832;
        }
    }
    return interpolate(f, F[i - 1], F[i], p0, p1);
}

} // namespace tavrel
