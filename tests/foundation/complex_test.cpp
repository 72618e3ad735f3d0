#include "foundation/complex.h"

#include <gtest/gtest.h>
#include <numbers>

namespace tavrel {
namespace {

TEST(Complex, ArithmeticMatchesTheTextbookFormulas) {
    const TComplex a{3, 4}, b{1, -2};
    EXPECT_EQ(CAdd(a, b), (TComplex{4, 2}));
    EXPECT_EQ(CSub(a, b), (TComplex{2, 6}));
    EXPECT_EQ(CMul(a, b), (TComplex{11, -2}));
    const TComplex q = CDiv(a, b);
    EXPECT_DOUBLE_EQ(q.Re, -1.0);
    EXPECT_DOUBLE_EQ(q.Im, 2.0);
    EXPECT_DOUBLE_EQ(CAbs(a), 5.0);
    EXPECT_EQ(CScale(a, 2), (TComplex{6, 8}));
}

TEST(Complex, ParallelImpedancesGuardZero) {
    EXPECT_EQ(CPar({0, 0}, {5, 1}), (TComplex{0, 0}));
    const TComplex p = CPar({8, 0}, {8, 0});
    EXPECT_DOUBLE_EQ(p.Re, 4.0);
    EXPECT_DOUBLE_EQ(p.Im, 0.0);
    const TComplex p3 = CPar3({6, 0}, {6, 0}, {6, 0});
    EXPECT_DOUBLE_EQ(p3.Re, 2.0);
    EXPECT_EQ(CPar3({1, 1}, {0, 0}, {2, 2}), (TComplex{0, 0}));
}

TEST(Complex, RotationDelaysAndPhaseConventions) {
    const TComplex r = CRotate({1, 0}, std::numbers::pi / 2);
    EXPECT_NEAR(r.Re, 0.0, 1e-15);
    EXPECT_NEAR(r.Im, -1.0, 1e-15);
    EXPECT_DOUBLE_EQ(CPhase({0, 1}), 0.0);
    EXPECT_DOUBLE_EQ(CArg({0, 1}), std::numbers::pi / 2);
    const TComplex polar = CPolar(2, std::numbers::pi);
    EXPECT_NEAR(polar.Re, -2.0, 1e-15);
}

} // namespace
} // namespace tavrel
