// The bundled example projects, loaded from data/examples the way both programs load a
// project, must calculate without a job error, give finite results, and behave like the
// loudspeakers they describe: a wrong sign or grouping anywhere in the chain breaks one of
// the physical checks below.
#include "engine/active_filter.h"
#include "engine/calc_engine.h"
#include "support/example_project.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

namespace tavrel {
namespace {

namespace fs = std::filesystem;

const fs::path ExamplesDir = fs::path(TAVREL_SOURCE_DIR) / "data" / "examples";

std::vector<std::string> exampleProjectNames() {
    std::vector<std::string> names;
    for (const fs::directory_entry& entry : fs::directory_iterator(ExamplesDir)) {
        const std::string name = entry.path().filename().string();
        if (name.ends_with(".TVP.plain")) {
            names.push_back(name.substr(0, name.size() - 6));
        }
    }
    std::sort(names.begin(), names.end());
    return names;
}

void expectNoJobErrors(const TCalcEngine& engine, const TProjekt& p, const std::string& what) {
    for (const std::string& error : CollectErrors(engine.Status(), p)) {
        ADD_FAILURE() << what << ": " << error;
    }
}

std::unique_ptr<TCalcEngine> calculated(const TProjekt& p, const std::string& what) {
    auto engine = std::make_unique<TCalcEngine>();
    engine->CalculateAll(p);
    expectNoJobErrors(*engine, p, what);
    return engine;
}

bool finite(const TComplex& c) {
    return std::isfinite(c.Re) && std::isfinite(c.Im);
}

double levelDb(const TComplex& p) {
    return 112 + 20 * std::log10(CAbs(p));
}

double onAxisDb(const TResult& r, int k) {
    return levelDb(r.SpeakerDir[k][0]);
}

/// Grid index whose frequency is nearest to f (on the logarithmic scale).
int indexNear(const TResult& r, double f) {
    int best = 0;
    for (int k = 1; k < r.nFreq; ++k) {
        if (std::abs(std::log(r.Freq[k] / f)) < std::abs(std::log(r.Freq[best] / f))) {
            best = k;
        }
    }
    return best;
}

/// Smallest and largest on-axis level between f1 and f2.
std::pair<double, double> onAxisRange(const TResult& r, double f1, double f2) {
    double lo = 1e9, hi = -1e9;
    for (int k = 0; k < r.nFreq; ++k) {
        if (r.Freq[k] >= f1 && r.Freq[k] <= f2) {
            lo = std::min(lo, onAxisDb(r, k));
            hi = std::max(hi, onAxisDb(r, k));
        }
    }
    return {lo, hi};
}

int driverSlotOf(const TWeiche& weiche, int chassis) {
    for (int s = 0; s < WeicheSlots; ++s) {
        if (weiche[s].typ == PartDriver && weiche[s].chassisnr == chassis) {
            return s;
        }
    }
    return -1;
}

void flipPolarity(TWeichePart& part) {
    part.verpolt = static_cast<std::int16_t>(1 - part.verpolt);
}

TEST(BundledProjects, CalculateWithoutErrorsToFiniteResults) {
    const std::vector<std::string> names = exampleProjectNames();
    EXPECT_GE(names.size(), 6u);
    for (const std::string& name : names) {
        SCOPED_TRACE(name);
        auto p = test::LoadExample(name);
        auto engine = calculated(*p, name);
        const TResult& r = engine->Result();
        ASSERT_GE(r.nFreq, MinGridPoints);
        for (int k = 0; k < r.nFreq; ++k) {
            for (int n = 0; n < Directions; ++n) {
                ASSERT_TRUE(finite(r.SpeakerDir[k][n])) << "k " << k << " direction " << n;
            }
            for (int a = 0; a < p->nAmps; ++a) {
                ASSERT_TRUE(finite(r.AmpZ[a][k]) && CAbs(r.AmpZ[a][k]) > 0.5) << "amp " << a;
            }
            for (int d = 0; d < p->nChassis; ++d) {
                ASSERT_TRUE(finite(r.ChassisZ[d][k]) && finite(r.ChassisU[d][k])) << d;
                ASSERT_GT(r.ChassisZ[d][k].Re, 0.0) << "driver " << d; // a passive load
            }
            ASSERT_TRUE(std::isfinite(r.Umax[k]) && r.Umax[k] > 0);
            ASSERT_TRUE(std::isfinite(r.Directivity[k]) && r.Directivity[k] > 0);
        }
        for (int d = 0; d < p->nChassis; ++d) {
            EXPECT_GE(r.AmpOfChassis[d], 0) << "driver " << d << " is driven";
        }
        EXPECT_TRUE(std::isfinite(engine->Judgement().J[12]));
    }
}

TEST(BundledProjects, SpeakersForTheWholeRangeJudgeModerately) {
    for (const char* name :
         {"Default.TVP", "Closed 3-way.TVP", "Bi-amped 2-way.TVP", "Bench 8x6.TVP"}) {
        auto p = test::LoadExample(name);
        auto engine = calculated(*p, name);
        const auto& J = engine->Judgement().J;
        EXPECT_GT(J[12], 0) << name;
        EXPECT_LT(J[12], 20) << name;
        EXPECT_LT(J[0], 1) << name << ": no amplifier sees less than the minimum impedance";
    }
}

TEST(DefaultProject, PlaysAtAFewWattsLevelFromTheBassToTheTreble) {
    auto p = test::LoadExample("Default.TVP");
    auto engine = calculated(*p, "Default");
    const TResult& r = engine->Result();
    const auto [lo, hi] = onAxisRange(r, 100, 15000);
    EXPECT_GT(lo, 82);
    EXPECT_LT(hi, 92);
    EXPECT_LT(hi - lo, 7);
    // Below the port tuning the vented box falls off steeply.
    EXPECT_LT(onAxisDb(r, indexNear(r, 25)), lo - 15);
    // Excursion and power allow tens of volts in the passband, far fewer deep below fb.
    EXPECT_GT(r.Umax[indexNear(r, 1000)], 10);
    EXPECT_LT(r.Umax[indexNear(r, 20)], r.Umax[indexNear(r, 1000)]);
}

TEST(DefaultProject, TheReversedTweeterIsWhatAvoidsANotchAtTheCrossover) {
    auto p = test::LoadExample("Default.TVP");
    auto engine = calculated(*p, "Default");
    const auto original = std::make_unique<TResult>(engine->Result());
    const double passband = onAxisDb(*original, indexNear(*original, 400));
    EXPECT_GT(onAxisRange(*original, 1500, 4000).first, passband - 3)
        << "no hole with the tweeter reversed";

    const int slot = driverSlotOf(p->Amps[0].Weiche, 1);
    ASSERT_GE(slot, 0);
    ASSERT_TRUE(IsReversed(p->Amps[0].Weiche[slot]));
    flipPolarity(p->Amps[0].Weiche[slot]);
    engine->CalculateAll(*p, /*full=*/false); // only the network and speaker jobs rerun
    expectNoJobErrors(*engine, *p, "flipped");
    const TResult& flipped = engine->Result();

    double deepest = 0, notchAt = 0;
    for (int k = 0; k < flipped.nFreq; ++k) {
        const double loss = onAxisDb(*original, k) - onAxisDb(flipped, k);
        if (loss > deepest) {
            deepest = loss;
            notchAt = flipped.Freq[k];
        }
    }
    EXPECT_GT(deepest, 10) << "both drivers in the same polarity cancel each other";
    EXPECT_GT(notchAt, 1800);
    EXPECT_LT(notchAt, 3500);
    // Far from the crossover one driver plays alone; its polarity changes no level.
    for (double f : {150.0, 12000.0}) {
        const int k = indexNear(flipped, f);
        EXPECT_NEAR(onAxisDb(flipped, k), onAxisDb(*original, k), 1.0) << f;
    }

    const auto full = calculated(*p, "flipped, full");
    EXPECT_TRUE(full->Result().SpeakerDir == flipped.SpeakerDir)
        << "the incremental pass gives what a full calculation gives";
    EXPECT_TRUE(full->Result().AmpZ == flipped.AmpZ);
}

TEST(DefaultProject, VentedWooferImpedanceHasTwoPeaksAroundThePortTuning) {
    auto p = test::LoadExample("Default.TVP");
    p->Option.fMin = 10; // the lower peak lies close to the default grid's 20 Hz
    BuildGrid(*p);
    auto engine = calculated(*p, "Default from 10 Hz");
    const TResult& r = engine->Result();
    const double fb = p->Einbau[0].fb;
    std::vector<int> peaks, dips;
    for (int k = 1; k + 1 < r.nFreq && r.Freq[k] < 1000; ++k) {
        const double z = CAbs(r.ChassisZ[0][k]);
        if (z > CAbs(r.ChassisZ[0][k - 1]) && z > CAbs(r.ChassisZ[0][k + 1])) {
            peaks.push_back(k);
        } else if (z < CAbs(r.ChassisZ[0][k - 1]) && z < CAbs(r.ChassisZ[0][k + 1])) {
            dips.push_back(k);
        }
    }
    ASSERT_EQ(peaks.size(), 2u);
    ASSERT_EQ(dips.size(), 2u); // between the peaks, and the minimum above resonance
    EXPECT_LT(r.Freq[peaks[0]], fb);
    EXPECT_GT(r.Freq[peaks[1]], fb);
    EXPECT_NEAR(r.Freq[dips[0]], fb, 0.25 * fb);
    EXPECT_GT(CAbs(r.ChassisZ[0][peaks[0]]), 1.5 * CAbs(r.ChassisZ[0][dips[0]]));
    EXPECT_GT(CAbs(r.ChassisZ[0][peaks[1]]), 1.5 * CAbs(r.ChassisZ[0][dips[0]]));
    // The lossy voice coil lifts the impedance well above Re in the treble.
    EXPECT_GT(CAbs(r.ChassisZ[0][indexNear(r, 10000)]), 2.5 * p->Chassis[0].Re);
    EXPECT_NEAR(CAbs(r.ChassisZ[0][dips[1]]), p->Chassis[0].Re, 0.25 * p->Chassis[0].Re);
}

TEST(BundledProjects, DirectivityRisesTowardsTheTreble) {
    for (const char* name : {"Default.TVP", "Closed 3-way.TVP", "Bench 8x6.TVP"}) {
        auto p = test::LoadExample(name);
        auto engine = calculated(*p, name);
        const TResult& r = engine->Result();
        const double low = r.Directivity[indexNear(r, 100)];
        EXPECT_NEAR(low, 1.0, 0.3) << name << ": a box radiates nearly all round in the bass";
        EXPECT_GT(r.Directivity[indexNear(r, 10000)], 2.5 * low) << name;
    }
}

TEST(BiAmpedProject, ActiveLinkwitzRileyFiltersSumToAnAllPass) {
    auto p = test::LoadExample("Bi-amped 2-way.TVP");
    auto engine = calculated(*p, "Bi-amped");
    const TResult& r = engine->Result();
    const double tweeterLevel = p->Amps[1].AktFilter.Pegel;
    for (int k = 0; k < r.nFreq; ++k) {
        const TComplex lowPass = r.AktFilterH[0][k];
        const TComplex highPass = CScale(r.AktFilterH[1][k], 1 / tweeterLevel);
        EXPECT_NEAR(CAbs(CAdd(lowPass, highPass)), 1.0, 1e-4) << r.Freq[k]; // Q is 0.7071
    }
    const int kc = indexNear(r, 2000);
    EXPECT_NEAR(CAbs(r.AktFilterH[0][kc]), 0.5, 0.02); // −6 dB at the crossover
    EXPECT_LT(CAbs(r.AktFilterH[0][indexNear(r, 4000)]), 0.07);

    const auto [lo, hi] = onAxisRange(r, 150, 15000);
    EXPECT_GT(lo, 80);
    EXPECT_LT(hi - lo, 7);
}

/// Time (s) at which driver d's step response first reaches half its largest value.
double halfStepTime(const TResult& r, int d) {
    const auto& step = r.Step[d + 1];
    const double peak = *std::max_element(step.begin(), step.end());
    int i = 0;
    while (i < TimeSamples && step[i] < peak / 2) {
        ++i;
    }
    return TimeStart + i / TimeSampleRate;
}

TEST(ActiveTwoWayProject, DigitalChannelsAlignAndADelayShiftsTheStep) {
    auto p = test::LoadExample("Active 2-way.TVP");
    auto engine = calculated(*p, "Active");
    const TResult& r = engine->Result();
    // The bilinear transform puts the low pass's zeros at 24 kHz: at 20 kHz the digital
    // channel lies far below the analog one.
    const double analog = CAbs(AktFilterResponse(p->Amps[0].AktFilter, r.Freq[r.nFreq - 1]));
    EXPECT_LT(CAbs(r.AktFilterH[0][r.nFreq - 1]), 0.1 * analog);
    const auto [lo, hi] = onAxisRange(r, 150, 15000);
    EXPECT_LT(hi - lo, 7);
    const double before = halfStepTime(r, 1);
    p->Amps[1].AktFilter.Delay += 0.001;
    engine->CalculateAll(*p, false);
    EXPECT_NEAR(halfStepTime(engine->Result(), 1) - before, 0.001, 1.5 / TimeSampleRate);
}

TEST(ClosedThreeWayProject, FreeWiresCarryTheMidAndTweeterReturnCurrent) {
    auto p = test::LoadExample("Closed 3-way.TVP");
    auto engine = calculated(*p, "3-way");
    const TResult& r = engine->Result();
    const int kMid = indexNear(r, 800), kHigh = indexNear(r, 8000);
    EXPECT_GT(CAbs(r.ChassisU[1][kMid]), 0.3);
    EXPECT_GT(CAbs(r.ChassisU[2][kHigh]), 0.2);
    const double highLevel = onAxisDb(r, kHigh);

    int freeWires = 0;
    for (int s = WeicheFirstFreeWire; s < WeicheSlots; ++s) {
        if (p->Amps[0].Weiche[s].typ == PartWire) {
            p->Amps[0].Weiche[s].typ = PartNone;
            ++freeWires;
        }
    }
    ASSERT_EQ(freeWires, 2);
    engine->CalculateAll(*p, false);
    expectNoJobErrors(*engine, *p, "without free wires");
    const TResult& cut = engine->Result();
    EXPECT_LT(CAbs(cut.ChassisU[1][kMid]), 1e-6);
    EXPECT_LT(CAbs(cut.ChassisU[2][kHigh]), 1e-6);
    EXPECT_LT(onAxisDb(cut, kHigh), highLevel - 30);
    EXPECT_GT(CAbs(cut.ChassisU[0][indexNear(cut, 100)]), 0.5) << "the bass branch is intact";
}

/// Frequency of the loudest on-axis point and the band around it within 3 dB.
struct Band {
    double peak = 0, lower = 0, upper = 0;
};

Band passBand(const TResult& r) {
    int kPeak = 0;
    for (int k = 0; k < r.nFreq; ++k) {
        kPeak = onAxisDb(r, k) > onAxisDb(r, kPeak) ? k : kPeak;
    }
    const double limit = onAxisDb(r, kPeak) - 3;
    int lo = kPeak, hi = kPeak;
    while (lo > 0 && onAxisDb(r, lo - 1) > limit) {
        --lo;
    }
    while (hi + 1 < r.nFreq && onAxisDb(r, hi + 1) > limit) {
        ++hi;
    }
    return {r.Freq[kPeak], r.Freq[lo], r.Freq[hi]};
}

TEST(BandpassProjects, PlayOnlyInTheBandBetweenTheirChamberTunings) {
    for (const char* name : {"Bandpass subwoofer.TVP", "Bivented bandpass subwoofer.TVP"}) {
        auto p = test::LoadExample(name);
        auto engine = calculated(*p, name);
        const TResult& r = engine->Result();
        const Band band = passBand(r);
        EXPECT_GT(band.lower, 25) << name;
        EXPECT_LT(band.upper, 130) << name;
        EXPECT_GT(band.peak, band.lower);
        const double peakDb = onAxisDb(r, indexNear(r, band.peak));
        EXPECT_LT(onAxisDb(r, indexNear(r, band.lower / 2)), peakDb - 10) << name;
        EXPECT_LT(onAxisDb(r, indexNear(r, band.upper * 2)), peakDb - 10) << name;
        EXPECT_GT(peakDb, 80) << name;
    }
}

TEST(BandpassProjects, OnlyTheBiventedBoxHasASecondPort) {
    auto closedRear = test::LoadExample("Bandpass subwoofer.TVP");
    auto ventedRear = test::LoadExample("Bivented bandpass subwoofer.TVP");
    auto closedEngine = calculated(*closedRear, "bandpass");
    auto ventedEngine = calculated(*ventedRear, "bivented");
    const TResult& a = closedEngine->Result();
    const TResult& b = ventedEngine->Result();
    const int ka = indexNear(a, closedRear->Einbau[0].fbf);
    const int kb = indexNear(b, ventedRear->Einbau[0].fb);
    EXPECT_LT(CAbs(a.DirRear[0][ka][0]), 1e-50);
    // At the rear chamber's tuning its port carries a good part of the sound.
    EXPECT_GT(CAbs(b.DirRear[0][kb][0]), 0.1 * CAbs(b.DirFront[0][kb][0]));
}

TEST(BenchProject, EightDriversOnSixAmplifiersMakeOneFlatSpeaker) {
    auto p = test::LoadExample("Bench 8x6.TVP");
    EXPECT_EQ(p->nChassis, 8);
    EXPECT_EQ(p->nAmps, 6);
    auto engine = calculated(*p, "Bench");
    const TResult& r = engine->Result();
    const std::array<int, 8> amps{0, 1, 2, 2, 3, 4, 5, 5};
    for (int d = 0; d < 8; ++d) {
        EXPECT_EQ(r.AmpOfChassis[d], amps[static_cast<std::size_t>(d)]) << "driver " << d;
    }
    const auto [lo, hi] = onAxisRange(r, 40, 18000);
    EXPECT_GT(lo, 80);
    EXPECT_LT(hi - lo, 8);
}

} // namespace
} // namespace tavrel
