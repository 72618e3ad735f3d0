#include "foundation/number_text.h"
#include "model/chassis_file.h"
#include "model/chassis_keys.h"
#include "model_test_support.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <gtest/gtest.h>

namespace tavrel {
namespace {

using test::FullDriver;
using test::PlainStore;

constexpr double FilePi = 3.1415926;

std::string written(const TChassis& driver, const char* key, std::string_view maker = "") {
    TMyIniFile store("", false, true, false);
    WriteChassis(driver, store, maker, "");
    return store.ReadString("Chassis", key, "<missing>");
}

std::unique_ptr<TChassis> readVersion(int version, const std::string& chassisKeys) {
    TMyIniFile store = PlainStore("#Header\r\nVersion=" + std::to_string(version) +
                                  "\r\n#Chassis\r\n" + chassisKeys);
    auto driver = std::make_unique<TChassis>();
    const FileReadResult r = ReadChassisFileStore(*driver, store);
    EXPECT_TRUE(r.ok) << version;
    return driver;
}

TEST(ChassisFile, WritesMeasuredListsUpToTheirTerminator) {
    auto empty = std::make_unique<TChassis>();
    EXPECT_EQ(written(*empty, "FgangAF"), "0");
    EXPECT_EQ(written(*empty, "FgangA"), "0");

    auto d = std::make_unique<TChassis>();
    d->FgangAF[0] = 100;
    d->FgangAF[1] = 200.5;
    d->FgangA[0] = 80;
    d->FgangA[1] = 81.25;
    d->FgangA[2] = 99; // beyond the terminator: written as the terminator's value
    EXPECT_EQ(written(*d, "FgangAF"), "100;\t200,5;\t0");
    EXPECT_EQ(written(*d, "FgangA"), "80;\t81,25;\t99");
}

TEST(ChassisFile, SixHundredPointsWrite601ItemsAndReadBackTerminated) {
    auto d = std::make_unique<TChassis>();
    for (int i = 0; i < MeasuredSize; ++i) { // not even terminated at index 600
        d->FgangIF[i] = 10.0 + i;
        d->FgangI[i] = 6.0;
    }
    TMyIniFile store("", false, true, false);
    WriteChassisFileStore(*d, store);
    const std::string list = store.ReadString("Chassis", "FgangIF", "");
    EXPECT_EQ(std::count(list.begin(), list.end(), ';'), 600);

    auto back = std::make_unique<TChassis>();
    back->FgangIF.fill(1.0); // old content must not survive past the terminator
    ASSERT_TRUE(ReadChassisFileStore(*back, store).ok);
    EXPECT_EQ(MeasuredCount(back->FgangIF), 600);
    EXPECT_EQ(back->FgangIF[599], 609.0);
    EXPECT_EQ(back->FgangIF[600], 0.0);
}

TEST(ChassisFile, PhasesAreWrittenInDegreesWithTheFilesPi) {
    auto d = std::make_unique<TChassis>();
    d->FgangAPF[0] = 100;
    d->FgangAP[0] = 3.141592653589793 / 2;
    d->FgangIPF[0] = 100;
    d->FgangIP[0] = -0.5;
    EXPECT_EQ(written(*d, "FgangAP"), "90;\t0");
    EXPECT_EQ(written(*d, "FgangIP"), "-28,648;\t0"); // -0.5·180/3.1415926 rounded to 0.001

    TMyIniFile store("", false, true, false);
    WriteChassisFileStore(*d, store);
    auto back = std::make_unique<TChassis>();
    ASSERT_TRUE(ReadChassisFileStore(*back, store).ok);
    EXPECT_DOUBLE_EQ(back->FgangAP[0], 90 * FilePi / 180);
    EXPECT_DOUBLE_EQ(back->FgangIP[0], -28.648 * FilePi / 180);
}

TEST(ChassisFile, OldPhaseFormatsAreConverted) {
    const std::string keys = "FgangAPF=100;200\r\nFgangAP=1;-3\r\nFgangIPF=100\r\nFgangIP=1\r\n";
    auto v1103 = readVersion(1103, keys); // radians, shifted by half a turn
    EXPECT_DOUBLE_EQ(v1103->FgangAP[0], 1 + FilePi - 6.283185306);
    EXPECT_DOUBLE_EQ(v1103->FgangAP[1], -3 + FilePi);
    EXPECT_DOUBLE_EQ(v1103->FgangIP[0], 1.0);

    auto v1104 = readVersion(1104, keys); // degrees, converted, then shifted
    EXPECT_DOUBLE_EQ(v1104->FgangAP[0], FilePi / 180 + FilePi - 6.283185306);
    EXPECT_DOUBLE_EQ(v1104->FgangAP[1], -3 * FilePi / 180 + FilePi);
    EXPECT_DOUBLE_EQ(v1104->FgangIP[0], FilePi / 180);

    auto v1105 = readVersion(1105, keys); // degrees, converted, not shifted
    EXPECT_DOUBLE_EQ(v1105->FgangAP[0], FilePi / 180);
    EXPECT_DOUBLE_EQ(v1105->FgangAP[1], -3 * FilePi / 180);
    EXPECT_DOUBLE_EQ(v1105->FgangIP[0], FilePi / 180);
}

TEST(ChassisFile, MeasurementConditionIsRenumberedForOldVersions) {
    EXPECT_EQ(readVersion(1103, "fgang_which=2\r\n")->fgang_which, 3);
    EXPECT_EQ(readVersion(1103, "fgang_which=1\r\n")->fgang_which, 1);
    EXPECT_EQ(readVersion(1103, "")->fgang_which, 5); // default 4 of the old numbering
    EXPECT_EQ(readVersion(1105, "fgang_which=7\r\n")->fgang_which, 4);
    EXPECT_EQ(readVersion(1104, "fgang_which=6\r\n")->fgang_which, 3);
    EXPECT_EQ(readVersion(1106, "fgang_which=7\r\n")->fgang_which, 7);
    EXPECT_EQ(readVersion(1200, "")->fgang_which, 5);
}

TEST(ChassisFile, ReadsHugeMeasurementConditionOfOldVersionWithoutOverflow) {
    EXPECT_EQ(readVersion(1000, "fgang_which=5000000000\r\n")->fgang_which, INT16_MAX);
    EXPECT_EQ(readVersion(1104, "fgang_which=-5000000000\r\n")->fgang_which, INT16_MIN);
}

TEST(ChassisFile, TypeFlagsMoveBit16ForOldVersionsAndAreNeverNegative) {
    EXPECT_EQ(readVersion(1106, "typ=65537\r\n")->typ, 1 | (1 << 20));
    EXPECT_EQ(readVersion(1107, "typ=65537\r\n")->typ, 65537);
    EXPECT_EQ(readVersion(1200, "typ=-8\r\n")->typ, 0);
}

TEST(ChassisFile, OldVersionsDeriveTheUpperRangeFlagFromTheInternalEnclosure) {
    auto old = readVersion(1108, "hintengeschl=1\r\nuseFgangA2fs=1\r\n");
    EXPECT_FALSE(old->useFgangA2fs);
    old = readVersion(1108, "hintengeschl=0\r\nuseFgangA2fs=0\r\n");
    EXPECT_TRUE(old->useFgangA2fs);
    EXPECT_TRUE(readVersion(1200, "hintengeschl=1\r\nuseFgangA2fs=1\r\n")->useFgangA2fs);
}

TEST(ChassisFile, MissingKeysTakeTheirDefaults) {
    auto d = readVersion(1200, "");
    EXPECT_EQ(d->Re2, 0.0);
    EXPECT_EQ(d->Le2, 0.0);
    EXPECT_EQ(d->Re3, 0.000001);
    EXPECT_EQ(d->Le3, 0.000001);
    EXPECT_EQ(d->Filters, 119);
    EXPECT_EQ(d->pubdate.view(), "01.01.2000");
    EXPECT_FALSE(d->_hst);
    EXPECT_EQ(d->FgangAF[0], 0.0);
}

TEST(ChassisFile, MakerMarkerIsThreeBlanks) {
    auto d = FullDriver(1);
    EXPECT_EQ(written(*d, "_hst", MakerText), "   ");
    EXPECT_EQ(written(*d, "_hst", ""), "<missing>");
    EXPECT_TRUE(readVersion(1200, "_hst=   \r\n")->_hst);
    EXPECT_FALSE(readVersion(1200, "_hst=x\r\n")->_hst);
}

TEST(ChassisFile, DamagedMeasuredListsStayTerminated) {
    // More than 600 items, a negative frequency, a value list shorter than its frequencies.
    std::string many;
    for (int i = 1; i <= 700; ++i) {
        many += std::to_string(i) + ";";
    }
    auto d = std::make_unique<TChassis>();
    d->FgangI.fill(7.0);
    TMyIniFile store = PlainStore("#Header\r\nVersion=1200\r\n#Chassis\r\nFgangAF=" + many +
                                  "\r\nFgangAPF=100;-5;300\r\nFgangIF=10;20;30\r\nFgangI=6\r\n");
    ASSERT_TRUE(ReadChassisFileStore(*d, store).ok);
    EXPECT_EQ(MeasuredCount(d->FgangAF), 600);
    EXPECT_EQ(d->FgangAF[600], 0.0);
    EXPECT_EQ(MeasuredCount(d->FgangAPF), 1);
    EXPECT_EQ(MeasuredCount(d->FgangIF), 3);
    EXPECT_EQ(d->FgangI[0], 6.0);
    EXPECT_EQ(d->FgangI[1], 0.0);
    EXPECT_EQ(d->FgangI[2], 0.0);
}

TEST(ChassisFile, WrongVersionsLeaveTheRecordUnchanged) {
    for (int version : {0, 999, 1003, 1102, 1109, 1199, 1201}) {
        TMyIniFile store = PlainStore("#Header\r\nVersion=" + std::to_string(version) +
                                      "\r\n#Chassis\r\nName=changed\r\n");
        auto d = FullDriver(2);
        const auto before = std::make_unique<TChassis>(*d);
        const FileReadResult r = ReadChassisFileStore(*d, store);
        EXPECT_FALSE(r.ok) << version;
        EXPECT_EQ(r.message, "File has wrong format..");
        EXPECT_EQ(r.version, version);
        EXPECT_EQ(*d, *before) << version;
    }
    for (int version : {1000, 1001, 1002, 1103, 1108, 1200}) {
        EXPECT_TRUE(IsAcceptedChassisVersion(version)) << version;
    }
}

TEST(ChassisFile, SaveAndLoadKeepEveryFieldAndFailuresLeaveRecordAndDiskAlone) {
    test::ScratchDir dir{"model"};
    auto d = FullDriver(4);
    ASSERT_TRUE(SaveChassisFile(*d, dir.file("Woofer.TVC")).ok);
    auto back = std::make_unique<TChassis>();
    FileReadResult r = LoadChassisFile(*back, dir.file("Woofer.TVC"));
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(r.version, 1200);
    // A save stamps the date and the file name; the maker marker is only kept for the maker.
    d->pubdate = DateToText(Today());
    d->OrgFilename = "Woofer.TVC";
    EXPECT_EQ(*back, *d);

    r = LoadChassisFile(*d, dir.file("missing.TVC"));
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.message, "File has wrong format..");
    test::WriteWholeFile(dir.file("text.TVC"), "just some text\r\nName=x\r\n");
    r = LoadChassisFile(*d, dir.file("text.TVC"));
    EXPECT_FALSE(r.ok);
    EXPECT_TRUE(r.wrongHeader);
    EXPECT_EQ(r.message, "File has wrong format..");
    EXPECT_EQ(*d, *back);

