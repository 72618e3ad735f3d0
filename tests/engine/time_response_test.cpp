#include "engine/speaker.h"
#include "engine/time_response.h"

#include <cmath>
#include <gtest/gtest.h>
#include <memory>
#include <numbers>

namespace tavrel {
namespace {

constexpr double Pi = std::numbers::pi;

/// A 250-point grid from 20 Hz to 20 kHz; every driver idle, baffles, filters and networks 1.
class TimeCurves : public ::testing::Test {
protected:
    std::unique_ptr<TProjekt> project = std::make_unique<TProjekt>();
    std::unique_ptr<TResult> result = MakeResult();

    void SetUp() override {
        project->Option.fMin = 20;
        project->Option.fMax = 20000;
        project->Option.sz = 250;
        BuildGrid(*project);
        project->nChassis = 0;
        result->AmpOfChassis.fill(-1);
        for (auto& amp : result->AktFilterH) {
            amp.fill({1, 0});
        }
        for (int d = 0; d < ChassisSlots; ++d) {
            for (int k = 0; k < points(); ++k) {
                result->BaffleFront[d][k].fill({1, 0});
                result->BaffleRear[d][k].fill({1, 0});
                result->ChassisU[d][k] = {1, 0};
            }
        }
    }

    int points() const { return project->Option.sz; }

    /// Driver d radiating 1 from its front at `depth` m along the axis (negative: behind).
    void driveFlat(int d, double depth) {
        project->nChassis = static_cast<std::int16_t>(std::max<int>(project->nChassis, d + 1));
        result->AmpOfChassis[d] = 0;
        result->PFrontBlend[d].fill({1, 0});
        project->Schallwand[d].stra = depth;
        project->Chassis[d]._PMax = 1e6;
        project->Chassis[d]._ZNenn = 8;
    }

    void runSpeakerAndTime() {
        ASSERT_EQ(RunSpeakerJob(*project, *result), "Ok");
        RunTimeCurves(*project, *result);
    }

