#include "engine/dsp_section.h"

#include <cmath>
#include <numbers>

namespace tavrel {

namespace {

/// ω of a characteristic frequency, prewarped when the section runs at `rate`.
double omegaOf(double f, double rate) {
    if (rate > 0) {
        return 2 * rate * std::tan(std::numbers::pi * f / rate);
    }
    return 2 * std::numbers::pi * f;
}

AnalogBiquad secondOrder(double w, double q, double n0, double n1, double n2) {
    return {n0, n1, n2, w * w, w / q, 1};
}

AnalogBiquad shelf(double w, double q, double gainDb, bool low) {
    const double a = std::pow(10.0, gainDb / 40);
    const double m = w * std::sqrt(a) / q;
    if (low) {
        return {a * a * w * w, a * m, a, w * w, m, a};
    }
    return {a * w * w, a * m, a * a, a * w * w, m, 1};
}

} // namespace

AnalogBiquad SectionPrototype(const TDspSection& s, double rate) {
    const double w = omegaOf(s.f, rate);
    const double q = s.q;
    switch (s.typ) {
    case DspHighPass1:
        return {0, 1, 0, w, 1, 0};
    case DspLowPass1:
        return {w, 0, 0, w, 1, 0};
    case DspAllPass1:
        return {w, -1, 0, w, 1, 0};
    case DspHighPass2:
        return secondOrder(w, q, 0, 0, 1);
    case DspLowPass2:
        return secondOrder(w, q, w * w, 0, 0);
    case DspNotch:
        return secondOrder(w, q, w * w, 0, 1);
    case DspAllPass2:
        return secondOrder(w, q, w * w, -w / q, 1);
    case DspPeaking: {
        const double a = std::pow(10.0, s.g / 40);
        return {w * w, w * a / q, 1, w * w, w / (a * q), 1};
    }
    case DspLowShelf:
    case DspHighShelf:
        return shelf(w, q, s.g, s.typ == DspLowShelf);
    case DspLinkwitz: {
        const double wp = omegaOf(s.f2, rate);
        return {w * w, w / q, 1, wp * wp, wp / s.q2, 1};
    }
    default:
        return {};
    }
}

Biquad BilinearBiquad(const AnalogBiquad& h, double rate) {
    const double k = 2 * rate;
    if (h.b2 == 0 && h.a2 == 0) {
        const double a0 = h.a0 + h.a1 * k;
        return {(h.b0 + h.b1 * k) / a0, (h.b0 - h.b1 * k) / a0, 0, (h.a0 - h.a1 * k) / a0, 0};
    }
    const double kk = k * k;
    const double a0 = h.a0 + h.a1 * k + h.a2 * kk;
    return {(h.b0 + h.b1 * k + h.b2 * kk) / a0, 2 * (h.b0 - h.b2 * kk) / a0,
            (h.b0 - h.b1 * k + h.b2 * kk) / a0, 2 * (h.a0 - h.a2 * kk) / a0,
            (h.a0 - h.a1 * k + h.a2 * kk) / a0};
}

TComplex AnalogResponse(const AnalogBiquad& h, double f) {
    const double w = 2 * std::numbers::pi * f;
    return CDiv({h.b0 - h.b2 * w * w, h.b1 * w}, {h.a0 - h.a2 * w * w, h.a1 * w});
}

TComplex AnalogSectionResponse(const TDspSection& s, double f) {
    const double x = f / s.f;
    const TComplex secondOrder{1.0 - x * x, x / s.q};
    switch (s.typ) {
    case DspHighPass1:
        return CDiv({1.0, 0.0}, {1.0, -(s.f / f)});
    case DspLowPass1:
        return CDiv({1.0, 0.0}, {1.0, x});
    case DspHighPass2:
        return CDiv({-x * x, 0.0}, secondOrder);
    case DspLowPass2:
        return CDiv({1.0, 0.0}, secondOrder);
    default:
        return AnalogResponse(SectionPrototype(s, 0), f);
    }
}

TComplex DigitalResponse(const Biquad& h, double f, double rate) {
    const TComplex z1 = CPolar(1.0, -2 * std::numbers::pi * f / rate);
    const TComplex z2 = CMul(z1, z1);
    const TComplex num = CAdd3({h.b0, 0}, CScale(z1, h.b1), CScale(z2, h.b2));
    const TComplex den = CAdd3({1, 0}, CScale(z1, h.a1), CScale(z2, h.a2));
    return CDiv(num, den);
}

} // namespace tavrel
