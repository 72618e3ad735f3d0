// Locale-independent number text: the parser accepts a decimal point or comma, the
// formatters always write a decimal comma. Every number read from or written to a file or
// shown to the user goes through these functions.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace tavrel {

struct ParsedFloat {
    long double value = 0.0L;
    int consumed = 0; ///< characters used, counting leading blanks and zeros
};

struct ParsedInt {
    std::int32_t value = 0;
    int consumed = 0;
};

ParsedFloat ParseFloat(std::string_view text);
double TextToFloat(std::string_view text);
ParsedInt ParseInt(std::string_view text);
std::int32_t TextToInt(std::string_view text);
bool IsDigitChar(char c);

/// At most `width` characters, decimal comma, no padding ("1234,5678", "4,7E-6", "1,E7").
std::string FloatToWidth(int width, double value);
/// Exactly `width` characters in normal cases, padded with zeros ("100,0000").
std::string FloatToWidthPadded(int width, double value);
/// Four characters with an SI prefix letter in place of the decimal point ("4µ70", µ = 0xB5).
std::string FloatToEng4(double value);

struct Date {
    int year = 1;
    int month = 1;
    int day = 1;
    bool operator==(const Date&) const = default;
};

/// "DD.MM.YYYY".
std::string DateToText(const Date& date);

struct DateResult {
    Date date;
    bool valid = false;
    std::string error; ///< set when the text names an impossible calendar date
};

/// Day, month, year; two-digit years below 45 are 20xx, others 19xx. Empty text is 1.1.0001.
DateResult TextToDate(std::string_view text);

/// Days from `from` to `to` (negative when `to` is earlier).
int DaysBetween(Date from, Date to);

/// Today's date from the system clock (local time).
Date Today();

} // namespace tavrel