    /// First time (s) at which the step reaches half its largest value.
    double stepStart(int slot) const {
        const TimeCurve& step = result->Step[slot];
        const double half = 0.5 * *std::max_element(step.begin(), step.end());
        const auto at = std::find_if(step.begin(), step.end(), [&](double v) { return v >= half; });
        return TimeStart + static_cast<double>(at - step.begin()) / TimeSampleRate;
    }
};

TEST_F(TimeCurves, DriverMovedBackBy34cmIsOneMillisecondLateInDelayAndStep) {
    driveFlat(0, 0.0);
    driveFlat(1, -0.344);
    project->nChassis = 3; // driver 3 has no amplifier
    runSpeakerAndTime();
    EXPECT_TRUE(result->HasTime[0] && result->HasTime[1] && result->HasTime[2]);
    EXPECT_FALSE(result->HasTime[3]);
    EXPECT_EQ(result->Step[3][TimeLeadSamples], 0.0);
    for (int k = 0; k < points(); ++k) {
        EXPECT_NEAR(result->GroupDelay[1][k], 0.0, 1e-9) << k;
        // Central differences of a phase linear in f, within the grid's ln-f steps.
        EXPECT_NEAR(result->GroupDelay[2][k], 1e-3, 2e-5) << k;
    }
    EXPECT_NEAR(stepStart(1), 0.0, 2 / TimeSampleRate);
    EXPECT_NEAR(stepStart(2) - stepStart(1), 1e-3, 2 / TimeSampleRate);
}

TEST_F(TimeCurves, SecondOrderHighPassHasItsClosedFormGroupDelay) {
    const double w0 = 2 * Pi * 80;
    const double q = 0.7;
    for (int k = 0; k < points(); ++k) {
        const double w = 2 * Pi * project->f[k];
        // s²/(s² + s·w0/Q + w0²) at s = jw
        result->SpeakerDir[k][0] = CDiv({-w * w, 0}, {w0 * w0 - w * w, w * w0 / q});
    }
    RunTimeCurves(*project, *result);
    ASSERT_TRUE(result->HasTime[0]);
    for (int k = 1; k < points() - 1; ++k) {
        const double w = 2 * Pi * project->f[k];
        const double d = w0 * w0 - w * w;
        const double expected = (w0 / q) * (w0 * w0 + w * w) / (d * d + w * w * w0 * w0 / (q * q));
        EXPECT_NEAR(result->GroupDelay[0][k], expected, 0.005 * expected + 1e-7) << k;
    }
}

TEST_F(TimeCurves, PhaseUnwrapsAcrossLargeDelaysAndNullJumps) {
    // 5 ms on a coarse grid turns the phase by more than π between points at the top; a
    // polarity flip turns it by π at once.
    constexpr int Count = 84;
    std::array<double, Count> freq{}, phase{}, expected{};
    std::array<TComplex, Count> response{};
    for (int k = 0; k < Count; ++k) {
        freq[k] = 20 * std::pow(1000.0, k / (Count - 1.0));
        expected[k] = -2 * Pi * freq[k] * 5e-3 + (k >= 40 ? Pi - 0.01 : 0.0);
        response[k] = CPolar(1, expected[k]);
    }
    UnwrapPhase(response.data(), freq.data(), Count, phase.data());
    for (int k = 0; k < Count; ++k) {
        EXPECT_NEAR(phase[k], expected[k], 1e-9) << k;
    }
}

/// |DFT| of the impulse at bin m, per unit response: the impulse is the inverse transform of
/// the response times the taper, scaled so that this gives the taper back.
double impulseSpectrumAt(const TimeCurve& impulse, int m) {
    TComplex sum{0, 0};
    for (int i = 0; i < TimeSamples; ++i) {
        const double angle = -2 * Pi * m * static_cast<double>(i) / TimeSamples;
        sum.Re += impulse[i] * std::cos(angle);
        sum.Im += impulse[i] * std::sin(angle);
    }
    return std::hypot(sum.Re, sum.Im) / TimeSampleRate;
}

TEST_F(TimeCurves, ATaperOfOneOctaveFadesAFlatResponseOutsideTheGrid) {
    // Grid ends placed so that bins 20 and 4000 lie half an octave outside them.
    const double binWidth = TimeSampleRate / TimeSamples;
    project->Option.fMin = 20 * binWidth * std::numbers::sqrt2;
    project->Option.fMax = 4000 * binWidth / std::numbers::sqrt2;
    BuildGrid(*project);
    for (int k = 0; k < points(); ++k) {
        result->SpeakerDir[k][0] = {1, 0};
    }
    RunTimeCurves(*project, *result);
    ASSERT_TRUE(result->HasTime[0]);
    struct Bin {
        int m;
        double taper;
    };
    // An octave outside each end, half an octave outside (the middle), and inside the grid.
    for (const Bin& bin : {Bin{14, 0.0}, Bin{20, 0.5}, Bin{29, 1.0}, Bin{1000, 1.0}, Bin{2828, 1.0},
                           Bin{4000, 0.5}, Bin{5657, 0.0}}) {
        EXPECT_NEAR(impulseSpectrumAt(result->Impulse[0], bin.m), bin.taper, 2e-3) << bin.m;
    }
}

TEST_F(TimeCurves, NonFiniteResponseGivesNoTimeCurves) {
    driveFlat(0, 0.0);
    runSpeakerAndTime();
    ASSERT_TRUE(result->HasTime[1]);
    result->DirFront[0][7][0] = {std::nan(""), 0};
    result->SpeakerDir[9][0] = {0, HUGE_VAL};
    RunTimeCurves(*project, *result);
    EXPECT_FALSE(result->HasTime[0]);
    EXPECT_FALSE(result->HasTime[1]);
    EXPECT_EQ(result->GroupDelay[1][7], 0.0);
    EXPECT_EQ(result->Impulse[0][TimeLeadSamples], 0.0);
}

} // namespace
} // namespace tavrel
