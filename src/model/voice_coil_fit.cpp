#include "model/voice_coil_fit.h"

#include "foundation/complex.h"

#include <array>
#include <cmath>
#include <cstdlib>
#include <utility>

namespace tavrel {

namespace {

constexpr double StartFactor = 1.2; // first point used lies above 1.2·fs
constexpr double ErrorFactor = 2.0; // the error sum uses points above 2·fs
constexpr int MinPointsAboveStart = 6;
constexpr double StartInductance = 0.0005;
constexpr double StepGrowth = 1.03;
constexpr int Stages = 10;
constexpr int MaxPassesPerStage = 1500;
constexpr double Tiny = 1e-6;

enum Parameter { ParLe, ParRe2, ParLe2, ParRe3, ParLe3, ParameterCount };
using Parameters = std::array<double, ParameterCount>;

double errorOf(const TChassis& driver, int i0, int n, const Parameters& p) {
    return FitError(driver, i0, n, p[ParLe3], p[ParRe3], p[ParLe2], p[ParRe2], p[ParLe]);
}

// Exchange sort keeps the frequency/magnitude pairs together.
void sortImpedancePoints(TChassis& driver, int n) {
    for (int i = 0; i < n - 1; ++i) {
        for (int j = i + 1; j < n; ++j) {
            if (driver.FgangIF[j] < driver.FgangIF[i]) {
                std::swap(driver.FgangIF[i], driver.FgangIF[j]);
                std::swap(driver.FgangI[i], driver.FgangI[j]);
            }
        }
    }
}

int firstIndexAbove(const TChassis& driver, int n, double f) {
    int s = 0;
    while (s < n && !(driver.FgangIF[s] > f)) {
        ++s;
    }
    return s;
}

int indexOfMinimum(const TChassis& driver, int from, int n) {
    int i0 = from;
    double smallest = 1e10;
    for (int i = from; i < n; ++i) {
        if (std::fabs(driver.FgangI[i]) < smallest) {
            smallest = std::fabs(driver.FgangI[i]);
            i0 = i;
        }
    }
    return i0;
}

// One pass over the five parameters; true when any of them improved the error.
bool searchPass(const TChassis& driver, int i0, int n, Parameters& p, Parameters& step,
                double& best) {
    bool improved = false;
    for (int k = 0; k < ParameterCount; ++k) {
        Parameters trial = p;
        trial[k] = p[k] + step[k];
        double e = errorOf(driver, i0, n, trial);
        if (e < best) {
            p[k] = trial[k];
            best = e;
            step[k] *= StepGrowth;
            improved = true;
        }
        if (p[k] > step[k]) {
            trial = p;
            trial[k] = p[k] - step[k];
            e = errorOf(driver, i0, n, trial);
            if (e < best) {
                p[k] = trial[k];
                best = e;
                step[k] *= StepGrowth;
                improved = true;
            }
        }
    }
    return improved;
}

} // namespace

double ImpedanceModel(const TChassis& driver, double Le3, double Re3, double Le2, double Re2,
                      double Le, double f) {
    const double w = 6.283185307179586 * f;
    const TComplex branch3 = CPar({Re3, 0.0}, {0.0, w * Le3});
    const TComplex branch2 = CPar({Re2, 0.0}, {0.0, w * Le2});
    const TComplex coil{driver.Re, w * Le};
    const TComplex motion =
        CPar3({driver.Rms, 0.0}, {0.0, -1.0 / (w * driver.Cms)}, {0.0, w * driver.Lms});
    return CAbs(CAdd(CAdd(branch3, branch2), CAdd(coil, motion)));
}

double FitError(const TChassis& driver, int i0, int n, double Le3, double Re3, double Le2,
                double Re2, double Le) {
    const double limit = ErrorFactor * driver.fs;
    int m = 0;
    for (int i = 0; i < n; ++i) {
        if (driver.FgangIF[i] > limit) {
            ++m;
        }
    }
    double sum = 0.0;
    for (int i = 0; i < n; ++i) {
        if (!(driver.FgangIF[i] > limit)) {
            continue;
        }
        const double diff = std::fabs(driver.FgangI[i]) -
                            ImpedanceModel(driver, Le3, Re3, Le2, Re2, Le, driver.FgangIF[i]);
        const double e = diff * diff;
        sum += e;
        if (10 * std::abs(i - i0) < m) {
            sum += e; // points near the impedance minimum count double
        }
    }
    return sum;
}

VoiceCoilFitStart FitStartValues(const TChassis& driver) {
    VoiceCoilFitStart start;
    start.n = MeasuredCount(driver.FgangIF);
    start.s = firstIndexAbove(driver, start.n, StartFactor * driver.fs);
    if (start.s >= start.n) {
        return start;
    }
    start.i0 = indexOfMinimum(driver, start.s, start.n);
    start.Le = StartInductance;
    start.Le2 = StartInductance;
    start.Re2 = driver.Re;
    start.Re3 = (std::fabs(driver.FgangI[start.i0]) - driver.Re) * 1.2 + Tiny;
    if (!(start.Re3 > 0.0)) {
        start.Re3 = Tiny;
    }
    start.Le3 = start.Re3 / (2.0 * 3.14159 * driver.FgangIF[start.i0]) + Tiny;
    return start;
}

VoiceCoilFitResult FitVoiceCoil(TChassis& driver) {
    sortImpedancePoints(driver, MeasuredCount(driver.FgangIF));
    const VoiceCoilFitStart start = FitStartValues(driver);
    const int n = start.n;
    const int i0 = start.i0;
    if (n < start.s + MinPointsAboveStart) {
        return {false, VoiceCoilFitTooFewPoints};
    }

    Parameters p{start.Le, start.Re2, start.Le2, start.Re3, start.Le3};
    Parameters step{p[ParLe] / 100, p[ParRe2] / 100, p[ParLe2] / 100, std::fabs(p[ParRe3] / 100),
                    std::fabs(p[ParLe3] / 100)};
    double best = errorOf(driver, i0, n, p);
    for (int stage = 0; stage < Stages; ++stage) {
        int passes = 0;
        while (searchPass(driver, i0, n, p, step, best) && ++passes < MaxPassesPerStage) {
        }
        for (double& d : step) {
            d /= 2.0;
        }
    }

    driver.Le = p[ParLe];
    driver.Re2 = p[ParRe2];
    driver.Le2 = p[ParLe2];
    driver.Re3 = p[ParRe3];
    driver.Le3 = p[ParLe3];
    return {true, {}};
}

} // namespace tavrel
