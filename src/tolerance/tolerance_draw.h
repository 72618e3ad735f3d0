// The values of one built copy of a design. Every drawn value depends only on the seed, the
// run's index and which quantity of which part it is, never on the order in which runs are
// computed: each draw seeds its own generator from those three numbers. The generator
// (std::mt19937_64 through std::seed_seq) is fixed by the C++ standard, the distributions are
// Boost.Random's, which give the same numbers on every platform.
#pragma once

#include "model/projekt.h"
#include "tolerance/tolerances.h"

#include <cstdint>

namespace tavrel {

/// Identifies one drawn quantity: a network part's value or series resistance, or one
/// parameter of a driver.
std::uint32_t NetworkPartKey(int amp, int slot, bool seriesR);
std::uint32_t DriverKey(int driver, TolKind kind);

/// The factor a nominal value is multiplied with: 1 + x·percent/100, x uniform in [−1, 1], or
/// normal with σ = 1/2 and drawn again until it lies in [−1, 1]. Exactly 1 for 0 %.
double DrawFactor(std::uint64_t seed, int run, std::uint32_t key, double percent, bool normal);

/// Changes every resistor, capacitor and inductance of the project's amplifiers and the fs,
/// Qes, Qms, Vas and Rdc of its drivers by their own factor for run `run`.
void ApplyTolerances(TProjekt& project, const TTolerances& tolerances, int run);

} // namespace tavrel
