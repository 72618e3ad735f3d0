// The least-squares fit of the free-air impedance (GSL's trust-region Levenberg–Marquardt with a
// finite-difference Jacobian). Parameters are fitted as logarithms so they stay positive; each
// coil branch is fitted by its resistance and its corner frequency, the corner mapped into the
// measured band through a logistic function.
#include "driver_editor/impedance_fit.h"

#include "engine/driver_model.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <gsl/gsl_blas.h>
#include <gsl/gsl_errno.h>
#include <gsl/gsl_multifit_nlinear.h>
#include <memory>

namespace tavrel {
namespace {

constexpr double TwoPi = 6.283185307179586;
constexpr double Pi = 3.141592653589793;
constexpr int ParameterCount = 9;
using Parameters = std::array<double, ParameterCount>;

struct Band {
    double lnLo = 0.0, lnHi = 1.0;
};

double logistic(double u) {
    return 1.0 / (1.0 + std::exp(-u));
}

double cornerOf(const Band& b, double u) {
    return std::exp(b.lnLo + (b.lnHi - b.lnLo) * logistic(u));
}

double unitOf(const Band& b, double corner) {
    const double t = std::clamp((std::log(corner) - b.lnLo) / (b.lnHi - b.lnLo), 0.02, 0.98);
    return std::log(t / (1.0 - t));
}

Parameters encode(const ImpedanceFit& s, const Band& b) {
    return {std::log(s.Re),
            std::log(s.fs),
            std::log(s.Qes),
            std::log(s.Qms),
            std::log(s.Le),
            std::log(s.Re2),
            unitOf(b, s.Re2 / (TwoPi * s.Le2)),
            std::log(s.Re3),
            unitOf(b, s.Re3 / (TwoPi * s.Le3))};
}

ImpedanceFit decode(const double* x, const Band& b) {
    ImpedanceFit s;
    s.Re = std::exp(x[0]);
    s.fs = std::exp(x[1]);
    s.Qes = std::exp(x[2]);
    s.Qms = std::exp(x[3]);
    s.Le = std::exp(x[4]);
    s.Re2 = std::exp(x[5]);
    s.Le2 = s.Re2 / (TwoPi * cornerOf(b, x[6]));
    s.Re3 = std::exp(x[7]);
    s.Le3 = s.Re3 / (TwoPi * cornerOf(b, x[8]));
    return s;
}

/// Evaluates the model for one parameter set at many frequencies without copying the record's
/// measured arrays each time.
class ModelImpedance {
public:
    ModelImpedance() : m_driver(std::make_unique<TChassis>()) {}
    void set(const ImpedanceFit& s) {
        TChassis& c = *m_driver;
        c.Re = s.Re;
        c.fs = s.fs;
        c.Qes = s.Qes;
        c.Qms = s.Qms;
        c.Le = s.Le;
        c.Re2 = s.Re2;
        c.Le2 = s.Le2;
        c.Re3 = s.Re3;
        c.Le3 = s.Le3;
        CalcDerived(c, m_freeAir, 1.0);
    }
    TComplex at(double f) const { return FreeAirImpedance(*m_driver, m_freeAir, f); }

private:
    std::unique_ptr<TChassis> m_driver;
    TEinbau m_freeAir{};
};

/// Each point weighs by its share of the band on a log scale, so a grid dense at the top
/// does not outvote the resonance.
std::vector<double> logWeights(const std::vector<double>& f) {
    const int n = static_cast<int>(f.size());
    std::vector<double> w(n);
    const double span = std::log(f.back() / f.front());
    for (int i = 0; i < n; ++i) {
        const double lo = std::log(f[std::max(i - 1, 0)]);
        const double hi = std::log(f[std::min(i + 1, n - 1)]);
        w[i] = std::max(hi - lo, 1e-12) / (2.0 * span);
    }
    return w;
}

double wrapped(double a) {
    return std::remainder(a, 2.0 * Pi);
}

struct Problem {
    const ImpedanceCurve* curve = nullptr;
    std::vector<double> rootWeight;
    Band band;
    ModelImpedance model;
};

int residuals(const gsl_vector* x, void* data, gsl_vector* r) {
    auto& p = *static_cast<Problem*>(data);
    const ImpedanceCurve& c = *p.curve;
    p.model.set(decode(x->data, p.band));
    const std::size_t n = c.f.size();
    for (std::size_t i = 0; i < n; ++i) {
        const TComplex z = p.model.at(c.f[i]);
        double e = std::log(CAbs(z) / c.magnitude[i]) * p.rootWeight[i];
        gsl_vector_set(r, i, std::isfinite(e) ? e : 1e3);
        if (!c.phase.empty()) {
            e = wrapped(CArg(z) - c.phase[i]) * p.rootWeight[i];
            gsl_vector_set(r, n + i, std::isfinite(e) ? e : 1e3);
        }
    }
    return GSL_SUCCESS;
}

struct Solution {
    Parameters x{};
    double cost = HUGE_VAL;
};

Solution solve(Problem& problem, const Parameters& start) {
    const std::size_t n = problem.curve->f.size() * (problem.curve->phase.empty() ? 1 : 2);
    gsl_multifit_nlinear_fdf fdf{};
    fdf.f = residuals;
    fdf.n = n;
    fdf.p = ParameterCount;
    fdf.params = &problem;
    gsl_multifit_nlinear_parameters settings = gsl_multifit_nlinear_default_parameters();
    gsl_multifit_nlinear_workspace* w =
        gsl_multifit_nlinear_alloc(gsl_multifit_nlinear_trust, &settings, n, ParameterCount);
    Parameters x0 = start;
    gsl_vector_view view = gsl_vector_view_array(x0.data(), ParameterCount);
    Solution s;
    int info = 0;
    if (gsl_multifit_nlinear_init(&view.vector, &fdf, w) == GSL_SUCCESS) {
        gsl_multifit_nlinear_driver(300, 1e-10, 1e-10, 1e-10, nullptr, nullptr, &info, w);
        const gsl_vector* x = gsl_multifit_nlinear_position(w);
        std::copy(x->data, x->data + ParameterCount, s.x.begin());
        double cost = 0.0;
        gsl_blas_ddot(gsl_multifit_nlinear_residual(w), gsl_multifit_nlinear_residual(w), &cost);
        s.cost = std::isfinite(cost) ? cost : HUGE_VAL;
    }
    gsl_multifit_nlinear_free(w);
    return s;
}

/// Weighted rms of the magnitude error in dB.
double residualDb(const ImpedanceCurve& c, const ImpedanceFit& fit) {
    const std::vector<double> w = logWeights(c.f);
    double sum = 0.0;
    for (std::size_t i = 0; i < c.f.size(); ++i) {
        const double e = 20.0 * std::log10(CAbs(FittedImpedance(fit, c.f[i])) / c.magnitude[i]);
        sum += w[i] * e * e;
    }
    return std::sqrt(sum);
}

bool finite(const ImpedanceFit& s) {
    for (double v : {s.Re, s.fs, s.Qes, s.Qms, s.Le, s.Re2, s.Le2, s.Re3, s.Le3}) {
        if (!std::isfinite(v) || !(v > 0.0)) {
            return false;
        }
    }
    return true;
}

/// Moves both coil corners to another place in the band, for a second start.
ImpedanceFit withCorners(ImpedanceFit s, double corner2, double corner3) {
    s.Le2 = s.Re2 / (TwoPi * corner2);
    s.Le3 = s.Re3 / (TwoPi * corner3);
    return s;
}

} // namespace

TComplex FittedImpedance(const ImpedanceFit& fit, double f) {
    ModelImpedance model;
    model.set(fit);
    return model.at(f);
}

ImpedanceFitResult FitImpedance(const ImpedanceCurve& curve) {
    for (std::size_t i = 0; i < curve.f.size(); ++i) {
        const bool rising = i == 0 || curve.f[i] > curve.f[i - 1];
        if (!rising || !(curve.magnitude[i] > 0.0) || !std::isfinite(curve.magnitude[i])) {
            return {
                false, "The impedance curve needs rising frequencies and magnitudes above 0.", {}};
        }
    }
    ImpedanceFitResult r = ImpedanceFitStart(curve);
    if (!r.ok) {
        return r;
    }
    gsl_set_error_handler_off();
    Problem problem;
    problem.curve = &curve;
    problem.band = {std::log(curve.f.front()), std::log(curve.f.back())};
    for (double w : logWeights(curve.f)) {
        problem.rootWeight.push_back(std::sqrt(w));
    }
    const ImpedanceFit& s = r.fit;
    const double fTop = curve.f.back();
    Solution best;
    for (const ImpedanceFit& start :
         {s, withCorners(s, std::sqrt(s.fs * fTop), fTop / 2.0),
          withCorners(s, std::pow(fTop, 0.75) * std::pow(s.fs, 0.25), fTop / 1.2)}) {
        const Solution trial = solve(problem, encode(start, problem.band));
        if (trial.cost < best.cost) {
            best = trial;
        }
    }
    r.fit = decode(best.x.data(), problem.band);
    if (!(best.cost < HUGE_VAL) || !finite(r.fit)) {
        return {false, "The impedance fit did not converge.", {}};
    }
    r.fit.residualDb = residualDb(curve, r.fit);
    if (!std::isfinite(r.fit.residualDb)) {
        return {false, "The impedance fit did not converge.", {}};
    }
    return r;
}

} // namespace tavrel
