// Parsing numbers and dates from text, and the round trip through the width formatter.
#include "foundation/number_text.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <string>

namespace tavrel {
namespace {

struct ParseRow {
    const char* text;
    long double value;
    int consumed;
};

void PrintTo(const ParseRow& row, std::ostream* os) {
    *os << '|' << row.text << '|';
}

class ParseFloatTable : public ::testing::TestWithParam<ParseRow> {};

TEST_P(ParseFloatTable, ValueAndConsumedCount) {
    const ParsedFloat parsed = ParseFloat(GetParam().text);
    EXPECT_NEAR(static_cast<double>(parsed.value), static_cast<double>(GetParam().value),
                std::fabs(static_cast<double>(GetParam().value)) * 1e-15);
    EXPECT_EQ(parsed.consumed, GetParam().consumed);
}

INSTANTIATE_TEST_SUITE_P(Examples, ParseFloatTable,
                         ::testing::Values(ParseRow{"abc", 0, 0}, ParseRow{"4,7\xB5", 4.7L, 3},
                                           ParseRow{" 12.5 mm", 12.5L, 5},
                                           ParseRow{"  007,5e1", 75, 9}, ParseRow{"-$ff", -255, 4},
                                           ParseRow{"$FF", 0, 1}, ParseRow{"$a.8", 10.5L, 4},
                                           ParseRow{"&101.1", 5.5L, 6}, ParseRow{"&102", 2, 3},
                                           ParseRow{"1,E7", 1e7L, 4}, ParseRow{"0", 0, 1},
                                           ParseRow{"", 0, 0}, ParseRow{"+3", 3, 2},
                                           ParseRow{"4,7E-6", 4.7e-6L, 6},
                                           ParseRow{"-2.5e+2x", -250, 7}, ParseRow{"1;\t2", 1, 1}));

TEST(ParseFloat, ExponentsBeyondTheRangeSaturate) {
    EXPECT_TRUE(std::isinf(TextToFloat("1e999")));
    EXPECT_GT(TextToFloat("1e999"), 0);
    EXPECT_LT(TextToFloat("-1e99999999999999999999"), 0);
    EXPECT_TRUE(std::isinf(TextToFloat("-1e99999999999999999999")));
    EXPECT_EQ(TextToFloat("1e-99999999999999999999"), 0.0);
    EXPECT_EQ(TextToFloat("0e99999"), 0.0);
    const ParsedFloat parsed = ParseFloat("2e123456789012");
    EXPECT_EQ(parsed.consumed, 14);
}

TEST(ParseFloat, LongDigitRunsStayDefined) {
    const std::string many(5000, '9');
    EXPECT_TRUE(std::isinf(TextToFloat(many)));
    EXPECT_EQ(ParseFloat(many).consumed, 5000);
    EXPECT_DOUBLE_EQ(TextToFloat("0," + std::string(400, '0') + "1e400"), 0.1);
}

TEST(ParseInt, SkipsQuotesZerosAndStopsAtSeparators) {
    EXPECT_EQ(ParseInt("\"0042").value, 42);
    EXPECT_EQ(ParseInt("\"0042").consumed, 5);
    EXPECT_EQ(ParseInt("-7abc").value, -7);
    EXPECT_EQ(ParseInt("-7abc").consumed, 2);
    EXPECT_EQ(TextToInt("3,9"), 3);
    EXPECT_EQ(TextToInt("  +12"), 12);
    EXPECT_EQ(ParseInt("xyz").consumed, 0);
    EXPECT_EQ(TextToInt("99999999999999"), std::numeric_limits<std::int32_t>::max());
    EXPECT_EQ(TextToInt("-99999999999999"), std::numeric_limits<std::int32_t>::min());
    EXPECT_EQ(TextToInt("-2147483648"), std::numeric_limits<std::int32_t>::min());
}

TEST(NumberText, WidthTenTextReadsBackWithinItsPrecision) {
    for (double v : {45.3, 1e7, 4.7e-6, -0.0047, 123456.789, 1.0 / 3.0, -9.87654321e-12, 0.0}) {
        const double back = TextToFloat(FloatToWidth(10, v));
        // The shortest of these texts keeps four significant digits.
        EXPECT_NEAR(back, v, std::fabs(v) * 1e-4) << FloatToWidth(10, v);
    }
    EXPECT_EQ(TextToFloat(FloatToWidth(10, 45.3)), 45.3);
}

TEST(Date, TextRoundTripTwoDigitYearsAndAPlausibleToday) {
    EXPECT_EQ(DateToText({2007, 3, 5}), "05.03.2007");
    EXPECT_EQ(TextToDate("5.3.07").date, (Date{2007, 3, 5}));
    EXPECT_EQ(TextToDate("5.3.99").date, (Date{1999, 3, 5}));
    EXPECT_EQ(TextToDate("5.3.1999").date, (Date{1999, 3, 5}));
    EXPECT_EQ(TextToDate("05.03.2007").date, (Date{2007, 3, 5}));
    EXPECT_TRUE(TextToDate("29.02.2008").valid);
    const DateResult empty = TextToDate("");
    EXPECT_TRUE(empty.valid);
    EXPECT_EQ(empty.date, (Date{1, 1, 1}));
    const Date today = Today();
    EXPECT_GE(today.year, 2020);
    EXPECT_TRUE(TextToDate(DateToText(today)).valid);
}

TEST(Date, ImpossibleDatesReachTheCallerAsErrors) {
    for (const char* text :
         {"0.3.2007", "5.13.2007", "29.02.2007", "abc", "31.4.2000", "99999999999999.1.2000"}) {
        const DateResult result = TextToDate(text);
        EXPECT_FALSE(result.valid) << text;
        EXPECT_FALSE(result.error.empty()) << text;
    }
}

} // namespace
} // namespace tavrel
