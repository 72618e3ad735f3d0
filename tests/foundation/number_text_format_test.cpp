// The width and engineering formatters against their example tables, one row per example.
#include "foundation/number_text.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <numbers>
#include <string>

namespace tavrel {
namespace {

struct WidthRow {
    double value;
    const char* width10;
    const char* width6;
    const char* width4;
    const char* padded8;
    const char* padded4;
};

void PrintTo(const WidthRow& row, std::ostream* os) {
    *os << row.value;
}

class WidthFormatTable : public ::testing::TestWithParam<WidthRow> {};

TEST_P(WidthFormatTable, FloatToWidthAt10) {
    EXPECT_EQ(FloatToWidth(10, GetParam().value), GetParam().width10);
}
TEST_P(WidthFormatTable, FloatToWidthAt6) {
    EXPECT_EQ(FloatToWidth(6, GetParam().value), GetParam().width6);
}
TEST_P(WidthFormatTable, FloatToWidthAt4) {
    EXPECT_EQ(FloatToWidth(4, GetParam().value), GetParam().width4);
}
TEST_P(WidthFormatTable, FloatToWidthPaddedAt8) {
    EXPECT_EQ(FloatToWidthPadded(8, GetParam().value), GetParam().padded8);
}
TEST_P(WidthFormatTable, FloatToWidthPaddedAt4) {
    EXPECT_EQ(FloatToWidthPadded(4, GetParam().value), GetParam().padded4);
}

INSTANTIATE_TEST_SUITE_P(
    Examples, WidthFormatTable,
    ::testing::Values(WidthRow{0, "0", "0", "0", "0,000000", "0,00"},
                      WidthRow{1, "1", "1", "1", "1,000000", "1,00"},
                      WidthRow{-1, "-1", "-1", "-1", "-1,00000", "-1,0"},
                      WidthRow{0.5, "0,5", "0,5", "0,5", "0,500000", "0,50"},
                      WidthRow{100, "100", "100", "100", "100,0000", "100,"},
                      WidthRow{20000, "20000", "20000", "2,E4", "20000,00", "2,E4"},
                      WidthRow{1234.5678, "1234,5678", "1234,6", "1235", "1234,568", "1235"},
                      WidthRow{123456.789, "123456,789", "123457", "1,E5", "123456,8", "1,E5"},
                      WidthRow{1000000, "1,E6", "1,E6", "1,E6", "1,0000E6", "1,E6"},
                      WidthRow{1234567, "1,234567E6", "1,23E6", "1,E6", "1,2346E6", "1,E6"},
                      WidthRow{0.0047, "0,0047", "0,0047", "5E-3", "0,004700", "5E-3"},
                      WidthRow{0.00047, "4,7E-4", "4,7E-4", "5E-4", "4,700E-4", "5E-4"},
                      WidthRow{4.7e-6, "4,7E-6", "4,7E-6", "5E-6", "4,700E-6", "5E-6"},
                      WidthRow{-4.7e-6, "-4,7E-6", "-5,E-6", "-0,0", "-4,70E-6", "-0,0"},
                      WidthRow{1e-20, "1,E-20", "1,E-20", "+0,0", "1,00E-20", "+0,0"},
                      WidthRow{1e300, "1,E300", "1,E300", "+inf", "1,00E300", "+inf"},
                      WidthRow{std::numbers::pi, "3,14159265", "3,1416", "3,14", "3,141593",
                               "3,14"}));

struct Eng4Row {
    double value;
    const char* text;
};

void PrintTo(const Eng4Row& row, std::ostream* os) {
    *os << row.value;
}

class Eng4Table : public ::testing::TestWithParam<Eng4Row> {};

TEST_P(Eng4Table, FourCharactersWithPrefix) {
    const std::string text = FloatToEng4(GetParam().value);
    EXPECT_EQ(text, GetParam().text);
    EXPECT_EQ(text.size(), 4U);
}

INSTANTIATE_TEST_SUITE_P(
    Examples, Eng4Table,
    ::testing::Values(Eng4Row{1, "1.00"}, Eng4Row{10, "10.0"}, Eng4Row{100, "100."},
                      Eng4Row{1000, "1k00"}, Eng4Row{20000, "20k0"}, Eng4Row{0.5, "500m"},
                      Eng4Row{0.001, "1m00"}, Eng4Row{0.0047, "4m70"}, Eng4Row{0.00047, "470\xB5"},
                      Eng4Row{4.7e-6, "4\xB5"
                                      "70"},
                      Eng4Row{1e7, "10M0"}, Eng4Row{1e-20, "0.00"}, Eng4Row{-1, "NEG "},
                      Eng4Row{-1e-20, "NEG "}, Eng4Row{1e300, "+INF"}, Eng4Row{2.2e-12, "2p20"},
                      Eng4Row{1e-15, "1f00"}, Eng4Row{4.7e12, "4T70"}, Eng4Row{3.3e9, "3G30"},
                      Eng4Row{999.6, "1k00"}));

TEST(WidthFormat, PaddedOverflowTextsFillTheWidth) {
    EXPECT_EQ(FloatToWidthPadded(5, 1e-200), "+0,00");
    EXPECT_EQ(FloatToWidthPadded(6, -1e-200), "-0,000");
    EXPECT_EQ(FloatToWidthPadded(6, 1e-200), "1E-200"); // fits exponentially at 6
    EXPECT_EQ(FloatToWidthPadded(4, -1e300), "-inf");
    EXPECT_EQ(FloatToWidth(4, -1e300), "-inf");
}

TEST(WidthFormat, NeverWritesADecimalPoint) {
    for (double v : {0.1, 1.5, -2.25, 1e-5, 123.456, 9.99e99, 6.02e23}) {
        for (int w = 4; w <= 10; ++w) {
            const std::string text = FloatToWidth(w, v);
            EXPECT_EQ(text.find('.'), std::string::npos) << text;
            EXPECT_LE(text.size(), static_cast<std::size_t>(w)) << text;
            EXPECT_EQ(FloatToWidthPadded(w, v).size(), static_cast<std::size_t>(w)) << v;
        }
    }
}

TEST(WidthFormat, RoundingCarryMovesTheExponent) {
    EXPECT_EQ(FloatToWidth(4, 9.9996), "10");
    EXPECT_EQ(FloatToWidth(6, 999999.7), "1,E6");
    EXPECT_EQ(FloatToWidth(10, 0.125), "0,125");
    EXPECT_EQ(FloatToWidth(4, 0.125), "0,13"); // halves round away from zero
}

TEST(WidthFormat, NonFiniteValuesGiveShortTexts) {
    const double inf = std::numeric_limits<double>::infinity();
    EXPECT_EQ(FloatToWidth(10, inf), "+inf");
    EXPECT_EQ(FloatToWidth(10, -inf), "-inf");
    EXPECT_EQ(FloatToWidth(10, std::nan("")), "nan");
    EXPECT_EQ(FloatToWidthPadded(6, inf), "+inf  ");
    EXPECT_EQ(FloatToEng4(inf), "+INF");
    EXPECT_EQ(FloatToEng4(std::nan("")).size(), 4U);
}

} // namespace
} // namespace tavrel
