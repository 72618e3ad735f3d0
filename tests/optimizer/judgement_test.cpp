#include "optimizer/judgement.h"

#include <cmath>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <numbers>

namespace tavrel {
namespace {

constexpr int Points = 40;

/// A one-way speaker whose every response follows the target curve, 8 ohm flat, with
/// plenty of headroom: the reference every test bends in one respect.
class Judgement : public ::testing::Test {
protected:
    std::unique_ptr<TProjekt> project = std::make_unique<TProjekt>();
    std::unique_ptr<TResult> result = std::make_unique<TResult>();
    TJudgement judgement;

    void SetUp() override {
        project->nAmps = 1;
        project->nChassis = 1;
        for (int i = 0; i < Points; ++i) {
            result->Freq[i] = 20 * std::pow(1000.0, i / (Points - 1.0));
        }
        result->nFreq = Points;
        setImpedance(0, [](double) { return 8.0; });
        setResponse([](double) { return 1.0; });
        for (int i = 0; i < Points; ++i) {
            result->Umax[i] = 20;
            result->UmaxExcursion[0][i] = 30;
        }
    }

    double f(int i) const { return result->Freq[i]; }
    double target(int i) const { return JudgeTarget(f(i), 1, 1); }

    void setImpedance(int a, const std::function<double(double)>& z) {
        for (int i = 0; i < Points; ++i) {
            result->AmpZ[a][i] = {z(f(i)), 0};
        }
    }

    /// Every direction, the tilted axes and the single driver follow shape(f)·target(f).
    void setResponse(const std::function<double(double)>& shape) {
        for (int i = 0; i < Points; ++i) {
            const TComplex p{shape(f(i)) * target(i), 0};
            result->SpeakerDir[i].fill(p);
            result->SumTiltPlus[i] = result->SumTiltMinus[i] = p;
            result->DirFront[0][i][0] = p;
            result->Directivity[i] = 1;
        }
    }

    void judge() { Judge(*project, *result, judgement); }

