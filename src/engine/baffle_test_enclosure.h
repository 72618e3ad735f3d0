// The on-axis response of a driver measured on one of the two sides of the test enclosure,
// modelled as the direct sound minus a fixed list of smeared, delayed edge reflections.
#pragma once

#include "foundation/complex.h"

#include <array>

namespace tavrel {

enum class TestEnclosureSide { Small, Large };

/// One reflection path of the test enclosure: length (m), amplitude and relative spread.
struct TestEnclosureReflection {
    double length;
    double amplitude;
    double spread;
};

constexpr int TestEnclosureReflectionCount = 50;
using TestEnclosureTable = std::array<TestEnclosureReflection, TestEnclosureReflectionCount>;

/// The fitted reflection list of one side.
const TestEnclosureTable& TestEnclosureReflections(TestEnclosureSide side);

/// Σ over the 50 reflections × 11 spread delays, to be subtracted from the direct sound.
/// `d90` is the diaphragm's directivity at 90°, k0 the wave number, lambda the wavelength.
TComplex TestEnclosureReflectionSum(TestEnclosureSide side, double k0, double lambda, double d90);

} // namespace tavrel
