// Transfer function of the active filter and the job that writes it for one amplifier.
#include "engine/active_filter.h"

#include <cmath>
#include <exception>

namespace tavrel {
namespace {

constexpr TComplex One{1.0, 0.0};

TComplex highPass1(double f, double f0) {
    return CDiv(One, {1.0, -(f0 / f)});
}

TComplex lowPass1(double f, double f0) {
    return CDiv(One, {1.0, f / f0});
}

TComplex secondOrderDenominator(double x, double q) {
    return {1.0 - x * x, x / q};
}

TComplex highPass2(double f, double f0, double q) {
    const double x = f / f0;
    return CDiv({-x * x, 0.0}, secondOrderDenominator(x, q));
}

TComplex lowPass2(double f, double f0, double q) {
    return CDiv(One, secondOrderDenominator(f / f0, q));
}

bool sectionInvalid(bool enabled, double f0, double q = 1.0) {
    return enabled && (f0 <= 0 || q <= 0);
}

std::string ampNumber(int a) {
    return std::to_string(a + 1);
}

std::string arithmeticError(int a) {
    return "Error: frequency response of active filter at amp " + ampNumber(a) +
           " cannot be calculated.";
}

bool isFinite(TComplex value) {
    return std::isfinite(value.Re) && std::isfinite(value.Im);
}

} // namespace

TComplex AktFilterResponse(const TAktFilter& filter, double f) {
    TComplex h{filter.Pegel, 0.0};
    if (filter.HP6) {
        h = CMul(h, highPass1(f, filter.HP6f));
    }
    if (filter.HP121) {
        h = CMul(h, highPass2(f, filter.HP121f, filter.HP121q));
    }
    if (filter.HP122) {
        h = CMul(h, highPass2(f, filter.HP122f, filter.HP122q));
    }
    if (filter.TP6) {
        h = CMul(h, lowPass1(f, filter.TP6f));
    }
    if (filter.TP121) {
        h = CMul(h, lowPass2(f, filter.TP121f, filter.TP121q));
    }
    if (filter.TP122) {
        h = CMul(h, lowPass2(f, filter.TP122f, filter.TP122q));
    }
    return h;
}

std::string CheckAktFilter(const TAktFilter& filter, int a) {
    std::string text;
    if (filter.Pegel <= 0) {
        text = "Error: Active filter at amp " + ampNumber(a) + ": Level false.";
    }
    const bool sectionsInvalid = sectionInvalid(filter.HP6, filter.HP6f) ||
                                 sectionInvalid(filter.HP121, filter.HP121f, filter.HP121q) ||
                                 sectionInvalid(filter.HP122, filter.HP122f, filter.HP122q) ||
                                 sectionInvalid(filter.TP6, filter.TP6f) ||
                                 sectionInvalid(filter.TP121, filter.TP121f, filter.TP121q) ||
                                 sectionInvalid(filter.TP122, filter.TP122f, filter.TP122q);
    if (sectionsInvalid) {
        text = "Error: Active filter at amp " + ampNumber(a) +
               ": limit frequencies and Q-factors must not be <=0.";
    }
    return text;
}

std::string RunAktFilterJob(const TProjekt& working, int a, TResult& result) {
    try {
        if (a < 0 || a >= MaxAmps) {
            return arithmeticError(a);
        }
        const TAktFilter& filter = working.Amps[a].AktFilter;
        std::string text = CheckAktFilter(filter, a);
        if (!text.empty()) {
            return text;
        }
        Curve& h = result.AktFilterH[a];
        for (int k = 0; k < GridSize && working.f[k] > 0; ++k) {
            const TComplex value = AktFilterResponse(filter, working.f[k]);
            if (!isFinite(value)) {
                return arithmeticError(a);
            }
            h[k] = value;
        }
        return "Ok";
    } catch (const std::exception&) {
        return arithmeticError(a);
    }
}

} // namespace tavrel