    const FileWriteResult w = SaveChassisFile(*d, dir.file("no/such/dir/x.TVC"));
    EXPECT_FALSE(w.ok);
    EXPECT_FALSE(w.error.empty());
    EXPECT_FALSE(std::filesystem::exists(dir.file("no/such/dir/x.TVC")));
}

TEST(ChassisFile, OldestVersionFitsTheVoiceCoilFromTheImpedance) {
    // fs 40 Hz, Re 6 ohm; an impedance rising above resonance like a lossy coil.
    std::string freq, imp;
    for (int i = 0; i < 60; ++i) {
        const double f = 20.0 * std::pow(1000.0, i / 59.0);
        const double z = f < 100 ? 6.0 + 30.0 / (1 + std::fabs(f - 40.0)) : 6.0 + f / 2000.0;
        freq += FloatToWidth(10, f) + ";";
        imp += FloatToWidth(10, z) + ";";
    }
    auto d = readVersion(1000, "fs=40\r\nQes=0,4\r\nQms=4\r\nRe=6\r\nRe2=123\r\nLe2=0,5\r\n"
                               "FgangIF=" +
                                   freq + "\r\nFgangI=" + imp + "\r\n");
    constexpr double Pi = 3.141592653589793;
    EXPECT_DOUBLE_EQ(d->Rms, 60.0);
    EXPECT_DOUBLE_EQ(d->Cms, 0.4 / (2 * Pi * 40 * 6));
    EXPECT_DOUBLE_EQ(d->Lms, 6 / (2 * Pi * 40 * 0.4));
    EXPECT_NE(d->Re2, 123.0); // replaced by the fit
    EXPECT_NE(d->Le2, 0.5);
    EXPECT_GT(d->Re2, 0.0);
    EXPECT_GT(d->Le2, 0.0);
    EXPECT_EQ(d->Le, 0.0); // only Re2 and Le2 are taken over
    EXPECT_LT(d->FgangIF[0], d->FgangIF[1]);

    auto v1001 = readVersion(1001, "fs=40\r\nQes=0,4\r\nRe=6\r\nRe2=123\r\n");
    EXPECT_EQ(v1001->Re2, 123.0);
    EXPECT_EQ(v1001->Rms, 0.0);
}

} // namespace
} // namespace tavrel
