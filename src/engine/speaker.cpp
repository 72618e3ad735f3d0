// The speaker job: places each driven driver's front and rear source in space, sums all drivers
// into the speaker's 30 directional responses and derives the directivity and the voltage and
// pressure limits set by excursion and power.
#include "engine/speaker.h"

#include "engine/baffle_sincos.h"
#include "engine/excursion.h"
#include "engine/helper_thread.h"
#include "engine/passive_radiator.h"
#include "engine/vent_velocity.h"

#include <algorithm>
#include <atomic>
#include <cmath>

namespace tavrel {
namespace {

constexpr double Pi = 3.14159265358979323846;
constexpr double SpeedOfSound = 344.0;
constexpr double NoLimit = 1e10;
constexpr double SilentLimit = 1e50;      ///< excursion limit of a driver that radiates nothing
constexpr double UnusedPmax = 1e-50;      ///< PmaxChassis of a slot beyond the driver count
constexpr double ZeroDbVolts = 2.828;     ///< the 0 dB voltage as the excursion formulas use it
constexpr double ZeroDbVoltsPower = 2.83; ///< ... and as the power formula uses it
const char* const SpeakerError = "Error: Cannot calculate speaker.";

/// Each direction's path length is z·c + v·a, v being x or y as the direction's plane has it,
/// with both coefficients 0, ±1/2, ±√3/2 or ±1 (the directions lie at multiples of 30°). So the
/// path phasor e^(jωs) of every direction is a product of two phasors from a table of three
/// per coordinate: 6 sine-cosine pairs per source and frequency instead of 30.
struct Coefficient {
    int index = -1; ///< −1 for 0, else 0: 1/2, 1: √3/2, 2: 1
    bool negative = false;
};

struct DirectionCoefficients {
    Coefficient z, side;
    bool vertical = false; ///< the side coordinate is y, else x
};

using CoefficientTable = std::array<DirectionCoefficients, Directions>;
using AxisPhasors = std::array<TComplex, 3>; ///< e^(jωv·m) for m = 1/2, √3/2, 1
using Phasors = std::array<TComplex, Directions>;

Coefficient classify(double c) {
    const double magnitude = std::abs(c);
    const int index = magnitude < 0.25 ? -1 : magnitude < 0.7 ? 0 : magnitude < 0.95 ? 1 : 2;
    return {index, c < 0};
}

const CoefficientTable& coefficientTable() {
    static const CoefficientTable table = [] {
        CoefficientTable t;
        for (int n = 0; n < Directions; ++n) {
            const Coefficient x = classify(DirPathLength(n, 1, 0, 0));
            const Coefficient y = classify(DirPathLength(n, 0, 1, 0));
            t[n] = {classify(DirPathLength(n, 0, 0, 1)), y.index >= 0 ? y : x, y.index >= 0};
        }
        return t;
    }();
    return table;
}

/// e^(jφ) by the engine's inline sine and cosine: the library's cost more than the sums.
TComplex unitPhasor(double phi) {
    const baffle_math::SinCosValue sc = baffle_math::SinCos(phi);
    return {sc.cos, sc.sin};
}

AxisPhasors axisPhasors(double v, double omega) {
    if (v == 0.0) {
        return {TComplex{1, 0}, TComplex{1, 0}, TComplex{1, 0}};
    }
    const TComplex half = unitPhasor(0.5 * omega * v);
    return {half, unitPhasor(std::sqrt(3.0) / 2 * omega * v), CMul(half, half)};
}

TComplex pick(const AxisPhasors& phasors, Coefficient c) {
    if (c.index < 0) {
        return {1, 0};
    }
    const TComplex p = phasors[c.index];
    return c.negative ? TComplex{p.Re, -p.Im} : p;
}

struct Position {
    double x = 0, y = 0, z = 0;
};

/// e^(jωs) for the path length s of every direction: a lead for a source nearer the listener.
void pathPhasors(const Position& at, double omega, Phasors& out) {
    const AxisPhasors px = axisPhasors(at.x, omega);
    const AxisPhasors py = axisPhasors(at.y, omega);
    const AxisPhasors pz = axisPhasors(at.z, omega);
    const CoefficientTable& table = coefficientTable();
    for (std::size_t n = 0; n < Directions; ++n) {
        const DirectionCoefficients& c = table[n];
        out[n] = CMul(pick(pz, c.z), pick(c.vertical ? py : px, c.side));
    }
}

/// Everything about a driver slot that does not depend on frequency.
struct SlotSetup {
    int amp = -1;
    Position front, rear;
    double tiltFront = 0, tiltRear = 0; ///< tilt phase per Hz for the ±1° listening axes
    double xlin = 0;
    TEinbau einbau{};           ///< for the passive radiators' excursion
    double powerVolts = 0;      ///< √(PMax·ZNenn): terminal voltage at the power rating
    double powerVoltsGuard = 0; ///< the same with the tiny guard used in the comparison
};

/// Grid points [from, to).
struct PointRange {
    std::size_t from = 0, to = 0;
};

struct SpeakerSetup {
    int nChassis = 0;
    std::array<SlotSetup, ChassisSlots> slots{};
    DriverMask recompute{};
};

/// About 1° (0.017455 rad) of tilt, with π rounded to 3.14159 and sound at 345 m/s: the
/// rounded constants are deliberate and give the tilted sums their established values.
double tiltPhasePerHz(double vert) {
    return 2.0 * 3.14159 * 0.017455 * vert / 345.0;
}

bool prepare(const TProjekt& working, const TResult& result, SpeakerSetup& setup) {
    setup.nChassis = ChassisCount(working);
    for (std::size_t d = 0; d < ChassisSlots; ++d) {
        SlotSetup& slot = setup.slots[d];
        slot.amp = result.AmpOfChassis[d];
        if (slot.amp >= MaxAmps) {
            return false;
        }
        const TSchallwand& sw = working.Schallwand[d];
        slot.front = {sw.hor, sw.vert, sw.stra};
        slot.rear = {sw.horr, sw.vertr, sw.strar};
        slot.tiltFront = tiltPhasePerHz(sw.vert);
        slot.tiltRear = tiltPhasePerHz(sw.vertr);
        const TChassis& chassis = working.Chassis[d];
        slot.xlin = chassis.xlin;
        slot.einbau = working.Einbau[d];
        const double powerSquare = chassis._PMax * chassis._ZNenn;
        slot.powerVolts = std::sqrt(powerSquare);
        slot.powerVoltsGuard = std::sqrt(powerSquare + 1e-50);
    }
    return true;
}

/// Pressure of driver slot sd alone when its excursion reaches xlin.
void excursionLimitedPressure(const SpeakerSetup& setup, TResult& r, std::size_t sd,
                              const PointRange& points) {
    for (std::size_t k = points.from; k < points.to; ++k) {
        if (static_cast<int>(sd) >= setup.nChassis) {
            r.PmaxChassis[sd][k] = UnusedPmax;
            continue;
        }
        const double xfig = r.XFig[sd][k];
        if (xfig == 0.0) {
            continue; // keeps the previous value on purpose
        }
        const TComplex onAxis = CAdd(CMul(r.PFrontModel[sd][k], r.BaffleFront[sd][k][0]),
                                     CMul(r.PRearModel[sd][k], r.BaffleRear[sd][k][0]));
        r.PmaxChassis[sd][k] =
            CAbs(onAxis) * setup.slots[sd].xlin / 2.0 / xfig / ZeroDbVolts * 3.7 * 0.8;
    }
}

/// One source of one driver in all 30 directions, added into the speaker sum. The products
/// are grouped as (baffle·U)·(H·P), then turned by the path phase.
void radiate(const std::array<TComplex, Directions>& baffle, TComplex u, TComplex hp,
             const Position& at, double omega, std::array<TComplex, Directions>& out,
             std::array<TComplex, Directions>& sum) {
    Phasors path;
    pathPhasors(at, omega, path);
    for (std::size_t n = 0; n < Directions; ++n) {
        const TComplex v = CMul(CMul(CMul(baffle[n], u), hp), path[n]);
        out[n] = v;
        sum[n] = CAdd(sum[n], v);
    }
}

/// Adds a source's on-axis output heard on the axes tilted by +φ and −φ.
void addTilted(TComplex onAxis, double phi, TComplex& plus, TComplex& minus) {
    const auto [c, s] = unitPhasor(phi);
    plus = CAdd(plus, {onAxis.Re * c + onAxis.Im * s, onAxis.Im * c - onAxis.Re * s});
    minus = CAdd(minus, {onAxis.Re * c - onAxis.Im * s, onAxis.Im * c + onAxis.Re * s});
}

/// Adds a source's outputs of the last pass in the order radiate() would add them.
void addStored(const std::array<TComplex, Directions>& out, std::array<TComplex, Directions>& sum) {
    for (std::size_t n = 0; n < Directions; ++n) {
        sum[n] = CAdd(sum[n], out[n]);
    }
}

/// The sums over the drivers before the first is added, and the lowest voltage limit before
/// the first driver's.
void clearSums(TResult& r, const PointRange& points) {
    for (std::size_t k = points.from; k < points.to; ++k) {
        r.Umax[k] = NoLimit;
        r.SpeakerDir[k].fill(TComplex{});
        r.SumTiltPlus[k] = TComplex{};
        r.SumTiltMinus[k] = TComplex{};
    }
}

/// Driver slot d's directional outputs at every point, added into the sums. The drivers are
/// added one after another in slot order, front before rear, at every point.
void addDriver(const SpeakerSetup& setup, TResult& r, std::size_t d, const Grid& freq,
               const PointRange& points) {
    const SlotSetup& slot = setup.slots[d];
    if (slot.amp < 0) {
        if (!setup.recompute[d]) {
            return; // silent in the last pass too
        }
        for (std::size_t k = points.from; k < points.to; ++k) {
            r.DirFront[d][k].fill(TComplex{});
            r.DirRear[d][k].fill(TComplex{});
        }
        return;
    }
    for (std::size_t k = points.from; k < points.to; ++k) {
        const double f = freq[k];
        auto& sum = r.SpeakerDir[k];
        auto& front = r.DirFront[d][k];
        auto& rear = r.DirRear[d][k];
        if (!setup.recompute[d]) {
            addStored(front, sum);
            addStored(rear, sum);
        } else {
            const double omega = 2.0 * Pi * f / SpeedOfSound;
            const TComplex u = r.ChassisU[d][k];
            const TComplex h = r.AktFilterH[slot.amp][k];
            radiate(r.BaffleFront[d][k], u, CMul(h, r.PFrontBlend[d][k]), slot.front, omega, front,
                    sum);
            radiate(r.BaffleRear[d][k], u, CMul(h, r.PRearBlend[d][k]), slot.rear, omega, rear,
                    sum);
        }
        addTilted(front[0], f * slot.tiltFront, r.SumTiltPlus[k], r.SumTiltMinus[k]);
        addTilted(rear[0], f * slot.tiltRear, r.SumTiltPlus[k], r.SumTiltMinus[k]);
    }
}

/// Passive radiators limit the driver like its own cone does, whichever comes first; the
/// cone's own limit stays in UmaxExcursion.
void radiatorLimit(const SlotSetup& slot, TResult& r, std::size_t d, std::size_t k, double f,
                   double m) {
    const TEinbau& e = slot.einbau;
    if (e.Typ != EinbauPassiveRadiator || !RadiatorDataValid(e)) {
        return;
    }
    const TComplex path = CMul(r.ChassisU[d][k], r.AktFilterH[slot.amp][k]);
    const double q = VolumeVelocity(CMul(r.PRearBlend[d][k], path), f, 1.0);
    const double perVolt = PeakExcursion(q, e.PRn * e.PRSd, f);
    if (!(perVolt > 0)) {
        return;
    }
    const double volts = e.PRxmax / perVolt;
    if (volts < r.UmaxChassis[d][k]) {
        r.UmaxChassis[d][k] = volts;
        r.PmaxChassis[d][k] = volts * m / ZeroDbVolts;
    }
}

/// Amplifier voltage at which driver slot d reaches its excursion or power limit first, and
/// the lowest such voltage of the slots up to d.
void voltageLimits(const SpeakerSetup& setup, TResult& r, std::size_t d, const Grid& freq,
                   const PointRange& points) {
    const SlotSetup& slot = setup.slots[d];
    for (std::size_t k = points.from; k < points.to; ++k) {
        const double f = freq[k];
        r.UmaxChassis[d][k] = NoLimit;
        if (slot.amp < 0) {
            continue;
        }
        const double m = CAbs(CAdd(r.DirFront[d][k][0], r.DirRear[d][k][0]));
        double& limit = r.UmaxChassis[d][k];
        limit = m != 0.0 ? r.PmaxChassis[d][k] / m * ZeroDbVolts : SilentLimit;
        r.UmaxExcursion[d][k] = limit;
        radiatorLimit(slot, r, d, k, f, m);
        const int a = slot.amp;
        const double g = CAbs(CMul(r.AktFilterH[a][k], r.ChassisU[d][k])) + 1e-50;
        if (slot.powerVoltsGuard / g < limit) {
            limit = slot.powerVolts / g + 1e-50;
            r.PmaxChassis[d][k] = slot.powerVolts * m / ZeroDbVoltsPower / g;
        }
        r.Umax[k] = std::min(r.Umax[k], limit);
    }
}

/// Maximum on-axis pressure of the speaker and its directivity.
void speakerFigures(TResult& r, std::size_t k) {
    const auto& dir = r.SpeakerDir[k];
    const double onAxis = CAbs(dir[0]);
    r.PmaxSpeaker[k] = onAxis * r.Umax[k] / ZeroDbVolts;
    double power = 0;
    for (const TComplex& p : dir) {
        power += p.Re * p.Re + p.Im * p.Im;
    }
    r.Directivity[k] = std::sqrt(onAxis * onAxis / (power / Directions + 1e-20));
}

/// An overflow or invalid operation anywhere at point k shows up in one of these: the sums
/// carry every driver's outputs, and x − x is NaN exactly for non-finite x.
bool pointIsFinite(const TResult& r, std::size_t k) {
    double probe = 0;
    for (const TComplex& p : r.SpeakerDir[k]) {
        probe += (p.Re - p.Re) + (p.Im - p.Im);
    }
    for (std::size_t d = 0; d < ChassisSlots; ++d) {
        probe += (r.UmaxChassis[d][k] - r.UmaxChassis[d][k]) +
                 (r.PmaxChassis[d][k] - r.PmaxChassis[d][k]);
        if (AmpOfDriver(r, static_cast<int>(d)) >= 0) {
            probe += r.UmaxExcursion[d][k] - r.UmaxExcursion[d][k];
        }
    }
    const double tilt =
        r.SumTiltPlus[k].Re + r.SumTiltPlus[k].Im + r.SumTiltMinus[k].Re + r.SumTiltMinus[k].Im;
    probe += (tilt - tilt) + (r.PmaxSpeaker[k] - r.PmaxSpeaker[k]) +
             (r.Directivity[k] - r.Directivity[k]);
    return probe == 0.0;
}

/// Driver by driver over a range of points rather than point by point: each step then streams
/// through one driver's arrays instead of touching every driver's at every point, and every
/// sum still adds the drivers in the same order. False at the first point that is not finite.
bool computeRange(const SpeakerSetup& setup, const Grid& freq, TResult& r,
                  const PointRange& points) {
    for (std::size_t d = 0; d < ChassisSlots; ++d) {
        excursionLimitedPressure(setup, r, d, points);
    }
    clearSums(r, points);
    for (std::size_t d = 0; d < ChassisSlots; ++d) {
        addDriver(setup, r, d, freq, points);
    }
    for (std::size_t d = 0; d < ChassisSlots; ++d) {
        voltageLimits(setup, r, d, freq, points);
    }
    for (std::size_t k = points.from; k < points.to; ++k) {
        speakerFigures(r, k);
        if (!pointIsFinite(r, k)) {
            return false;
        }
    }
    return true;
}

bool computeAllPoints(const TProjekt& working, TResult& r, const DriverMask* recompute) {
    SpeakerSetup setup;
    if (!prepare(working, r, setup)) {
        return false;
    }
    if (recompute != nullptr) {
        setup.recompute = *recompute;
    } else {
        setup.recompute.fill(true);
    }
    int points = 0;
    while (points < GridSize - 1 && working.f[points] > 0.0) {
        ++points;
    }
    // Every point is computed on its own, so the two threads take ranges of points.
    constexpr int PointChunk = 64;
    std::atomic<bool> finite{true};
    ShareWithHelperThread(points, PointChunk, [&](int from, int to) noexcept {
        const PointRange range{static_cast<std::size_t>(from), static_cast<std::size_t>(to)};
        if (!computeRange(setup, working.f, r, range)) {
            finite = false;
        }
    });
    return finite;
}

} // namespace

double DirPathLength(int n, double x, double y, double z) {
    const int j = (n + 3) / 4;
    const double theta = j * 30.0 * Pi / 180.0;
    const double c = std::cos(theta);
    const double s = std::sin(theta);
    switch (n % 4) {
    case 1:
        return z * c + y * s;
    case 2:
        return z * c - x * s;
    case 3:
        return z * c - y * s;
    default:
        return z * c + x * s;
    }
}

double DirPhase(int n, double x, double y, double z, double f) {
    return DirPathLength(n, x, y, z) * (-2.0 * Pi * f / SpeedOfSound);
}

std::string RunSpeakerJob(const TProjekt& working, TResult& result, const DriverMask* recompute) {
    try {
        return computeAllPoints(working, result, recompute) ? "Ok" : SpeakerError;
    } catch (...) {
        return SpeakerError;
    }
}

} // namespace tavrel