    double expectedTotalWithoutExtra() const {
        const auto& J = judgement.J;
        const TJudgeInputs& in = judgement.In;
        return ((9 - 5 * in.wEfficiency) *
                    (10 * J[7] + J[10] + 1.5 * J[11] * in.wDirectivity + 4 * J[0]) +
                13 * (5 * in.wEfficiency + 1) * J[3] + 13 * J[4]) /
               107;
    }
};

TEST(JudgeTargetCurve, BassAndTrebleFactorsTiltTheEnds) {
    EXPECT_NEAR(JudgeTarget(1000, 1, 1), 1.0, 0.05);
    EXPECT_GT(JudgeTarget(60, 2, 1), 1.3 * JudgeTarget(60, 1, 1));
    EXPECT_LT(JudgeTarget(60, 0.5, 1), 0.8 * JudgeTarget(60, 1, 1));
    EXPECT_GT(JudgeTarget(15000, 1, 2), 1.3 * JudgeTarget(15000, 1, 1));
    EXPECT_NEAR(JudgeTarget(1000, 1, 2), JudgeTarget(1000, 1, 1), 0.1);
    EXPECT_LT(JudgeTarget(15, 1, 1), 0.3); // below the box resonance the target falls
}

TEST_F(Judgement, ImpedanceAboveTheMinimumAddsNoExtraTermAndTheWorstAmplifierCounts) {
    judge();
    EXPECT_NEAR(judgement.J[0], judgement.In.Zmin / 8.001, 1e-12);
    EXPECT_LT(judgement.J[0], 1);
    EXPECT_NEAR(judgement.J[12], expectedTotalWithoutExtra(), 1e-12);
    project->nAmps = 2;
    setImpedance(1, [](double) { return 4.0; });
    judge();
    EXPECT_NEAR(judgement.J[0], judgement.In.Zmin / 4.001, 1e-12);
}

TEST_F(Judgement, ImpedanceFarBelowTheMinimumAddsTheExtraTerm) {
    setImpedance(0, [](double f) { return f > 100 && f < 400 ? 0.3 : 8.0; });
    judge();
    const double j0 = judgement.J[0];
    EXPECT_GT(j0, 1);
    EXPECT_NEAR(judgement.J[12], expectedTotalWithoutExtra() + 0.25 * (j0 * j0 - 1) / (j0 + 4),
                1e-9);
}

TEST_F(Judgement, EfficiencyOfAnEightOhmSpeakerWithTwentyVoltsOfHeadroomWorkedByHand) {
    // Headroom following the weighting h(f) makes the power capability exactly 20 V; the
    // response on target makes the level ratio 1 and the flat 8 ohm the soft minimum.
    for (int i = 0; i < Points; ++i) {
        result->Umax[i] = 20 * std::sqrt(f(i) / (f(i) + 100)) * 20000 / (20000 + f(i));
    }
    judge();
    EXPECT_NEAR(judgement.J[18], 1.0, 1e-12);
    EXPECT_NEAR(judgement.J[19], 20.0, 1e-9);
    // load = 8·1²·√(20/√8) = 21.27318; 3·log10(1 + 0.12/21.27318)^1.25 = 3·0.00244293^1.25
    EXPECT_NEAR(judgement.J[3], 0.00162933371524, 1e-14);
}

TEST_F(Judgement, ResponseErrorDependsOnShapeNotLevel) {
    for (double level : {0.01, 1.0, 100.0}) {
        setResponse([&](double) { return level; });
        judge();
        EXPECT_NEAR(judgement.J[13], 0.0, 1e-12) << level;
        EXPECT_NEAR(judgement.J[14], 0.0, 1e-12) << level;
        EXPECT_NEAR(judgement.J[15], 0.0, 1e-12) << level;
    }
    setResponse([](double f) { return std::pow(f / 1000, 0.3); });
    judge();
    const double tilted = judgement.J[13];
    EXPECT_GT(tilted, 0.1);
    setResponse([](double f) { return 50 * std::pow(f / 1000, 0.3); });
    judge();
    EXPECT_NEAR(judgement.J[13], tilted, 1e-9);
}

TEST_F(Judgement, WithoutResponseWeightsOnlyTheBassPenaltyCounts) {
    setResponse([](double f) { return std::pow(f / 1000, 0.3); });
    judgement.In.wAxis = judgement.In.wPower = judgement.In.wLeft = judgement.In.wRight = 0;
    judge();
    EXPECT_GT(judgement.J[17], 0);
    EXPECT_GT(judgement.J[13], 0);
    EXPECT_NEAR(judgement.J[7], 0.35 * judgement.J[17], 1e-12);
}

TEST_F(Judgement, MissingDirectivityMakesThePowerResponseImpossibleButFinite) {
    result->Directivity[20] = 0;
    judge();
    EXPECT_GT(judgement.J[14], 1e15);
    EXPECT_GT(judgement.J[17], 1e15);
    for (double value : judgement.J) {
        EXPECT_TRUE(std::isfinite(value));
    }
}

/// Two drivers at 1 and 0.5, the second shifted in phase by `delta`.
class PhaseJudgement : public Judgement {
protected:
    double phaseFigure(double delta, double reference = 0) {
        project->nChassis = 2;
        for (int i = 0; i < Points; ++i) {
            result->DirFront[0][i][0] = CPolar(1, reference);
            result->DirFront[1][i][0] = CPolar(0.5, reference + delta);
        }
        judge();
        return judgement.J[10];
    }
};

TEST_F(PhaseJudgement, SmallDifferencesCountOneThirdAndDifferencesWrapAround) {
    const double slope = phaseFigure(0.3) - phaseFigure(0.2); // full weight above 0.16 rad
    EXPECT_GT(slope, 0);
    EXPECT_NEAR(phaseFigure(0.1), 0.333 * slope, 1e-9);
    EXPECT_NEAR(phaseFigure(0.05), 0.5 * phaseFigure(0.1), 1e-12);
    EXPECT_NEAR(phaseFigure(0.0), 0.0, 1e-15);
    EXPECT_NEAR(phaseFigure(0.3, 3.0), phaseFigure(0.3), 1e-9); // arguments 3.0 and −2.98
}

TEST_F(PhaseJudgement, OnlyPointsFrom100HzTo20kHzCount) {
    const double all = phaseFigure(0.5);
    for (int i = 0; i < Points; ++i) {
        if (f(i) >= 100) {
            result->DirFront[1][i][0] = result->DirFront[0][i][0];
        }
    }
    judge();
    EXPECT_NEAR(judgement.J[10], 0.0, 1e-15);
    EXPECT_GT(all, 0);
}

TEST_F(Judgement, TiltedAxesLevelVoltageLimitAndDispersionMoveTheirFigures) {
    judge();
    EXPECT_NEAR(judgement.J[10], 0.0, 1e-15);
    for (int i = 0; i < Points; ++i) {
        result->SumTiltPlus[i] = CScale(result->SumTiltMinus[i], 1.2);
    }
    judge();
    const double louderUp = judgement.J[10];
    EXPECT_GT(louderUp, 0);
    for (int i = 0; i < Points; ++i) {
        std::swap(result->SumTiltPlus[i], result->SumTiltMinus[i]);
    }
    judge();
    EXPECT_GT(judgement.J[10], louderUp); // louder downwards is judged harder
    judge();
    const double quiet = judgement.J[3];
    const double ratio = judgement.J[18];
    setResponse([](double) { return 2.0; });
    judge();
    EXPECT_NEAR(judgement.J[18], 2 * ratio, 1e-12);
    EXPECT_LT(judgement.J[3], quiet);
    judge();
    const double capability = judgement.J[19];
    const double efficiency = judgement.J[3];
    for (int i = 0; i < Points; ++i) {
        result->Umax[i] = 40;
    }
    judge();
    EXPECT_NEAR(judgement.J[19], 2 * capability, 1e-9);
    EXPECT_LT(judgement.J[3], efficiency);
    judge();
    const double omni = judgement.J[11];
    EXPECT_GT(omni, 0);
    for (int i = 0; i < Points; ++i) {
        result->Directivity[i] = 3;
    }
    judge();
    EXPECT_EQ(judgement.J[11], 0.0);
    project->Schallwand[0].direction = 2; // the only driver faces left and carries it all
    judge();
    EXPECT_GT(judgement.J[11], 0.0);
}

TEST_F(Judgement, SmallDriverAtItsResonanceOrNearTheSpeakersLimitLoadsTheDesign) {
    project->nChassis = 2;
    project->Chassis[0].Amem = 0.02;
    project->Chassis[1].Amem = 0.001;
    project->Chassis[1].fc = 1000;
    for (int i = 0; i < Points; ++i) {
        result->DirFront[1][i][0] = CScale(result->SpeakerDir[i][0], 0.5);
    }
    judge();
    EXPECT_NEAR(judgement.J[6], 10 * (0.5 - 0.31) * (0.5 - 0.31), 1e-12);
    for (int i = 0; i < Points; ++i) {
        result->UmaxExcursion[1][i] = 25; // close to the speaker's 20 V
    }
    judge();
    EXPECT_GT(judgement.J[5], 0);
    EXPECT_NEAR(judgement.J[4], judgement.J[5] + judgement.J[6], 1e-15);

    project->Chassis[1].Amem = 0.019; // within 10 % of the largest: exempt
    judge();
    EXPECT_EQ(judgement.J[5], 0);
}

TEST_F(Judgement, BrokenNumbersBecomeBadFiguresNotNaN) {
    result->AmpZ[0][3] = {std::nan(""), 0};
    result->SpeakerDir[5][0] = {std::nan(""), 0};
    judge();
    for (double value : judgement.J) {
        EXPECT_FALSE(std::isnan(value));
    }
    EXPECT_EQ(judgement.J[12], 1e20);
}

TEST_F(Judgement, EmptyGridKeepsTheStartValues) {
    result->Freq[0] = 0;
    judgement.J.fill(3);
    judge();
    EXPECT_EQ(judgement.J[0], 10);
    EXPECT_EQ(judgement.J[3], 10);
    EXPECT_EQ(judgement.J[7], 10);
    EXPECT_EQ(judgement.J[12], 10);
}

} // namespace
} // namespace tavrel
