// Part values of the standard passive low-pass (woofer) and high-pass (tweeter) filters of
// orders 1 to 4 for a crossover frequency and the two driver impedances.
#pragma once

#include "calculators/result_lines.h"

#include <array>
#include <string>

namespace tavrel {

struct CrossoverInputs {
    std::string TF = "1000"; ///< crossover frequency, Hz
    std::string ITT = "8";   ///< woofer impedance, ohm
    std::string IHT = "8";   ///< tweeter impedance, ohm
};

/// Factors a, b, c, d of a fourth-order ladder: L = a·Z/ω, L' = b·Z/ω, C = c/(Z·ω), C' = d/(Z·ω).
struct FourthOrderFactors {
    double a, b, c, d;
};
inline constexpr FourthOrderFactors LowPassButterworth4{1.5305839408289472, 1.0825928284270427,
                                                        1.5770795121020762, 0.3826459852072368};
inline constexpr FourthOrderFactors LowPassLinkwitzRiley4{1.8856, 0.94281, 1.591, 0.35355};
inline constexpr FourthOrderFactors HighPassButterworth4{0.6339733974944203, 2.61317676925599,
                                                         0.653451271946677, 0.9236282401553992};
inline constexpr FourthOrderFactors HighPassLinkwitzRiley4{0.6285355122564424, 2.8284542497525105,
                                                           0.5303351718285957, 1.0606590935607387};

/// The eight memos in the order MemoTP1, MemoHP1, MemoTP2, MemoHP2, ... MemoTP4, MemoHP4; all
/// empty when fT·Zw·Zt is not positive.
std::array<Lines, 8> StandardCrossovers(const CrossoverInputs& in);

} // namespace tavrel
