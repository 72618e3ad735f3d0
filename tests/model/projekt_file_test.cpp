#include "model/chassis_file.h"
#include "model/projekt_file.h"
#include "model/projekt_sections.h"
#include "model_test_support.h"

#include <cmath>
#include <gtest/gtest.h>

namespace tavrel {
namespace {

using test::PlainStore;

constexpr double FilePi = 3.1415926;

std::unique_ptr<TProjekt> freshProjekt() {
    auto p = std::make_unique<TProjekt>();
    test::ScratchDir dir{"model"};
    EXPECT_TRUE(ReadProjekt(*p, dir.file("missing.TVP")).ok);
    return p;
}

std::unique_ptr<TProjekt> readText(const std::string& body, FileReadResult* result = nullptr) {
    auto p = freshProjekt();
    TMyIniFile store = PlainStore(body);
    const FileReadResult r = ReadProjektStore(*p, store);
    if (result != nullptr) {
        *result = r;
    } else {
        EXPECT_TRUE(r.ok) << r.message;
    }
    return p;
}

std::unique_ptr<TProjekt> readVersion(int version, const std::string& body) {
    return readText("#Header\r\nVersion=" + std::to_string(version) + "\r\n" + body);
}

TEST(ProjektFile, MissingFileGivesAFreshProject) {
    auto p = freshProjekt();
    EXPECT_EQ(p->nAmps, 1);
    EXPECT_EQ(p->nChassis, 1);
    EXPECT_EQ(p->Comment1.view(), "");
    EXPECT_EQ(p->Comment2.view(), "<d>");
    EXPECT_EQ(p->Option.fMin, 20);
    EXPECT_EQ(p->Option.fMax, 20000);
    EXPECT_EQ(p->Option.sz, 126);
    EXPECT_EQ(p->f[0], 20);
    EXPECT_NEAR(p->f[125], 20000, 1e-9);
    EXPECT_EQ(p->f[126], 0.0);
    EXPECT_EQ(p->Option.glatt_a, 0.24);
    EXPECT_EQ(p->Option.glatt_i, 0.18);
    EXPECT_EQ(p->Option.ColorSetAmps[2], Rgb(255, 0, 255));
    EXPECT_EQ(p->Option.ColorSetChassis[1], Rgb(0, 0, 255));
    for (const TAmp& amp : p->Amps) {
        EXPECT_EQ(amp.AktFilter, TAktFilter{});
        EXPECT_FALSE(amp.AktFilter.HP6 || amp.AktFilter.HP121 || amp.AktFilter.HP122 ||
                     amp.AktFilter.TP6 || amp.AktFilter.TP121 || amp.AktFilter.TP122);
        EXPECT_EQ(amp.AktFilter.TP122f, 100.0);
        EXPECT_EQ(amp.AktFilter.HP121q, 0.7);
        for (int s = 0; s < WeicheSlots; ++s) {
            EXPECT_EQ(amp.Weiche[s].typ, 0);
        }
        EXPECT_EQ(amp.Weiche[95].nod1, 5);
        EXPECT_EQ(amp.Weiche[95].nod2, 16);
        EXPECT_EQ(amp.Weiche[180].nod1, 0);
        EXPECT_EQ(amp.Weiche[180].nod2, 0);
    }
    for (int d = 0; d < MaxChassis; ++d) {
        const TChassis& c = p->Chassis[d];
        EXPECT_EQ(c.fgang_which, 5);
        EXPECT_EQ(c.Re2, 0.001);
        EXPECT_EQ(c.Re3, 0.001);
        EXPECT_EQ(c.Le2, 0.000001);
        EXPECT_EQ(c.Le3, 0.000001);
        EXPECT_EQ(c.Filters, 119);
        EXPECT_EQ(c.pubdate.view(), "01.01.2000");
        EXPECT_TRUE(c.useFgangA2fs == false && c.fs == 0 && c.Name.empty());
    }
    EXPECT_EQ(p->Einbau[0].Typ, 0);
    EXPECT_EQ(p->Einbau[0], TEinbau{});
    EXPECT_EQ(p->Schallwand[0], TSchallwand{});
    EXPECT_TRUE(p->Schallwand[0].usegemgeh);
    EXPECT_TRUE(p->Schallwand[0].beugl && p->Schallwand[0].beugr && p->Schallwand[0].beugo &&
                p->Schallwand[0].beugu);
}

TEST(ProjektFile, WriteThenReadKeepsEveryFieldForeignFilesReadAsDefaultsBadPathsFail) {
    test::ScratchDir dir{"model"};
    auto p = test::FullProjekt();
    ASSERT_TRUE(WriteProjekt(*p, dir.file("full.TVP"), true).ok);
    auto back = freshProjekt();
    const FileReadResult r = ReadProjekt(*back, dir.file("full.TVP"));
    ASSERT_TRUE(r.ok) << r.message;
    EXPECT_EQ(r.version, 1200);
    // Not stored: the saved flag and the ninth driver slot.
    back->Chassis[8] = p->Chassis[8];
    back->Einbau[8] = p->Einbau[8];
    back->Schallwand[8] = p->Schallwand[8];
    EXPECT_EQ(back->Option, p->Option);
    EXPECT_EQ(back->f, p->f);
    for (int a = 0; a < MaxAmps; ++a) {
        EXPECT_EQ(back->Amps[a], p->Amps[a]) << "amplifier " << a;
    }
    for (int d = 0; d < MaxChassis; ++d) {
        EXPECT_EQ(back->Chassis[d], p->Chassis[d]) << "driver " << d;
        EXPECT_EQ(back->Einbau[d], p->Einbau[d]) << "driver " << d;
        EXPECT_EQ(back->Schallwand[d], p->Schallwand[d]) << "driver " << d;
    }
    EXPECT_EQ(back->Chassis[3].typ, -5);
    EXPECT_EQ(*back, *p);

    test::WriteWholeFile(dir.file("x.TVP"), "not a store\r\n#General\r\nnAmps=3\r\n");
    const FileReadResult foreign = ReadProjekt(*p, dir.file("x.TVP"));
    EXPECT_TRUE(foreign.ok); // a foreign file reads as the defaults
    EXPECT_TRUE(foreign.wrongHeader);
    EXPECT_EQ(p->nAmps, 1);
    const FileWriteResult w = WriteProjekt(*p, dir.file("missing/dir/x.TVP"), true);
    EXPECT_FALSE(w.ok);
    EXPECT_FALSE(w.error.empty());
}

TEST(ProjektFile, GridSettingsOutOfRangeAreReplaced) {
    auto p = readVersion(1200, "#Option\r\nsz=300\r\n"); // a grid the properties allow
    EXPECT_EQ(p->Option.sz, 300);
    EXPECT_EQ(p->f[300], 0.0);
    p = readVersion(1200, "#Option\r\nsz=600\r\n");
    EXPECT_EQ(p->Option.sz, 84);
    EXPECT_EQ(p->f[84], 0.0);
    p = readVersion(1200, "#Option\r\nfMin=5\r\nfMax=15000\r\n");
    EXPECT_EQ(p->Option.fMin, 20);
    EXPECT_EQ(p->Option.fMax, 20000);
}

TEST(ProjektFile, ShortColourListReplacesOnlyItsItems) {
    auto p = readVersion(1200, "#Option\r\nColorSetChassis=1;2;3\r\n");
    EXPECT_EQ(p->Option.ColorSetChassis[0], 1u);
    EXPECT_EQ(p->Option.ColorSetChassis[2], 3u);
    EXPECT_EQ(p->Option.ColorSetChassis[3], Rgb(255, 0, 0));
}

TEST(ProjektFile, OldVersionsDeriveSmoothingFromTheGrid) {
    auto p = readVersion(1007, "#Option\r\nfMin=20\r\nfMax=20000\r\nsz=100\r\nglatt_a=0,5\r\n");
    EXPECT_DOUBLE_EQ(p->Option.glatt_a, 3.0 / 100 * 7);
    EXPECT_DOUBLE_EQ(p->Option.glatt_i, 3.0 / 100 * 7);
    p = readVersion(1008, "#Option\r\nglatt_a=0,5\r\n");
    EXPECT_EQ(p->Option.glatt_a, 0.5);
}

TEST(ProjektFile, ProgramWideOptionsReplaceTheBlockButNotTheGrid) {
    TOptionBlock wide;
    wide.fMin = 100;
    wide.fMax = 10000;
    wide.sz = 50;
    wide.dBMin = 1;
    auto p = freshProjekt();
    TMyIniFile store = PlainStore("#Header\r\nVersion=1200\r\n#Option\r\nsz=20\r\n");
    ASSERT_TRUE(ReadProjektStore(*p, store, &wide).ok);
    EXPECT_EQ(p->Option, wide);
    EXPECT_EQ(p->f[0], 20);
    EXPECT_EQ(p->f[20], 0.0); // built from the file's 20 points
}

TEST(ProjektFile, OldPhaseFormatsAreConverted) {
    const std::string keys =
        "#Chassis1\r\nFgangAPF=100\r\nFgangAP=1\r\nFgangIPF=100\r\nFgangIP=1\r\n";
    auto v1003 = readVersion(1003, keys);
    EXPECT_DOUBLE_EQ(v1003->Chassis[0].FgangAP[0], 1 + FilePi - 6.283185306);
    EXPECT_DOUBLE_EQ(v1003->Chassis[0].FgangIP[0], 1.0);
    auto v1004 = readVersion(1004, keys);
    EXPECT_DOUBLE_EQ(v1004->Chassis[0].FgangAP[0], FilePi / 180 + FilePi - 6.283185306);
    auto v1005 = readVersion(1005, keys);
    EXPECT_DOUBLE_EQ(v1005->Chassis[0].FgangAP[0], FilePi / 180);
    EXPECT_DOUBLE_EQ(v1005->Chassis[0].FgangIP[0], FilePi / 180);
}

TEST(ProjektFile, DriverVersionRulesUseTheProjectThresholds) {
    EXPECT_EQ(readVersion(1003, "#Chassis1\r\nfgang_which=2\r\n")->Chassis[0].fgang_which, 3);
    EXPECT_EQ(readVersion(1003, "")->Chassis[0].fgang_which, 5);
    EXPECT_EQ(readVersion(1005, "#Chassis1\r\nfgang_which=7\r\n")->Chassis[0].fgang_which, 4);
    EXPECT_EQ(readVersion(1006, "#Chassis1\r\nfgang_which=7\r\n")->Chassis[0].fgang_which, 7);
    // No bit rule on typ in projects.
    EXPECT_EQ(readVersion(1003, "#Chassis1\r\ntyp=65536\r\n")->Chassis[0].typ, 65536);
    EXPECT_TRUE(readVersion(1199, "#Chassis1\r\nhintengeschl=0\r\n")->Chassis[0].useFgangA2fs);
    EXPECT_FALSE(readVersion(1000, "")->Schallwand[0].usegemgeh);
}

TEST(ProjektFile, NetworkSlotsReadWithTheirDefaults) {
    auto p = readVersion(1200, "#Weiche1\r\n_Part3_typ=3\r\n_Part4_typ=4\r\n_Part4_value=0,5\r\n"
                               "_Part5_typ=2\r\n_Part5_Rvalue=9\r\n_Part5_verpolt=3\r\n");
    const TWeiche& w = p->Amps[0].Weiche;
    EXPECT_EQ(w[2].typ, PartCapacitor);
    EXPECT_EQ(w[2].value, 1.0);
    EXPECT_EQ(w[3].value, 0.5);
    EXPECT_EQ(w[3].Rvalue, 0.0);
    EXPECT_EQ(w[4].Rvalue, 0.0); // only inductances carry a winding resistance
    EXPECT_EQ(w[4].verpolt, 0);  // only drivers and amp outputs carry a polarity
}

TEST(ProjektFile, FreeWireNodesAreKeptOnlyForWires) {
    auto p = readVersion(1200, "#Weiche1\r\n_Part179_typ=1\r\n_Part179_nod1=7\r\n"
                               "_Part179_nod2=42\r\n_Part180_typ=3\r\n_Part180_nod1=7\r\n"
                               "_Part180_nod2=8\r\n_Part12_typ=1\r\n_Part12_nod1=50\r\n"
                               "_Part12_nod2=60\r\n");
    const TWeiche& w = p->Amps[0].Weiche;
    EXPECT_EQ(w[178].nod1, 7);
    EXPECT_EQ(w[178].nod2, 42);
    EXPECT_EQ(w[179].typ, PartNone); // a free wire is a wire or nothing
    EXPECT_EQ(w[179].nod1, 0);
    EXPECT_EQ(w[179].nod2, 0);
    EXPECT_EQ(w[11].nod1, 12); // grid slots keep their positional nodes
    EXPECT_EQ(w[11].nod2, 13);
}

TEST(ProjektFile, TwoAmplifiersWriteNoThirdAmplifier) {
    auto p = test::FullProjekt();
    p->nAmps = 2;
    TMyIniFile store("", false, true, false);
    WriteProjektStore(*p, store);
    for (const TSection& section : store.Sections()) {
        EXPECT_NE(section.Name, "AktFilter3");
        EXPECT_NE(section.Name, "Weiche3");
    }
    auto back = freshProjekt();
    ASSERT_TRUE(ReadProjektStore(*back, store).ok);
    EXPECT_EQ(back->Amps[1], p->Amps[1]);
    for (int a = 2; a < MaxAmps; ++a) {
        EXPECT_EQ(back->Amps[a].AktFilter, TAktFilter{});
        EXPECT_EQ(back->Amps[a].Weiche[0].typ, 0);
    }
}

TEST(ProjektFile, EnclosureReadsOnlyTheGroupInUse) {
    auto p = freshProjekt();
    p->Einbau[0].vV = 3;
    p->Einbau[0].Bedv = 4;
    TMyIniFile store = PlainStore("#Header\r\nVersion=1200\r\n#Einbau1\r\nmbQExpl=1\r\nvV=2\r\n"
                                  "Bedv=1\r\n");
    ASSERT_TRUE(ReadProjektStore(*p, store).ok);
    EXPECT_EQ(p->Einbau[0].vV, 2);
    EXPECT_EQ(p->Einbau[0].Bedv, 4);
}

TEST(ProjektFile, PortAreasAreWrittenOnlyWhenKnownAndReadBackAsUnknownWhenInvalid) {
    auto p = freshProjekt();
    p->Einbau[0].Aportf = 0.0038;
    TMyIniFile written("", false, true, false);
    WriteProjektStore(*p, written);
    const std::string text = written.ToBytes();
    EXPECT_EQ(text.find("Aport="), std::string::npos);
    EXPECT_NE(text.find("Bedkf=\t0\r\nAportf=\t0,0038\r\n"), std::string::npos); // last keys
    auto back = readText("#Header\r\nVersion=1200\r\n#Einbau1\r\nAport=-1\r\nAportf=x\r\n");
    EXPECT_EQ(back->Einbau[0].Aport, 0);
    EXPECT_EQ(back->Einbau[0].Aportf, 0);
}

TEST(ProjektFile, DspKeysFollowTheSixSectionsOnlyWhenSetAndBadValuesReadAsDefaults) {
    auto p = freshProjekt();
    p->DSPRate = 44100;
    p->Amps[0].AktFilter.Delay = 0.0015;
    p->Amps[0].AktFilter.EQ[1] = {DspNotch, false, 50, 9, 4, 7, 7}; // g, f2, q2 unused
    TMyIniFile written("", false, true, false);
    WriteProjektStore(*p, written);
    const std::string text = written.ToBytes();
    EXPECT_NE(text.find("Comment2=\t<d>\r\nDSPRate=\t44100\r\n#Option"), std::string::npos);
    EXPECT_NE(text.find("TP122q=\t0,7\r\nDelay=\t0,0015\r\nEQ2typ=\t4\r\nEQ2on=\t0\r\n"
                        "EQ2f=\t50\r\nEQ2q=\t4\r\n#Chassis1"),
              std::string::npos);
    auto back = readText("#Header\r\nVersion=1200\r\n#General\r\nDSPRate=22050\r\n#AktFilter1\r\n"
                         "EQ1typ=12\r\nEQ1f=5\r\nEQ2typ=7\r\nEQ2f2=30\r\nEQ2g=3\r\n");
    EXPECT_EQ(back->DSPRate, 0);
    EXPECT_EQ(back->Amps[0].AktFilter.EQ[0], TDspSection{});
    const TDspSection expected{DspLinkwitz, true, 1000, 0, 0.7071, 30};
    EXPECT_EQ(back->Amps[0].AktFilter.EQ[1], expected);
}

TEST(ProjektFile, OutOfRangeNumbersAreClampedIntoTheArrays) {
    auto p = readVersion(1200, "#General\r\nnAmps=9\r\nnChassis=-2\r\n#Weiche6\r\n"
                               "_Part1_typ=5\r\n_Part1_chassisnr=20\r\n_Part2_typ=5\r\n"
                               "_Part2_chassisnr=-3\r\n_Part3_typ=9\r\n_Part4_typ=-1\r\n"
                               "_Part179_typ=1\r\n_Part179_nod1=99\r\n_Part179_nod2=-4\r\n"
                               "_Part1_verpolt=70000\r\n#Einbau1\r\nTyp=12\r\nBedv=9\r\n"
                               "#Schallwand1\r\ndirection=-1\r\n");
    EXPECT_EQ(p->nAmps, 6);
    EXPECT_EQ(p->nChassis, 1);
    const TWeiche& w = p->Amps[5].Weiche;
    EXPECT_EQ(w[0].chassisnr, MaxChassisNr);
    EXPECT_EQ(w[0].verpolt, 32767);
    EXPECT_EQ(w[1].chassisnr, 0);
    EXPECT_EQ(w[2].typ, PartNone);
    EXPECT_EQ(w[3].typ, PartNone);
    EXPECT_EQ(w[178].nod1, 98);
    EXPECT_EQ(w[178].nod2, 0);
    EXPECT_EQ(p->Einbau[0].Typ, EinbauPassiveRadiator);
    EXPECT_EQ(p->Einbau[0].Bedv, 4);
    EXPECT_EQ(p->Schallwand[0].direction, 0);
    EXPECT_EQ(readVersion(1200, "#General\r\nnAmps=0\r\nnChassis=30\r\n")->nChassis, 8);
}

TEST(ProjektFile, WrongVersionsLeaveTheRecordUnchanged) {
    for (int version : {0, 999, 1201}) {
        auto p = test::FullProjekt();
        const auto before = std::make_unique<TProjekt>(*p);
        TMyIniFile store = PlainStore("#Header\r\nVersion=" + std::to_string(version) +
                                      "\r\n#General\r\nnAmps=3\r\n");
        const FileReadResult r = ReadProjektStore(*p, store);
        EXPECT_FALSE(r.ok);
        EXPECT_EQ(r.message, "File has wrong format..");
        EXPECT_EQ(*p, *before);
    }
    // A file with keys but no version is rejected too.
    FileReadResult r;
    readText("#General\r\nnAmps=3\r\n", &r);
    EXPECT_FALSE(r.ok);
}

TEST(ProjektFile, OldestVersionFitsOnlyDriversInUse) {
    std::string body = "#General\r\nnChassis=1\r\n";
    std::string freq, imp;
    for (int i = 0; i < 30; ++i) {
        freq += std::to_string(60 + 100 * i) + ";";
        imp += std::to_string(8 + i / 5) + ";";
    }
    for (int d = 1; d <= 2; ++d) {
        body += "#Chassis" + std::to_string(d) + "\r\nfs=40\r\nQes=0,4\r\nQms=4\r\nRe=6\r\n" +
                "Re2=77\r\nFgangIF=" + freq + "\r\nFgangI=" + imp + "\r\n";
    }
    auto p = readVersion(1000, body);
    EXPECT_NE(p->Chassis[0].Re2, 77.0);
    EXPECT_DOUBLE_EQ(p->Chassis[0].Rms, 60.0);
    EXPECT_EQ(p->Chassis[1].Re2, 77.0);
    EXPECT_EQ(p->Chassis[1].Rms, 0.0);
}

/// Either store form, as written by the program or kept as text under version control.
class BothStoreForms : public ::testing::TestWithParam<bool> {};

TEST_P(BothStoreForms, ProjectAndDriverFilesAreReadByContentAndReportTheirForm) {
    test::ScratchDir dir{"model"};
    const bool coded = GetParam();
    auto p = test::FullProjekt();
    ASSERT_TRUE(WriteProjekt(*p, dir.file("p.TVP"), coded).ok);
    EXPECT_EQ(test::ReadWholeFile(dir.file("p.TVP")).starts_with("## MyIniFile"), !coded);
    auto back = freshProjekt();
    const FileReadResult project = ReadProjekt(*back, dir.file("p.TVP"));
    ASSERT_TRUE(project.ok);
    EXPECT_FALSE(project.wrongHeader);
    EXPECT_EQ(project.coded, coded);
    EXPECT_EQ(back->Amps, p->Amps);
    EXPECT_EQ(back->Chassis[2], p->Chassis[2]);
    ASSERT_EQ(p->Einbau[5].Typ, EinbauPassiveRadiator);
    EXPECT_EQ(back->Einbau[5], p->Einbau[5]);

    auto d = test::FullDriver(3);
    ASSERT_TRUE(SaveChassisFile(*d, dir.file("d.TVC"), coded).ok);
    auto driver = std::make_unique<TChassis>();
    const FileReadResult read = LoadChassisFile(*driver, dir.file("d.TVC"));
    ASSERT_TRUE(read.ok);
    EXPECT_EQ(read.coded, coded);
    EXPECT_EQ(driver->Name, d->Name);
    EXPECT_EQ(driver->FgangIP, d->FgangIP);
}

INSTANTIATE_TEST_SUITE_P(CodedAndPlain, BothStoreForms, ::testing::Bool());

} // namespace
} // namespace tavrel
