// Complex arithmetic on a plain two-double record. Every response, impedance and network
// calculation uses these; the formulas are spelled out (rather than using std::complex) so
// that the zero guards of CPar and CPar3 and the rotation sign are exactly as documented.
#pragma once

#include <cmath>

namespace tavrel {

struct TComplex {
    double Re = 0.0;
    double Im = 0.0;
    bool operator==(const TComplex&) const = default;
};

inline TComplex CAdd(TComplex a, TComplex b) {
    return {a.Re + b.Re, a.Im + b.Im};
}
inline TComplex CAdd3(TComplex a, TComplex b, TComplex c) {
    return {a.Re + b.Re + c.Re, a.Im + b.Im + c.Im};
}
inline TComplex CSub(TComplex a, TComplex b) {
    return {a.Re - b.Re, a.Im - b.Im};
}
inline TComplex CMul(TComplex a, TComplex b) {
    return {a.Re * b.Re - a.Im * b.Im, a.Re * b.Im + a.Im * b.Re};
}
inline TComplex CMul3(TComplex a, TComplex b, TComplex c) {
    return CMul(CMul(a, b), c);
}
inline TComplex CScale(TComplex a, double k) {
    return {k * a.Re, k * a.Im};
}

inline TComplex CDiv(TComplex a, TComplex b) {
    const long double n =
        static_cast<long double>(b.Re) * b.Re + static_cast<long double>(b.Im) * b.Im;
    return {
        static_cast<double>(
            (static_cast<long double>(a.Re) * b.Re + static_cast<long double>(a.Im) * b.Im) / n),
        static_cast<double>(
            (static_cast<long double>(a.Im) * b.Re - static_cast<long double>(a.Re) * b.Im) / n)};
}

inline double CAbs(TComplex a) {
    return std::sqrt(a.Re * a.Re + a.Im * a.Im);
}

/// Parallel impedance a·b/(a+b); a zero product is returned as it is, without dividing.
inline TComplex CPar(TComplex a, TComplex b) {
    const TComplex product = CMul(a, b);
    if (CAbs(product) == 0.0) {
        return product;
    }
    return CDiv(product, CAdd(a, b));
}

/// 1/(1/a + 1/b + 1/c); a zero impedance anywhere short-circuits the whole to (0, 0).
inline TComplex CPar3(TComplex a, TComplex b, TComplex c) {
    if (CAbs(a) == 0.0 || CAbs(b) == 0.0 || CAbs(c) == 0.0) {
        return {0.0, 0.0};
    }
    const TComplex one{1.0, 0.0};
    return CDiv(one, CAdd3(CDiv(one, a), CDiv(one, b), CDiv(one, c)));
}

/// a·e^(−jφ): a positive angle delays (time factor e^(jωt)).
inline TComplex CRotate(TComplex a, double phi) {
    const double c = std::cos(phi);
    const double s = std::sin(phi);
    return {a.Re * c + a.Im * s, a.Im * c - a.Re * s};
}

inline TComplex CPolar(double r, double phi) {
    return {r * std::cos(phi), r * std::sin(phi)};
}
inline double CArg(TComplex a) {
    return std::atan2(a.Im, a.Re);
}
/// Like CArg, but 0 for a purely imaginary value (Re exactly 0).
inline double CPhase(TComplex a) {
    return a.Re == 0.0 ? 0.0 : std::atan2(a.Im, a.Re);
}

} // namespace tavrel
