#include "engine/calc_engine.h"

#include <array>
#include <gtest/gtest.h>
#include <memory>

namespace tavrel {
namespace {

std::unique_ptr<TProjekt> twoDriverProject() {
    auto p = std::make_unique<TProjekt>();
    p->nAmps = 2;
    p->nChassis = 2;
    p->Option.sz = 20;
    BuildGrid(*p);
    for (int d = 0; d < 2; ++d) {
        TChassis& c = p->Chassis[d];
        c.fs = 40 + 1000 * d;
        c.Qes = 0.4;
        c.Qms = 3;
        c.Vas = 0.03 / (1 + 20 * d);
        c.Re = 6;
        c.Le = 0.0005;
        c.Re2 = c.Re3 = 1;
        c.Le2 = c.Le3 = 1e-4;
        c.Amem = 0.013 / (1 + 10 * d);
        c.xlin = 0.004;
        c._PMax = 60;
        c._ZNenn = 8;
        p->Einbau[d].Typ = EinbauIntegrated;
        p->Schallwand[d] = TSchallwand{};
        p->Schallwand[d].b = 0.2;
        p->Schallwand[d].h = 0.4;
        p->Schallwand[d].c = 0.1;
        p->Schallwand[d].a = 0.1 + 0.2 * d;
        p->Schallwand[d].d = 0.1;
    }
    for (int a = 0; a < 2; ++a) {
        TWeiche& w = p->Amps[a].Weiche;
        ResetWeiche(w);
        w[90].typ = PartAmpOutput; // vertical slot between nodes 0 and 11
        w[0].typ = PartCapacitor;  // horizontal slot between nodes 0 and 1
        w[0].value = 10e-6;
        w[91].typ = PartDriver; // vertical slot between nodes 1 and 12
        w[91].chassisnr = static_cast<std::int16_t>(a);
        w[10].typ = PartWire; // horizontal slot between nodes 11 and 12
    }
    return p;
}

class ChangeDetection : public ::testing::Test {
protected:
    void SetUp() override {
        project = twoDriverProject();
        engine.CalculateAll(*project);
        for (const std::string& s : CollectErrors(engine.Status(), *project)) {
            ADD_FAILURE() << s;
        }
    }
    std::vector<std::string> pendingJobs() const {
        std::vector<std::string> names;
        const TCalcStruct& s = engine.Status();
        if (s.Check == "F")
            names.push_back("Check");
        // jobs of slots beyond the counts stay pending and never run
        for (int d = 0; d < project->nChassis; ++d) {
            if (s.Baffle[d] == "F")
                names.push_back("Baffle" + std::to_string(d));
            if (s.Chassis[d] == "F")
                names.push_back("Chassis" + std::to_string(d));
        }
        for (int a = 0; a < project->nAmps; ++a) {
            if (s.AktFilter[a] == "F")
                names.push_back("AktFilter" + std::to_string(a));
            if (s.Weiche[a] == "F")
                names.push_back("Weiche" + std::to_string(a));
        }
        if (s.Speaker == "F")
            names.push_back("Speaker");
        return names;
    }
    std::unique_ptr<TProjekt> project;
    TCalcEngine engine;
};

using Jobs = std::vector<std::string>;

// Results are made from zeroed memory without running their initialisers: a field that
// starts as anything but zero must not slip in unnoticed.
TEST(Results, ZeroedMemoryIsADefaultResult) {
    const std::unique_ptr<TResult> constructed(new TResult{});
    EXPECT_TRUE(*MakeResult() == *constructed);
}

TEST_F(ChangeDetection, UnchangedProjectMarksNothingAndStillFinishes) {
    engine.Accept(*project);
    EXPECT_EQ(engine.JobCount(), 0);
    EXPECT_FALSE(engine.RunNextJob());
    engine.FinishPass();
    EXPECT_EQ(engine.Result().nFreq, 20);
}

TEST_F(ChangeDetection, CapacitorOfSecondAmplifierMarksItsNetworkCheckAndSpeaker) {
    project->Amps[1].Weiche[0].value = 22e-6;
    engine.Accept(*project);
    EXPECT_EQ(pendingJobs(), (Jobs{"Check", "Weiche1", "Speaker"}));
    EXPECT_EQ(engine.JobCount(), 3);
}

TEST_F(ChangeDetection, AcousticCentreDepthMarksBaffleAndOnlyMeasuredDriversChassis) {
    project->Chassis[1].seo = 0.01;
    engine.Accept(*project);
    // the driver record changed too, so its driver job and network follow
    EXPECT_EQ(pendingJobs(), (Jobs{"Baffle1", "Chassis1", "Weiche1", "Speaker"}));
}

TEST_F(ChangeDetection, BafflePositionAloneMarksBaffleAndSpeaker) {
    project->Schallwand[0].vert = 0.05;
    engine.Accept(*project);
    EXPECT_EQ(pendingJobs(), (Jobs{"Baffle0", "Speaker"}));
    project->Schallwand[0].vert = 0.06;
    project->Chassis[0].fgang_which = 5;
    project->Chassis[0].useFgangA = true;
    engine.Accept(*project);
    EXPECT_EQ(pendingJobs(), (Jobs{"Baffle0", "Chassis0", "Weiche0", "Speaker"}));
}

TEST_F(ChangeDetection, EnclosureMarksDriverItsFirstNetworkAndSpeaker) {
    project->Einbau[0].Vb = 0.02;
    engine.Accept(*project);
    EXPECT_EQ(pendingJobs(), (Jobs{"Chassis0", "Weiche0", "Speaker"}));
}

TEST_F(ChangeDetection, ActiveFilterMarksFilterAndSpeaker) {
    project->Amps[0].AktFilter.Pegel = 0.5;
    engine.Accept(*project);
    EXPECT_EQ(pendingJobs(), (Jobs{"AktFilter0", "Speaker"}));
}

TEST_F(ChangeDetection, FullCalculationComputesEveryJobOfTheCounts) {
    engine.MarkAll();
    engine.Accept(*project);
    EXPECT_EQ(engine.JobCount(), 1 + 2 * 2 + 2 * 2 + 1);
}

/// Runs the check job on a project with driver parts at {amplifier, slot, driver number}.
std::string checkDrivers(std::int16_t nAmps, std::int16_t nChassis,
                         std::initializer_list<std::array<int, 3>> parts, TResult& r) {
    auto p = std::make_unique<TProjekt>();
    p->nAmps = nAmps;
    p->nChassis = nChassis;
    for (const auto& [amp, slot, driver] : parts) {
        p->Amps[amp].Weiche[slot].typ = PartDriver;
        p->Amps[amp].Weiche[slot].chassisnr = static_cast<std::int16_t>(driver);
    }
    return RunCheckJob(*p, r);
}

TEST(CheckJob, ReportsDriversUsedTwiceOrOutsideTheDriverCount) {
    auto r = MakeResult();
    EXPECT_EQ(checkDrivers(3, 2, {{0, 5, 0}, {2, 7, 0}}, *r),
              "Error: driver 1 used double in network 1 and 3.");
    EXPECT_EQ(r->AmpOfChassis[0], 0); // the first amplifier keeps it
    EXPECT_EQ(r->AmpOfChassis[1], -1);
    EXPECT_EQ(checkDrivers(1, 1, {{0, 1, 0}, {0, 2, 0}}, *MakeResult()),
              "Error: driver 1 used double in network 1 and 1.");
    EXPECT_EQ(checkDrivers(1, 2, {{0, 3, 3}}, *MakeResult()),
              "Error: driver 4 not usable, if only 2 drivers selected.");
    EXPECT_EQ(checkDrivers(1, 1, {{0, 3, 200}}, *MakeResult()), "Fehler in Chassiskontrolle");
}

TEST(PassTexts, ProgressCommentsAndErrorOrder) {
    EXPECT_EQ(ProgressText(1, 3), "Calculation running: 33,3%");
    EXPECT_EQ(ProgressText(3, 3), "Calculation running: 100%");
    EXPECT_EQ(ExpandDate("Test <d> <d>", "06.12.2026"), "Test 06.12.2026 <d>");
    EXPECT_EQ(ExpandDate(std::string(64, 'x') + "<d>", "06.12.2026"), std::string(64, 'x'));

    TCalcStruct s;
    s.Check = "Ok";
    s.AktFilter = {"a1", "Ok", "a3", "Ok", "Ok", "Ok"};
    s.Weiche = {"w1", "w2", "Ok", "Ok", "Ok", "Ok"};
    s.Baffle = {"b1", "Ok", "b3", "Ok", "Ok", "Ok", "Ok", "Ok", "Ok"};
    s.Chassis = {"c1", "c2", "Ok", "Ok", "Ok", "Ok", "Ok", "Ok", "Ok"};
    s.Speaker = "s";
    auto counts = std::make_unique<TProjekt>();
    counts->nAmps = 2;
    counts->nChassis = 2;
    EXPECT_EQ(CollectErrors(s, *counts), (Jobs{"a1", "w1", "w2", "b1", "c1", "c2", "s"}));
}

TEST(Pass, GridOfTenPointsIsCopiedWithItsTerminator) {
    auto p = twoDriverProject();
    p->Option.sz = 10;
    BuildGrid(*p);
    TCalcEngine engine;
    engine.CalculateAll(*p);
    EXPECT_EQ(engine.Result().nFreq, 10);
    EXPECT_DOUBLE_EQ(engine.Result().Freq[9], 20000.0);
    EXPECT_EQ(engine.Result().Freq[10], 0.0);
    EXPECT_EQ(engine.Result().nAmps, 2);
    EXPECT_EQ(engine.Result().AmpOfChassis[1], 1);
}

} // namespace
} // namespace tavrel
