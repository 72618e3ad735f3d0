// Start values of the impedance fit. The resonance is the most prominent interior maximum,
// which is not always the curve's largest value: a voice coil can rise higher at the top of the
// band.
#include "driver_editor/impedance_fit.h"
#include "foundation/number_text.h"

#include <algorithm>
#include <cmath>

namespace tavrel {
namespace {

constexpr double TwoPi = 6.283185307179586;
/// A maximum less than this far above the dips on both sides is no resonance (about 2 dB).
constexpr double MinProminence = 1.25;

struct Peak {
    int index = -1;
    double prominence = 0.0;
    int dipAbove = -1;
};

/// Index of the lowest value walking from i in direction step until a value above z[i].
int dipFrom(const std::vector<double>& z, int i, int step) {
    int lowest = i;
    for (int j = i + step; j >= 0 && j < static_cast<int>(z.size()) && z[j] <= z[i]; j += step) {
        if (z[j] < z[lowest]) {
            lowest = j;
        }
    }
    return lowest;
}

Peak resonancePeak(const std::vector<double>& z) {
    Peak best;
    const int n = static_cast<int>(z.size());
    for (int i = 1; i + 1 < n; ++i) {
        if (!(z[i] >= z[i - 1] && z[i] > z[i + 1])) {
            continue;
        }
        const int below = dipFrom(z, i, -1);
        const int above = dipFrom(z, i, 1);
        if (below == i || above == i) {
            continue;
        }
        const double prominence = z[i] / std::max(z[below], z[above]);
        if (prominence > best.prominence) {
            best = {i, prominence, above};
        }
    }
    return best;
}

/// Frequency, walking from the peak in direction step, where the magnitude falls to `level`,
/// interpolated on log scales; 0 when it stays above it up to the band's edge.
double crossing(const ImpedanceCurve& c, int peak, int step, double level) {
    const int n = static_cast<int>(c.f.size());
    for (int j = peak + step; j >= 0 && j < n; j += step) {
        if (c.magnitude[j] < level) {
            const int k = j - step;
            const double t =
                std::log(level / c.magnitude[k]) / std::log(c.magnitude[j] / c.magnitude[k]);
            return std::exp(std::log(c.f[k]) + t * std::log(c.f[j] / c.f[k]));
        }
    }
    return 0.0;
}

/// The coil's start: its inductances share the rise from Re at the top of the band, the two
/// branch corners sit between the minimum above resonance and the top.
void coilStart(const ImpedanceCurve& c, double fDip, ImpedanceFit& s) {
    const double fTop = c.f.back();
    const double zTop = c.magnitude.back();
    const double reactance = std::sqrt(std::max(zTop * zTop - s.Re * s.Re, 0.01 * s.Re * s.Re));
    const double share = reactance / (TwoPi * fTop) / 3.0;
    const double corner2 = std::sqrt(fDip * fTop);
    const double corner3 = std::sqrt(corner2 * fTop);
    s.Le = share;
    s.Le2 = share;
    s.Re2 = TwoPi * corner2 * share;
    s.Le3 = share;
    s.Re3 = TwoPi * corner3 * share;
}

} // namespace

ImpedanceFitResult ImpedanceFitStart(const ImpedanceCurve& c) {
    ImpedanceFitResult r;
    const int n = static_cast<int>(c.f.size());
    if (n < ImpedanceFitMinPoints) {
        r.message = "The impedance curve has " + std::to_string(n) +
                    " points; the fit needs at least " + std::to_string(ImpedanceFitMinPoints) +
                    ".";
        return r;
    }
    const Peak peak = resonancePeak(c.magnitude);
    if (peak.index < 0 || peak.prominence < MinProminence) {
        r.message = "The impedance curve has no resonance peak inside its band (" +
                    FloatToWidth(7, c.f.front()) + " Hz to " + FloatToWidth(7, c.f.back()) +
                    " Hz).";
        return r;
    }
    ImpedanceFit& s = r.fit;
    const double zMax = c.magnitude[peak.index];
    s.Re = 0.95 * *std::min_element(c.magnitude.begin(), c.magnitude.end());
    const double r0 = zMax / s.Re;
    const double level = std::sqrt(zMax * s.Re);
    double f1 = crossing(c, peak.index, -1, level);
    double f2 = crossing(c, peak.index, 1, level);
    s.fs = f1 > 0.0 && f2 > 0.0 ? std::sqrt(f1 * f2) : c.f[peak.index];
    if (f1 <= 0.0 && f2 > 0.0) {
        f1 = s.fs * s.fs / f2;
    } else if (f2 <= 0.0 && f1 > 0.0) {
        f2 = s.fs * s.fs / f1;
    }
    s.Qms = f2 > f1 && f1 > 0.0 ? s.fs * std::sqrt(r0) / (f2 - f1) : 5.0;
    s.Qes = s.Qms / (r0 - 1.0);
    coilStart(c, c.f[peak.dipAbove], s);
    r.ok = true;
    return r;
}

} // namespace tavrel
