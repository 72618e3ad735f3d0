// Reading and writing the chart option block shared by project and settings files.
#include "model/option_block.h"

#include <gtest/gtest.h>
#include <string>

namespace tavrel {
namespace {

const std::string HeaderLine = "## MyIniFile 1.0 by ZQ 2004 ##\r\n";

TMyIniFile optionStore(const std::string& keys) {
    return TMyIniFile::FromBytes(HeaderLine + "#Option\r\n" + keys, false, true);
}

TEST(OptionBlock, EmptyStoreGivesAllDefaults) {
    TOptionBlock option;
    option.ColorSetRichtungen[8] = 0x123456;
    option.ColorSetChassis[9] = 0x654321;
    TMyIniFile store = optionStore("");
    ReadOptionBlock(store, option);
    EXPECT_EQ(option.ColorSetAmps[0], Rgb(128, 0, 0));
    EXPECT_EQ(option.ColorSetAmps[6], Rgb(176, 176, 0));
    EXPECT_EQ(option.ColorSetChassis[1], Rgb(0, 0, 255));
    EXPECT_EQ(option.ColorSetChassis[8], Rgb(80, 160, 80));
    EXPECT_EQ(option.ColorSetChassis[9], 0x654321U);
    EXPECT_EQ(option.ColorSetRichtungen[6], Rgb(160, 160, 208));
    EXPECT_EQ(option.ColorSetRichtungen[8], 0x123456U);
    EXPECT_EQ(option.Par, (std::array<std::int32_t, 6>{10, 90, 25, 90, 10, 10}));
    EXPECT_EQ(option.fMin, 20.0);
    EXPECT_EQ(option.fMax, 20000.0);
    EXPECT_EQ(option.sz, 126);
    EXPECT_EQ(option.glatt_a, 0.24);
    EXPECT_EQ(option.glatt_i, 0.18);
    EXPECT_EQ(option.dBMin, 40.0);
    EXPECT_EQ(option.dBMax, 110.0);
    EXPECT_EQ(option.AfMin, 20.0);
    EXPECT_EQ(option.AfMax, 20000.0);
    EXPECT_EQ(option.ImpMax, 70.0);
}

TEST(OptionBlock, ColourListsReplaceOnlyTheItemsRead) {
    TOptionBlock option;
    option.ColorSetRichtungen[9] = 77;
    TMyIniFile store = optionStore("ColorSetChassis=1;\t2;\t3\r\n"
                                   "ColorSetAmps=1;2;3;4;5;6;7;8;9;10;11;12\r\n"
                                   "ColorSetRichtungen=5;6;7;8;9;10;11;12;13;14;15\r\n");
    ReadOptionBlock(store, option);
    EXPECT_EQ(option.ColorSetChassis[0], 1U);
    EXPECT_EQ(option.ColorSetChassis[2], 3U);
    EXPECT_EQ(option.ColorSetChassis[3], Rgb(255, 0, 0));
    EXPECT_EQ(option.ColorSetAmps, (std::array<std::uint32_t, 7>{1, 2, 3, 4, 5, 6, 7}));
    EXPECT_EQ(option.ColorSetRichtungen[9], 14U);
}

struct GridRow {
    const char* keys;
    double fMin;
    double fMax;
    std::int32_t sz;
};

void PrintTo(const GridRow& row, std::ostream* os) {
    *os << row.keys;
}

class GridValidation : public ::testing::TestWithParam<GridRow> {};

TEST_P(GridValidation, UnusableGridsFallBack) {
    TOptionBlock option;
    TMyIniFile store = optionStore(GetParam().keys);
    ReadOptionBlock(store, option);
    EXPECT_EQ(option.fMin, GetParam().fMin);
    EXPECT_EQ(option.fMax, GetParam().fMax);
    EXPECT_EQ(option.sz, GetParam().sz);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, GridValidation,
    ::testing::Values(GridRow{"fMin=10\r\nfMax=99999\r\nsz=250\r\n", 10, 99999, 250},
                      GridRow{"fMin=1000\r\nfMax=1000\r\nsz=10\r\n", 20, 20000, 10},
                      GridRow{"fMin=5\r\nsz=9\r\n", 20, 20000, 84},
                      GridRow{"fMin=50\r\nfMax=100000\r\nsz=300\r\n", 20, 20000, 300},
                      GridRow{"sz=599\r\n", 20, 20000, 599}, GridRow{"sz=600\r\n", 20, 20000, 84},
                      GridRow{"fMin=1001\r\nfMax=5000\r\n", 20, 20000, 126},
                      GridRow{"fMin=30\r\nfMax=999\r\n", 20, 20000, 126},
                      GridRow{"fMin=nan\r\nfMax=1e999\r\nsz=-5\r\n", 20, 20000, 84},
                      GridRow{"fMin=15,5\r\nfMax=1,E4\r\nsz=100\r\n", 15.5, 10000, 100}));

TEST(OptionBlock, NonFiniteScalesKeepTheirDefaults) {
    TOptionBlock option;
    TMyIniFile store = optionStore("dBMin=-1e999\r\ndBMax=1e999\r\nImpMax=1e400\r\n"
                                   "glatt_a=0,5\r\nAfMax=15000\r\n");
    ReadOptionBlock(store, option);
    EXPECT_EQ(option.dBMin, 40.0);
    EXPECT_EQ(option.dBMax, 110.0);
    EXPECT_EQ(option.ImpMax, 70.0);
    EXPECT_EQ(option.glatt_a, 0.5);
    EXPECT_EQ(option.AfMax, 15000.0);
}

TEST(OptionBlock, WriteThenReadRestoresTheBlock) {
    TOptionBlock option;
    SetDefaultColors(option);
    option.ColorSetChassis[9] = Rgb(1, 2, 3); // not stored: files hold nine driver colours
    option.ColorSetRichtungen[9] = Rgb(9, 9, 9);
    option.ColorSetAmps[3] = Rgb(255, 255, 255);
    option.Par = {1, 2, 3, 4, 5, -6};
    option.fMin = 15.5;
    option.fMax = 25000;
    option.sz = 200;
    option.glatt_a = 0.125;
    option.glatt_i = 0.5;
    option.dBMin = -12.5;
    option.dBMax = 120;
    option.AfMin = 10;
    option.AfMax = 30000;
    option.ImpMax = 47.5;
    TMyIniFile store = TMyIniFile::FromBytes(HeaderLine, false, true);
    WriteOptionBlock(store, option);

    TOptionBlock back;
    TMyIniFile reread = TMyIniFile::FromBytes(store.ToBytes(), false, false);
    ReadOptionBlock(reread, back);
    EXPECT_EQ(back.ColorSetChassis[9], TOptionBlock{}.ColorSetChassis[9]);
    back.ColorSetChassis[9] = option.ColorSetChassis[9];
    EXPECT_EQ(back, option);
}

TEST(OptionBlock, WritesKeysInFileOrder) {
    TMyIniFile store = TMyIniFile::FromBytes(HeaderLine, false, true);
    WriteOptionBlock(store, TOptionBlock{});
    ASSERT_EQ(store.Count(), 1);
    EXPECT_EQ(store.Sections()[0].Name, "Option");
    EXPECT_EQ(store.Sections()[0].Keys,
              (std::vector<std::string>{"ColorSetAmps", "ColorSetChassis", "ColorSetRichtungen",
                                        "Par1", "Par2", "Par3", "Par4", "Par5", "Par6", "fMin",
                                        "fMax", "sz", "glatt_a", "glatt_i", "dBMin", "dBMax",
                                        "AfMin", "AfMax", "ImpMax"}));
    EXPECT_EQ(store.Sections()[0].Values[1], "0;\t0;\t0;\t0;\t0;\t0;\t0;\t0;\t0");
    EXPECT_EQ(store.Sections()[0].Values[10], "20000");
}

} // namespace
} // namespace tavrel
