// CalcBaffle: input checks, the frequency loop combining the direct sound of the diaphragm with
// the edge-source sums, and the re-indexing for the driver's beam direction.
#include "engine/baffle.h"

#include "engine/baffle_edge_sums.h"
#include "engine/baffle_geometry.h"
#include "engine/baffle_test_enclosure.h"
#include "engine/helper_thread.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <numbers>

namespace tavrel {
namespace {

constexpr TComplex Tiny{1e-100, 0.0};
constexpr double SpeedOfSound = 344.0;
/// The diaphragm's acoustic centre lies 0.12·D behind the baffle plane.
constexpr double CentreDelayFactor = 0.12;
constexpr double ThetaStep = 0.5235987755982989; ///< 30° in radians
constexpr int FrequencyChunk = 16;               ///< grid points a thread takes at a time

void FillTiny(Directional& R) {
    for (auto& row : R) {
        row.fill(Tiny);
    }
}

bool AnyEdgeDiffracts(const TSchallwand& s) {
    return s.beugl || s.beugr || s.beugo || s.beugu;
}

/// Appends the input-fault texts to `message` and fills the outline the edge rings are built on.
void CheckInputs(const TSchallwand& s, double D, BaffleOutline& outline, std::string& message) {
    if (s.d < 0) {
        message += "Dimension d on baffle has to be >=0.. ";
    }
    if (s.e < 0 || s.f < 0 || s.g < 0 || s.i < 0) {
        message += "Dimensions e, f, g and i on baffle have to be >=0.. ";
    }
    if (s.direction < 0 || !AnyEdgeDiffracts(s)) {
        // The smallest baffle that holds the driver: without diffracting edges only the edge
        // positions matter, and the test enclosure needs no edge rings at all.
        outline.A = 1e-10 + 2 * D + s.i;
        outline.C = 1e-10 + 2 * D + s.e;
        outline.H = 2 * outline.A + s.g;
        outline.B = 2 * outline.C + s.f;
        return;
    }
    outline = {s.a, s.b, s.c, s.h};
    if (s.a <= 0 || s.b <= 0 || s.c <= 0 || s.h <= 0) {
        message += "Dimensions a, b, c and h on baffle have to be >0.. ";
    }
    if (s.a < D / 2 + s.i || s.c < D / 2 + s.e || s.h - s.g < D / 2 + s.a ||
        s.b - s.f < D / 2 + s.c) {
        message += "Position of driver on baffle not possible. ";
    }
}

/// Everything a frequency needs: the direct sound of the diaphragm per direction group.
struct DirectSound {
    TComplex onAxis;
    std::array<TComplex, 4> group; ///< index m = 1..3 for θ = 30°, 60°, 90°
    double d90;
};

DirectSound MakeDirectSound(const PistonNodes& piston, double D, double k0) {
    DirectSound direct{};
    const double delay = k0 * CentreDelayFactor * D;
    direct.onAxis = CRotate({1.0, 0.0}, delay);
    for (int m = 1; m <= 3; ++m) {
        const double dTheta = PistonDirectivity(piston, m, k0);
        direct.group[m] = CRotate({dTheta, 0.0}, delay * std::cos(m * ThetaStep));
        if (m == 3) {
            direct.d90 = dTheta;
        }
    }
    return direct;
}

void CombineFrequency(std::array<TComplex, Directions>& out, const DirectSound& direct,
                      const EdgeSumValues& sums) {
    const double strength = 0.5 * direct.d90;
    const auto edge = [&](int k) { return CScale(sums[k], strength); };
    out[0] = CSub(direct.onAxis, edge(0));
    for (int k = 1; k <= 12; ++k) {
        out[k] = CSub(direct.group[(k + 3) / 4], edge(k));
    }
    for (int k = 13; k <= 21; ++k) {
        out[k] = CAdd(Tiny, edge(k));
    }
    for (int k = 22; k < Directions; ++k) {
        out[k] = {strength, 0.0};
    }
}

int GridLength(const Grid& freq) {
    int n = 0;
    while (n < GridSize && freq[n] > 0) {
        ++n;
    }
    return n;
}

void CalcTestEnclosure(Directional& R, const Grid& freq, const PistonNodes& piston, double D,
                       TestEnclosureSide side) {
    ShareWithHelperThread(GridLength(freq), FrequencyChunk, [&](int from, int to) noexcept {
        for (int i = from; i < to; ++i) {
            const double lambda = SpeedOfSound / freq[i];
            const double k0 = 2 * std::numbers::pi / lambda;
            const DirectSound direct = MakeDirectSound(piston, D, k0);
            R[i][0] = CSub(direct.onAxis, TestEnclosureReflectionSum(side, k0, lambda, direct.d90));
        }
    });
}

void CalcOnBaffle(Directional& R, const TSchallwand& baffle, const Grid& freq,
                  const PistonNodes& piston, double D, const BaffleOutline& outline) {
    auto rings = std::make_unique<EdgeRings>();
    BuildEdgeRings(*rings, outline, baffle);
    EdgeSums edges;
    edges.build(*rings);
    ShareWithHelperThread(GridLength(freq), FrequencyChunk, [&](int from, int to) noexcept {
        EdgeSumValues sums{};
        for (int i = from; i < to; ++i) {
            const double k0 = 2 * std::numbers::pi / (SpeedOfSound / freq[i]);
            edges.evaluate(k0, sums);
            CombineFrequency(R[i], MakeDirectSound(piston, D, k0), sums);
        }
    });
}

void TurnForDirection(Directional& R, const Grid& freq, int direction) {
    const auto repeat = [&](void (*turn)(Directional&, const Grid&), int times) {
        for (int t = 0; t < times; ++t) {
            turn(R, freq);
        }
    };
    switch (direction) {
    case 1:
        repeat(TurnLeft, 2);
        break;
    case 2:
        repeat(TurnLeft, 1);
        break;
    case 3:
        repeat(TurnLeft, 3);
        break;
    case 4:
        repeat(TurnUp, 1);
        break;
    case 5:
        repeat(TurnUp, 3);
        break;
    default:
        break;
    }
}

bool AllFinite(const Directional& R) {
    for (const auto& row : R) {
        for (const TComplex& v : row) {
            if (!std::isfinite(v.Re) || !std::isfinite(v.Im)) {
                return false;
            }
        }
    }
    return true;
}

} // namespace

void CalcBaffle(Directional& R, const TSchallwand& baffle, const Grid& freq, double /*seo*/,
                std::string& message) {
    message.clear();
    FillTiny(R);
    const double D = 1e-10 + baffle.d;
    BaffleOutline outline;
    CheckInputs(baffle, D, outline, message);
    if (message.size() > 2) {
        return;
    }
    // Stays the answer if anything below goes wrong.
    message = "Unknown error.";

    auto piston = std::make_unique<PistonNodes>();
    BuildPistonNodes(*piston, D, baffle.Membranform);
    if (baffle.direction == -2 || baffle.direction == -3) {
        CalcTestEnclosure(R, freq, *piston, D,
                          baffle.direction == -2 ? TestEnclosureSide::Small
                                                 : TestEnclosureSide::Large);
    } else {
        CalcOnBaffle(R, baffle, freq, *piston, D, outline);
        TurnForDirection(R, freq, baffle.direction);
    }
    // A NaN or infinity (absurd dimensions or frequencies) must not reach the speaker sums.
    if (!AllFinite(R)) {
        FillTiny(R);
        return;
    }
    message = "Ok";
}

} // namespace tavrel
