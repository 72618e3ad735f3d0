// Reading measurement files: the line rules, the header that puts the phase first, thinning,
// the column questions and what an import stores or leaves alone.
#include "driver_editor/measurement_import.h"
#include "support/scratch_dir.h"

#include <cmath>
#include <gtest/gtest.h>
#include <memory>
#include <sstream>

namespace tavrel {
namespace {

const std::string DataDir = std::string(TAVREL_TEST_DATA) + "/measurements/";

MeasurementPoints read(const std::string& text) {
    std::istringstream in(text);
    return ReadMeasurementPoints(in);
}

struct LineCase {
    const char* line;
    bool accepted;
    double f = 0, v1 = 0, v2 = 0;
};

class MeasurementLine : public ::testing::TestWithParam<LineCase> {};

TEST_P(MeasurementLine, IsReadAsTheUserMeantIt) {
    const LineCase& c = GetParam();
    const MeasurementPoints points = read(c.line);
    ASSERT_EQ(points.count(), c.accepted ? 1 : 0);
    if (c.accepted) {
        EXPECT_DOUBLE_EQ(points.f[0], c.f);
        EXPECT_DOUBLE_EQ(points.value1[0], c.v1);
        if (std::isnan(c.v2)) {
            EXPECT_TRUE(std::isnan(points.value2[0])) << "a phase where the file has none";
        } else {
            EXPECT_DOUBLE_EQ(points.value2[0], c.v2);
        }
    }
}

constexpr double NoPhase = MissingValue;

INSTANTIATE_TEST_SUITE_P(
    Lines, MeasurementLine,
    ::testing::Values(
        LineCase{"20 Hz  85,3 dB  -12,5\xB0", true, 20, 85.3, -12.5},
        LineCase{",5 80", true, 0.5, 80, 0},
        LineCase{"1.029    \t6.558    \t2.958    ", true, 1.029, 6.558, 2.958},
        LineCase{"20\t\t80", true, 20, 0, 80}, LineCase{"20\t5.5\tNA", true, 20, 5.5, NoPhase},
        LineCase{"0\t-65.0\t-229.7", false}, LineCase{"0 80 3", false},
        LineCase{"10.000000\tNA\tNA", false}, LineCase{"20 1e999 3", false},
        LineCase{"* 20 80 3", false}, LineCase{"1 2", false}, LineCase{"Freq 20 80", false},
        // A value word is its field's missing value whatever separates it.
        LineCase{"10.000000 NA NA", false}, LineCase{"100 NA -45", false},
        LineCase{"10.233718 8.226395 NA", true, 10.233718, 8.226395, NoPhase},
        LineCase{"20 80 NA 5", true, 20, 80, NoPhase}, LineCase{"20 80 nan", true, 20, 80, NoPhase},
        LineCase{"20 -Inf 5", false}, LineCase{"20;#N/A;5", false},
        // Text after the third value is never read.
        LineCase{"20 80 5 nan", true, 20, 80, 5},
        LineCase{"20 Hz 80 dB 5 deg infinite baffle", true, 20, 80, 5}));

TEST(MeasurementText, ReadsEveryLineEndAndTheLastLineWithoutOne) {
    const MeasurementPoints points = read("10 1 2\r\n20 3 4\r30 5 6\n40 7 8");
    ASSERT_EQ(points.count(), 4);
    EXPECT_DOUBLE_EQ(points.f[3], 40);
    EXPECT_DOUBLE_EQ(points.value2[1], 4);
}

TEST(MeasurementText, SurvivesHugeLinesNulBytesAndTooManyLines) {
    std::string text(1 << 20, '7');
    text += "\n20 \0 80\n";
    text[text.size() - 5] = '\0';
    for (int i = 0; i < 66001; ++i) {
        text += "100 80 1\n";
    }
    const MeasurementPoints points = read(text);
    EXPECT_EQ(points.count(), MaxMeasurementLines);
    EXPECT_DOUBLE_EQ(points.f[0], 20);
}

struct HeaderCase {
    const char* lines; ///< the lines before the data
    const char* data;
    bool phaseFirst;
};

class HeaderLine : public ::testing::TestWithParam<HeaderCase> {};

TEST_P(HeaderLine, SwapsOnlyWhenTheLineBeforeTheDataNamesThePhaseFirst) {
    const MeasurementPoints points =
        read(std::string(GetParam().lines) + "\n" + GetParam().data + "\n");
    ASSERT_EQ(points.count(), 1);
    EXPECT_EQ(points.swappedByHeader, GetParam().phaseFirst);
    EXPECT_DOUBLE_EQ(points.value1[0], GetParam().phaseFirst ? 2 : 1);
}

INSTANTIATE_TEST_SUITE_P(
    Headers, HeaderLine,
    ::testing::Values(
        HeaderCase{"Frequency [Hz]\tImpedance Phase [deg]\tImpedance Magnitude [ohm]", "100 1 2",
                   true},
        HeaderCase{"Frequency [Hz]\tTotal Phase [deg]\tVent 2 SPL [dB]\tTotal SPL 2pi [dB]",
                   "100 1 2 3", true},
        HeaderCase{"Freq;Phase;Magnitude", "100 1 2", true},
        HeaderCase{"* Freq  Phase  SPL", "100 1 2", true},
        HeaderCase{"Frequency [Hz] Total Phase [deg] Total SPL 2pi [dB]", "100 1 2", true},
        HeaderCase{"* Freq(Hz) SPL(dB) Phase(degrees)", "100 1 2", false},
        HeaderCase{"Frequency  Impedance  Phase", "100 1 2", false},
        HeaderCase{"Freq\tPhase\tSPL 30deg", "100 1 2", true},
        HeaderCase{"* FRD data written", "100 1 2", false},
        // Prose, units in parentheses, more or fewer names than values never swap.
        HeaderCase{"* on axis (0 deg), 1 m, 2.83 V, SPL in dB", "100 1 2", false},
        HeaderCase{"Freq\tPhase\tMagnitude\n* on axis (0 deg), 1 m, 2.83 V, SPL in dB", "100 1 2",
                   false},
        HeaderCase{"Freq\t(deg)\t(dB)", "100 1 2", false},
        HeaderCase{"Freq\tPhase\tMagnitude", "100 1 2 3", false},
        HeaderCase{"Freq\tPhase\tMagnitude\n0 5 5", "100 1 2", false}));

TEST(MeasurementText, AMissingValueIsJudgedByTheHeadersOrderNotByPosition) {
    const MeasurementPoints points = read("Freq Phase SPL\n40 12 nan\n30 NA 81\n50 10 85\n");
    ASSERT_EQ(points.count(), 2);
    EXPECT_TRUE(points.swappedByHeader);
    EXPECT_DOUBLE_EQ(points.f[0], 30);
    EXPECT_DOUBLE_EQ(points.value1[0], 81);
    EXPECT_TRUE(std::isnan(points.value2[0]));
    EXPECT_DOUBLE_EQ(points.value2[1], 10);
}

TEST(MeasurementText, AHeaderAfterTheDataDoesNotSwap) {
    EXPECT_FALSE(read("100 1 2\nFrequency\tPhase\tMagnitude\n200 3 4\n").swappedByHeader);
}

TEST(MeasurementThinning, MergesPhasesAcrossTheCut) {
    EXPECT_DOUBLE_EQ(MergePhase(-170, 175), -177.5);
    EXPECT_DOUBLE_EQ(MergePhase(170, -175), 177.5);
    EXPECT_DOUBLE_EQ(MergePhase(-10, 20), 5);
    EXPECT_DOUBLE_EQ(MergePhase(-100, 100), 180);
    EXPECT_DOUBLE_EQ(MergePhase(MissingValue, 20), 20);
    EXPECT_DOUBLE_EQ(MergePhase(-20, MissingValue), -20);
}

MeasurementPoints logPoints(int count) {
    MeasurementPoints points;
    for (int i = 0; i < count; ++i) {
        points.f.push_back(20.0 * std::pow(1000.0, i / (count - 1.0)));
        points.value1.push_back(i);
        points.value2.push_back(0);
    }
    return points;
}

TEST(MeasurementThinning, MergesTheClosestNeighboursFirst) {
    MeasurementPoints points = logPoints(599);
    points.f.insert(points.f.begin() + 101, points.f[100] * 1.001);
    points.value1.insert(points.value1.begin() + 101, 200.0);
    points.value2.insert(points.value2.begin() + 101, 0.0);
    ThinOut(points, 599);
    ASSERT_EQ(points.count(), 599);
    EXPECT_DOUBLE_EQ(points.f[100], 20.0 * std::pow(1000.0, 100 / 598.0) * 1.0005);
    EXPECT_DOUBLE_EQ(points.value1[100], 150.0);
    EXPECT_DOUBLE_EQ(points.value1[101], 101.0);
}

TEST(MeasurementThinning, Leaves1200PointsAt599InOrder) {
    MeasurementPoints points = logPoints(1200);
    ThinOut(points, 599);
    EXPECT_EQ(points.count(), 599);
    EXPECT_DOUBLE_EQ(points.f[0], 20.0);
    for (int i = 1; i < points.count(); ++i) {
        ASSERT_LT(points.f[i - 1], points.f[i]);
    }
}

/// An import whose every question is answered by its default button, unless `answers` says
/// otherwise; records what the windows showed.
class MeasurementImport : public ::testing::Test {
protected:
    ImportResult run(ImportKind kind, const std::string& path) {
        ImportDialogs dialogs;
        dialogs.ask = [this](const std::string& text, const std::string&, int def) {
            windows.push_back(text);
            defaults.push_back(def);
            return answers.empty() ? def : answers[windows.size() - 1];
        };
        dialogs.tell = [this](const std::string& text) { windows.push_back(text); };
        dialogs.chooseFile = [path](const std::string&, const std::string&) { return path; };
        return kind == ImportKind::Impedance
                   ? ImportResponse(kind, {d->FgangIF, d->FgangI, d->FgangIPF, d->FgangIP}, dialogs)
                   : ImportResponse(kind, {d->FgangAF, d->FgangA, d->FgangAPF, d->FgangAP},
                                    dialogs);
    }
    std::string file(const std::string& text) {
        const std::string path = dir.file("m.txt");
        test::WriteWholeFile(path, text);
        return path;
    }

