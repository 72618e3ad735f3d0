// The design judgement: impedance, efficiency, frequency response, phase, directivity and
// driver load figures of a finished calculation, combined into the total the optimizer
// minimises. Every figure is a penalty: lower is better.
#include "optimizer/judgement.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>

namespace tavrel {
namespace {

constexpr double StartValue = 10;
constexpr double Impossible = 1e20; ///< penalty of a point where a response cannot be formed
constexpr double Pi = 3.14159265358979323846;

/// Per grid point quantities that several figures share.
struct Points {
    int n = 0, nAmps = 0, nChassis = 0;
    std::array<double, GridSize> f{}, target{}, axis{}, left{}, right{}, nrm{};
};

void collectPoints(const TProjekt& working, const TResult& r, const TJudgeInputs& in, Points& p) {
    p.nAmps = AmpCount(working);
    p.nChassis = ChassisCount(working);
    int i = 0;
    for (; i < GridSize - 1 && r.Freq[i] > 0.0; ++i) {
        p.f[i] = r.Freq[i];
        p.target[i] = JudgeTarget(r.Freq[i], in.bass, in.treble);
        p.axis[i] = CAbs(r.SpeakerDir[i][0]);
        p.left[i] = CAbs(r.SpeakerDir[i][2]);
        p.right[i] = CAbs(r.SpeakerDir[i][4]);
        p.nrm[i] = r.Directivity[i];
    }
    p.n = i;
}

double impedanceFigure(const Points& p, const TResult& r, double zMin) {
    double worst = 0;
    for (int a = 0; a < p.nAmps; ++a) {
        double sum = 0;
        for (int i = 0; i < p.n; ++i) {
            const double x = zMin / (CAbs(r.AmpZ[a][i]) + 0.001);
            sum += (x * x) * (x * x); // integer powers by multiplication: the optimizer's hot path
        }
        worst = std::max(worst, std::pow(sum / p.n, 0.25));
    }
    return worst;
}

/// A smooth stand-in for the lowest impedance any amplifier sees.
double softMinimumImpedance(const Points& p, const TResult& r) {
    if (p.nAmps == 0) {
        return std::numeric_limits<double>::infinity(); // nothing loads an amplifier
    }
    double sum = 0;
    for (int a = 0; a < p.nAmps; ++a) {
        for (int i = 0; i < p.n; ++i) {
            const double z = CAbs(r.AmpZ[a][i]) + 1e-10;
            const double x2 = z * z;
            const double x8 = (x2 * x2) * (x2 * x2);
            sum += 1 / (x8 * x8);
        }
    }
    return std::pow(sum / (p.nAmps * p.n), -1.0 / 16);
}

double meanLevelRatio(const Points& p) {
    double weighted = 0, weights = 0;
    for (int i = 0; i < p.n; ++i) {
        const double f = p.f[i];
        const double w0 = (f / (f + 100)) * (f / (f + 100));
        const double w1 = 0.33 * w0, w2 = 0.33 * w0, w3 = 2 * w0;
        const double s =
            p.nrm[i] > 0
                ? (w0 * p.axis[i] + w1 * p.left[i] + w2 * p.right[i] + w3 * p.axis[i] / p.nrm[i]) /
                      (w0 + w1 + w2 + w3)
                : (w0 * p.axis[i] + w1 * p.left[i] + w2 * p.right[i]) / (w0 + w1 + w2);
        const double g = f * f * f / (f * f * f + 8e6) * 6.4e7 / (f * f + 6.4e7);
        weighted += g * s / p.target[i];
        weights += g;
    }
    const double ratio = weighted / weights;
    return ratio == 0.0 ? 1e-20 : ratio;
}

double powerCapability(const Points& p, const TResult& r) {
    double sum = 0;
    for (int i = 0; i < p.n; ++i) {
        const double f = p.f[i];
        const double h = std::sqrt(f / (f + 100)) * 20000 / (20000 + f);
        sum += r.Umax[i] > 0 ? (h / r.Umax[i]) * (h / r.Umax[i]) : Impossible;
    }
    if (sum == 0.0) {
        sum = 1e-20;
    }
    return std::sqrt(p.n / sum);
}

double efficiencyFigure(double zs, double levelRatio, double powerCap) {
    const double load = zs * levelRatio * levelRatio * std::sqrt(powerCap / std::sqrt(zs) + 1e-10);
    return 3 * std::pow(std::log10(1 + 0.12 / load), 1.25);
}

double responseErrorOf(double x) {
    const double a = std::abs(x);
    return 3 * a * std::sqrt(a);
}

/// Weighted error of a response against the target, after scaling the response to the
/// target's level in the reference band: only the shape counts.
template <class Magnitude, class Weight>
double responseError(const Points& p, double bandLow, double bandHigh, Magnitude magnitude,
                     Weight weight) {
    double refSum = 0, refCount = 1e-20;
    for (int i = 0; i < p.n; ++i) {
        if (p.f[i] >= bandLow && p.f[i] <= bandHigh) {
            const std::optional<double> m = magnitude(i);
            refSum += m ? *m / p.target[i] : Impossible;
            refCount += 1;
        }
    }
    double ref = refSum / refCount;
    if (ref == 0.0) {
        ref = 1e-20;
    }
    double errors = 0, weights = 0;
    for (int i = 0; i < p.n; ++i) {
        const double g = weight(p.f[i]);
        const std::optional<double> m = magnitude(i);
        errors += g * (m ? responseErrorOf(1 - *m / (p.target[i] * ref)) : Impossible);
        weights += g;
    }
    return 10 * errors / weights;
}

void responseErrors(const Points& p, std::array<double, 20>& J) {
    auto axis = [&](int i) { return std::optional<double>(p.axis[i]); };
    auto left = [&](int i) { return std::optional<double>(p.left[i]); };
    auto right = [&](int i) { return std::optional<double>(p.right[i]); };
    auto power = [&](int i) {
        return p.nrm[i] > 0 ? std::optional<double>(p.axis[i] / p.nrm[i]) : std::nullopt;
    };
    auto axisWeight = [](double f) {
        return f * f / (f * f + 16000) * 4.096e12 / (f * f * f + 4.096e12);
    };
    auto powerWeight = [](double f) {
        return f / (f + 200) * f * f / (f * f + 16000) * 5.12e11 / (f * f * f + 5.12e11);
    };
    auto sideWeight = [](double f) {
        return f * f / (f * f + 22500) * 7.29e11 / (f * f * f + 7.29e11);
    };
    J[13] = responseError(p, 200, 6000, axis, axisWeight);
    J[14] = responseError(p, 400, 6000, power, powerWeight);
    J[15] = responseError(p, 200, 6000, left, sideWeight);
    J[16] = responseError(p, 200, 6000, right, sideWeight);
}

/// Mean level of a mix of all four responses relative to the target, 200 Hz .. 6 kHz.
double mixedReferenceLevel(const Points& p) {
    double sum = 0, count = 1e-20;
    for (int i = 0; i < p.n; ++i) {
        if (p.f[i] < 200 || p.f[i] > 6000) {
            continue;
        }
        count += 1;
        if (p.nrm[i] <= 0) {
            sum += Impossible;
            continue;
        }
        sum += (0.25 * p.axis[i] / p.nrm[i] + 0.45 * p.axis[i] + 0.15 * p.left[i] +
                0.15 * p.right[i]) /
               p.target[i];
    }
    const double ref = sum / count;
    return ref == 0.0 ? 1e-20 : ref;
}

/// Deviation of the acoustic power response in the bass, both its mean and its spread.
double bassPenalty(const Points& p, double refMix) {
    double s1 = 0, s2 = 0, weights = 0;
    for (int i = 0; i < p.n; ++i) {
        const double f = p.f[i];
        const double g = f * f / (f * f + 900) * 40000 / (f * f + 40000);
        weights += g;
        if (p.nrm[i] <= 0) {
            s1 += Impossible;
            continue;
        }
        const double x = 1 - p.axis[i] / (p.nrm[i] * p.target[i] * refMix);
        s1 += g * x;
        s2 += g * x * x;
    }
    return 5 * (std::abs(s1) + s2) / weights;
}

/// How far each driver's on-axis phase strays from the loudest driver's, weighted by level.
double driverPhaseSpread(const Points& p, const TResult& r) {
    double phi = 0, count = 0;
    for (int i = 0; i < p.n; ++i) {
        if (p.f[i] < 100 || p.f[i] > 20000) {
            continue;
        }
        count += 1;
        int loudest = 0;
        double qmAbs = CAbs(r.DirFront[0][i][0]);
        for (int d = 1; d < p.nChassis; ++d) {
            const double level = CAbs(r.DirFront[d][i][0]);
            if (level > qmAbs) {
                loudest = d;
                qmAbs = level;
            }
        }
        const TComplex qm = r.DirFront[loudest][i][0];
        if (qmAbs == 0.0) {
            continue;
        }
        const double loudestPhase = CArg(qm);
        for (int d = 0; d < p.nChassis; ++d) {
            const TComplex q = r.DirFront[d][i][0];
            double delta = std::abs(CArg(q) - loudestPhase);
            if (delta > Pi) {
                delta = 2 * Pi - delta;
            }
            delta -= 0.667 * std::min(delta, 0.16); // small differences count a third
            phi += CAbs(q) * delta / (Pi * qmAbs);
        }
    }
    return 30 * phi / (count + 1e-20);
}

/// Level difference between the listening axes tilted up and down.
double tiltAsymmetry(const Points& p, const TResult& r, double refMix) {
    double sum = 0;
    for (int i = 0; i < p.n; ++i) {
        const double up = CAbs(r.SumTiltPlus[i]), down = CAbs(r.SumTiltMinus[i]);
        double d = std::abs(up - down) / refMix;
        if (down < up) {
            d -= 0.5 * std::min(d, 0.015);
        }
        d -= 0.5 * std::min(d, 0.03);
        sum += d;
    }
    return sum;
}

double directivityFigure(const TProjekt& working, const Points& p, const TResult& r,
                         double wDirectivity) {
    double sum = 0, count = 0;
    for (int i = 0; i < p.n; ++i) {
        const double f = p.f[i];
        if (f < 150) {
            continue;
        }
        count += 1;
        const double y = (wDirectivity / 33 + 0.3) * f / (200 + f) + 1 - p.nrm[i];
        sum += std::max(y, 0.0);
        if (f < 250) {
            continue;
        }
        for (int d = 0; d < p.nChassis; ++d) {
            if (working.Schallwand[d].direction == 0) {
                continue;
            }
            const double side =
                CAbs(r.DirFront[d][i][0]) / (p.axis[i] + 1e-20) - (0.2 * f + 250) / (f + 250);
            if (side > 0) {
                sum += side * side;
            }
        }
    }
    return 200 * sum / (count + 1e-20);
}

/// Smaller drivers that reach their excursion limit near the speaker's own limit, or that
/// carry much of the sound near their resonance.
void driverLoad(const TProjekt& working, const Points& p, const TResult& r,
                std::array<double, 20>& J) {
    double largestArea = 0;
    for (int d = 0; d < p.nChassis; ++d) {
        largestArea = std::max(largestArea, working.Chassis[d].Amem);
    }
    double l1 = 0, l2 = 0, xMin = 999999;
    for (int i = 0; i < p.n; ++i) {
        const double f = p.f[i];
        if (f <= 40) {
            continue;
        }
        if (r.Umax[i] > 0) {
            xMin = std::min(xMin, r.Umax[i]);
        }
        for (int j = 0; j < p.nChassis; ++j) {
            const TChassis& chassis = working.Chassis[j];
            if (!(chassis.Amem < largestArea / 1.1)) {
                continue; // drivers within 10 % of the largest are exempt
            }
            const double xj = r.UmaxExcursion[j][i];
            if (xj > 0 && xj < 3 * xMin) {
                const double e = 1.0 / 3 - xMin / xj;
                l1 = std::max(l1, e * e / (xMin * xMin));
            }
            const double ratio = CAbs(r.DirFront[j][i][0]) / (p.axis[i] + 1e-20);
            if (std::abs(1 - f / (chassis.fc + 1e-10)) < 0.25 && ratio > 0.31) {
                l2 = std::max(l2, (ratio - 0.31) * (ratio - 0.31));
            }
        }
    }
    J[5] = 200 * l1;
    J[6] = 10 * l2;
    J[4] = J[5] + J[6];
}

double totalFigure(const TJudgeInputs& in, const std::array<double, 20>& J) {
    const double wE = in.wEfficiency;
    double total = ((9 - 5 * wE) * (10 * J[7] + J[10] + 1.5 * J[11] * in.wDirectivity + 4 * J[0]) +
                    13 * (5 * wE + 1) * J[3] + 13 * J[4]) /
                   107;
    if (J[0] > 1) {
        total += 0.25 * (J[0] * J[0] - 1) / (J[0] + 4); // steeper once the minimum is broken
    }
    return total;
}

/// A NaN would make every comparison of the optimizer fail; a broken figure is a bad one.
void replaceNonFinite(std::array<double, 20>& J) {
    for (double& value : J) {
        if (!std::isfinite(value)) {
            value = Impossible;
        }
    }
}

void judgeAll(const TProjekt& working, const TResult& r, const Points& p, TJudgement& out) {
    const TJudgeInputs& in = out.In;
    auto& J = out.J;
    J[0] = impedanceFigure(p, r, in.Zmin);
    J[18] = meanLevelRatio(p);
    J[19] = powerCapability(p, r);
    J[3] = efficiencyFigure(softMinimumImpedance(p, r), J[18], J[19]);
    responseErrors(p, J);
    const double refMix = mixedReferenceLevel(p);
    J[17] = bassPenalty(p, refMix);
    J[7] = 0.7 * (in.wAxis * J[13] + in.wPower * J[14] + in.wLeft * J[15] + in.wRight * J[16]) /
               (in.wAxis + in.wPower + in.wLeft + in.wRight + 1e-20) +
           0.35 * J[17];
    const double symmetry = 100 * tiltAsymmetry(p, r, refMix) / p.n;
    J[10] = symmetry * symmetry + 0.025 * driverPhaseSpread(p, r);
    J[11] = directivityFigure(working, p, r, in.wDirectivity);
    driverLoad(working, p, r, J);
    J[12] = totalFigure(in, J);
    replaceNonFinite(J);
}

} // namespace

double JudgeTarget(double f, double bass, double treble) {
    return (100 * bass + f) / (f + 100) * (f * f + 1) / (f * f - 12 * f + 1088 / (bass + 0.001)) *
           (treble + 0.01) * (f + 15000) / (15000 * treble + f);
}

void Judge(const TProjekt& working, const TResult& result, TJudgement& judgement) {
    auto& J = judgement.J;
    J[0] = J[3] = J[7] = J[12] = StartValue;
    Points points;
    collectPoints(working, result, judgement.In, points);
    if (points.n == 0) {
        return; // no grid, nothing to judge: the figures keep their start values
    }
    judgeAll(working, result, points, judgement);
}

} // namespace tavrel