    std::unique_ptr<TChassis> d = std::make_unique<TChassis>();
    std::vector<std::string> windows;
    std::vector<int> defaults;
    std::vector<int> answers;
    test::ScratchDir dir{"files"};
};

TEST_F(MeasurementImport, ThinsTheLongUnwrappedFileAndSkipsItsZeroHertzLine) {
    const ImportResult r =
        run(ImportKind::FrequencyResponse, DataDir + "Project-Ryu---Loudspeaker-Drivers_F144W.frd");
    ASSERT_TRUE(r.imported);
    ASSERT_EQ(windows.size(), 2u);
    EXPECT_EQ(windows[1], "The file contains 4410 data sets. Maximum. 600will be selected.");
    EXPECT_EQ(r.magnitudePoints, 599);
    EXPECT_EQ(r.phasePoints, 599);
    EXPECT_EQ(MeasuredCount(d->FgangAF), r.magnitudePoints);
    EXPECT_DOUBLE_EQ(d->FgangAF[0], 5.0);
    for (int i = 0; i < r.phasePoints; ++i) {
        ASSERT_LE(std::fabs(d->FgangAP[i]), 3.1415926);
    }
}

TEST_F(MeasurementImport, ANaPhaseColumnImportsTheMagnitudeAndKeepsTheOldPhase) {
    d->FgangIPF[0] = 100;
    d->FgangIP[0] = 0.5;
    const ImportResult r =
        run(ImportKind::Impedance, DataDir + "SpeAcouPy_FaitalPRO_12PR320_impedance.frd");
    ASSERT_TRUE(r.imported);
    ASSERT_EQ(windows.size(), 2u);
    EXPECT_NE(windows[1].find("Obviously it is impedance response."), std::string::npos);
    EXPECT_EQ(defaults[1], 2);
    EXPECT_EQ(r.magnitudePoints, 299);
    EXPECT_EQ(r.phasePoints, -1);
    EXPECT_DOUBLE_EQ(d->FgangIPF[0], 100);
    EXPECT_DOUBLE_EQ(d->FgangIP[0], 0.5);
}

TEST_F(MeasurementImport, APhaseFirstHeaderSwapsTheColumnsAndSaysSo) {
    const ImportResult r = run(
        ImportKind::Impedance,
        DataDir + "SpeAcouPy_Faital12PR320-OSMC-warm_Vituix_Impedance_infiniteBaffle_first15.txt");
    ASSERT_TRUE(r.imported);
    ASSERT_EQ(windows.size(), 2u);
    EXPECT_EQ(windows[1], SwappedColumnsNote);
    EXPECT_EQ(r.magnitudePoints, 15);
    EXPECT_DOUBLE_EQ(d->FgangI[0], 5.76888069327491);
    EXPECT_NEAR(d->FgangIP[0], 17.7812868123132 / 180 * 3.1415926, 1e-12);
}

TEST_F(MeasurementImport, ProposesPhaseForASingleColumnOfPlusMinus45) {
    answers = {1, 2}; // the second button makes it an amplitude
    const ImportResult r = run(ImportKind::FrequencyResponse, file("100 -45\n200 0\n400 45\n"));
    ASSERT_TRUE(r.imported);
    EXPECT_NE(windows[1].find("Obviously it is the phase response."), std::string::npos);
    EXPECT_EQ(defaults[1], 1);
    EXPECT_EQ(r.magnitudePoints, 3);
    EXPECT_EQ(r.phasePoints, -1);
    EXPECT_DOUBLE_EQ(d->FgangA[0], -45);
}

TEST_F(MeasurementImport, ChangesNothingWhenAbortedCancelledUnreadableOrEmpty) {
    d->FgangAF[0] = 7;
    answers = {2};
    EXPECT_FALSE(run(ImportKind::FrequencyResponse, file("100 80\n")).imported);
    answers.clear();
    EXPECT_FALSE(run(ImportKind::FrequencyResponse, "").imported);
    EXPECT_FALSE(run(ImportKind::FrequencyResponse, dir.file("vanished.txt")).imported);
    EXPECT_NE(windows.back().find("Cannot open the file"), std::string::npos);
    EXPECT_FALSE(run(ImportKind::FrequencyResponse, file("* nothing\n0 80\n")).imported);
    EXPECT_EQ(windows.back(), NoSuitableDataMessage);
    EXPECT_DOUBLE_EQ(d->FgangAF[0], 7);
}

TEST_F(MeasurementImport, ALineWithoutPhaseGivesAMagnitudePointAndNoPhasePoint) {
    const ImportResult r =
        run(ImportKind::FrequencyResponse, file("20 80 10\n40 82 nan\n80 84 20\n"));
    ASSERT_TRUE(r.imported);
    EXPECT_EQ(r.magnitudePoints, 3);
    EXPECT_EQ(r.phasePoints, 2);
    EXPECT_DOUBLE_EQ(d->FgangAPF[1], 80);
    EXPECT_NEAR(d->FgangAP[1], 20.0 / 180 * 3.1415926, 1e-12);
    EXPECT_DOUBLE_EQ(d->FgangAPF[2], 0);
}

TEST_F(MeasurementImport, ClearsTheRestOfAWrittenPair) {
    d->FgangIF.fill(1000);
    d->FgangI.fill(9);
    ASSERT_TRUE(run(ImportKind::Impedance, file("10 6 1\n20 8 2\n")).imported);
    EXPECT_DOUBLE_EQ(d->FgangIF[2], 0);
    EXPECT_DOUBLE_EQ(d->FgangI[599], 0);
    EXPECT_EQ(MeasuredCount(d->FgangIPF), 2);
}

} // namespace
} // namespace tavrel
