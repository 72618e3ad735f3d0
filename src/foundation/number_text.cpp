#include "foundation/number_text.h"

#include <algorithm>
#include <array>
#include <cfloat>
#include <charconv>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <limits>

namespace tavrel {

namespace {

// An exponent beyond this magnitude already gives ±inf or 0 for any mantissa a text can hold
// (long double spans about 10^±4951); capping keeps powl cheap and the arithmetic defined.
constexpr long PowerCap = 6000;
constexpr std::size_t MaxDigits = 18;
constexpr std::size_t MaxWrittenDigits = 12;

/// Reads the text position by position; `pos` is 0-based, so the consumed count is `pos`.
class Cursor {
public:
    explicit Cursor(std::string_view text) : m_text(text) {}
    bool atEnd() const { return m_pos >= m_text.size(); }
    char peek() const { return atEnd() ? '\0' : m_text[m_pos]; }
    void advance() { ++m_pos; }
    bool accept(char c) {
        if (!atEnd() && m_text[m_pos] == c) {
            ++m_pos;
            return true;
        }
        return false;
    }
    int consumed() const { return static_cast<int>(m_pos); }

private:
    std::string_view m_text;
    std::size_t m_pos = 0;
};

/// Digit value of `c` in the given base (lower-case letters only), or -1.
int digitValue(char c, int base) {
    int value = -1;
    if (c >= '0' && c <= '9') {
        value = c - '0';
    } else if (c >= 'a' && c <= 'f') {
        value = c - 'a' + 10;
    }
    return value < base ? value : -1;
}

/// Integer and fraction digits of a hexadecimal or binary number after its '$' or '&'.
long double readPowerOfTwoNumber(Cursor& cursor, int base) {
    long double value = 0.0L;
    for (int digit = digitValue(cursor.peek(), base); digit >= 0;
         digit = digitValue(cursor.peek(), base)) {
        value = value * base + digit;
        cursor.advance();
    }
    if (cursor.accept('.') || cursor.accept(',')) {
        long double weight = 1.0L / base;
        for (int digit = digitValue(cursor.peek(), base); digit >= 0;
             digit = digitValue(cursor.peek(), base)) {
            value += weight * digit;
            weight /= base;
            cursor.advance();
        }
    }
    return value;
}

long double readDecimalMantissa(Cursor& cursor) {
    long double value = 0.0L;
    while (IsDigitChar(cursor.peek())) {
        value = value * 10 + (cursor.peek() - '0');
        cursor.advance();
    }
    if (cursor.accept('.') || cursor.accept(',')) {
        long double weight = 0.1L;
        while (IsDigitChar(cursor.peek())) {
            value += weight * (cursor.peek() - '0');
            weight *= 0.1L;
            cursor.advance();
        }
    }
    return value;
}

/// The optional exponent part "e-12"; every digit is consumed, the magnitude is capped.
long readDecimalExponent(Cursor& cursor) {
    if (!cursor.accept('e') && !cursor.accept('E')) {
        return 0;
    }
    bool negative = false;
    if (cursor.accept('-')) {
        negative = true;
    } else {
        cursor.accept('+');
    }
    long exponent = 0;
    while (IsDigitChar(cursor.peek())) {
        exponent = std::min(exponent * 10 + (cursor.peek() - '0'), PowerCap);
        cursor.advance();
    }
    return negative ? -exponent : exponent;
}

/// Long double to double without relying on an out-of-range conversion.
double toDouble(long double value) {
    if (std::isnan(value)) {
        return std::numeric_limits<double>::quiet_NaN();
    }
    if (value > static_cast<long double>(DBL_MAX)) {
        return std::numeric_limits<double>::infinity();
    }
    if (value < -static_cast<long double>(DBL_MAX)) {
        return -std::numeric_limits<double>::infinity();
    }
    return static_cast<double>(value);
}

/// |x| = 0.D × 10^E with D rounded to `precision` significant digits (halves away from zero)
/// after a first rounding to 18 digits; trailing zeros stripped; 0 gives D empty and E 0.
/// `x` must be finite: the text of an infinity has no exponent to read.
struct DecimalDigits {
    bool negative = false;
    int exponent = 0;
    std::string digits;
};

DecimalDigits decimalDigits(double x, int precision) {
    DecimalDigits result;
    result.negative = std::signbit(x) && x != 0.0;
    if (x == 0.0) {
        return result;
    }
    precision = std::clamp(precision, 1, static_cast<int>(MaxDigits));
    std::array<char, 64> buffer{};
    const auto written =
        std::to_chars(buffer.data(), buffer.data() + buffer.size(), std::fabs(x),
                      std::chars_format::scientific, static_cast<int>(MaxDigits) - 1);
    const std::string_view text(buffer.data(),
                                static_cast<std::size_t>(written.ptr - buffer.data()));
    const std::size_t ePos = text.find('e');
    std::string digits;
    for (char c : text.substr(0, ePos)) {
        if (IsDigitChar(c)) {
            digits += c;
        }
    }
    int exponent = 0;
    std::from_chars(text.data() + ePos + 1 + (text[ePos + 1] == '+' ? 1 : 0),
                    text.data() + text.size(), exponent);
    exponent += 1; // d.ddd × 10^e is 0.dddd × 10^(e+1)

    const auto keep = static_cast<std::size_t>(precision);
    if (digits.size() > keep) {
        const bool roundUp = digits[keep] >= '5';
        digits.resize(keep);
        if (roundUp) {
            std::size_t i = keep;
            while (i > 0 && digits[i - 1] == '9') {
                digits[--i] = '0';
            }
            if (i == 0) {
                digits.insert(digits.begin(), '1');
                digits.pop_back();
                ++exponent;
            } else {
                ++digits[i - 1];
            }
        }
    }
    while (!digits.empty() && digits.back() == '0') {
        digits.pop_back();
    }
    result.exponent = exponent;
    result.digits = std::move(digits);
    return result;
}

/// The layout decisions shared by both width formatters.
struct WidthLayout {
    enum class Form { Fixed, Exponential, TooSmall, TooLarge } form = Form::Fixed;
    bool negative = false;
    int fixedPrecision = 0;
    int expPrecision = 0;
};

WidthLayout chooseLayout(int width, double x) {
    const DecimalDigits first = decimalDigits(x, width);
    const int e = first.exponent;
    WidthLayout layout;
    layout.negative = first.negative;
    int overhead = 3;
    int fixedLength = 1;
    int precision = width;
    if (first.negative) {
        ++overhead;
        ++fixedLength;
        --precision;
    }
    if (e <= 0) {
        fixedLength += 2 - e;
        precision += e - 2;
    } else {
        fixedLength += e - 1;
        if (e < precision) {
            --precision;
        }
    }
    // Room for the exponent's sign and digits.
    for (bool grows : {e <= 0, e <= -9, e <= -99, e <= -999, e > 10, e > 100, e > 1000}) {
        overhead += grows ? 1 : 0;
    }
    int expPrecision = width + 1 - overhead;
    if (expPrecision > 1) {
        --expPrecision;
    }
    layout.fixedPrecision = precision;
    layout.expPrecision = expPrecision;
    if (overhead > width && width < fixedLength) {
        layout.form = e < 0 ? WidthLayout::Form::TooSmall : WidthLayout::Form::TooLarge;
    } else if (width >= fixedLength &&
               ((e >= 1 && e <= 6) || (e <= 0 && overhead + 1 >= fixedLength))) {
        layout.form = WidthLayout::Form::Fixed;
    } else {
        layout.form = WidthLayout::Form::Exponential;
    }
    return layout;
}

std::string outOfRangeText(const WidthLayout& layout) {
    const char sign = layout.negative ? '-' : '+';
    if (layout.form == WidthLayout::Form::TooSmall) {
        return std::string(1, sign) + "0,0";
    }
    return std::string(1, sign) + "inf";
}

std::string nonFiniteText(double x) {
    if (std::isnan(x)) {
        return "nan";
    }
    return x < 0 ? "-inf" : "+inf";
}

std::string fixedText(const DecimalDigits& d, std::size_t width, bool padded) {
    std::string text = d.negative ? "-" : "";
    const std::size_t available = std::min(d.digits.size(), MaxWrittenDigits);
    if (d.exponent <= 0) {
        text += "0,";
        for (int e = d.exponent; text.size() < width && e < 0; ++e) {
            text += '0';
        }
        for (std::size_t i = 0; i < available && text.size() < width; ++i) {
            text += d.digits[i];
        }
        if (padded) {
            text.resize(std::max(text.size(), width), '0');
        }
    } else {
        const auto intDigits = static_cast<std::size_t>(d.exponent);
        std::size_t written = 0;
        auto appendDigit = [&](char c) {
            text += c;
            ++written;
            if (written == intDigits && text.size() < width) {
                text += ',';
            }
        };
        for (; written < available && text.size() < width;) {
            appendDigit(d.digits[written]);
        }
        while (text.size() < width && (padded || written < intDigits)) {
            appendDigit('0');
        }
    }
    if (!padded && !text.empty() && text.back() == ',') {
        text.pop_back();
    }
    return text;
}

std::string exponentialText(const DecimalDigits& d, int width, bool padded) {
    const std::string exponent = "E" + std::to_string(d.exponent - 1);
    const int mantissaWidth = width - static_cast<int>(exponent.size());
    const std::size_t limit = mantissaWidth > 0 ? static_cast<std::size_t>(mantissaWidth) : 0;
    std::string text = d.negative ? "-" : "";
    const std::size_t available = std::min(d.digits.size(), MaxWrittenDigits);
    for (std::size_t i = 0; i < available && text.size() < limit; ++i) {
        text += d.digits[i];
        if (i == 0 && text.size() < limit) {
            text += ',';
        }
    }
    if (padded && text.size() < limit) {
        text.resize(limit, '0');
    }
    return text + exponent;
}

std::string formatToWidth(int width, double x, bool padded) {
    const auto size = static_cast<std::size_t>(std::max(width, 0));
    if (!std::isfinite(x)) {
        std::string text = nonFiniteText(x);
        if (padded) {
            text.resize(std::max(text.size(), size), ' ');
        }
        return text;
    }
    const WidthLayout layout = chooseLayout(width, x);
    switch (layout.form) {
    case WidthLayout::Form::TooSmall:
    case WidthLayout::Form::TooLarge: {
        std::string text = outOfRangeText(layout);
        if (padded) {
            const char fill = layout.form == WidthLayout::Form::TooSmall ? '0' : ' ';
            text.resize(std::max(text.size(), size), fill);
        }
        return text;
    }
    case WidthLayout::Form::Fixed:
        return fixedText(decimalDigits(x, layout.fixedPrecision), size, padded);
    case WidthLayout::Form::Exponential:
        break;
    }
    return exponentialText(decimalDigits(x, layout.expPrecision), width, padded);
}

bool isLeapYear(int year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int daysInMonth(int year, int month) {
    static constexpr std::array<int, 12> days{31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && isLeapYear(year) ? 29 : days[static_cast<std::size_t>(month - 1)];
}

/// A run of decimal digits from `pos`; large runs saturate (the date is invalid anyway).
int readDigitRun(std::string_view text, std::size_t& pos) {
    int value = 0;
    while (pos < text.size() && IsDigitChar(text[pos])) {
        value = std::min(value * 10 + (text[pos] - '0'), 99999999);
        ++pos;
    }
    return value;
}

} // namespace

bool IsDigitChar(char c) {
    return c >= '0' && c <= '9';
}

ParsedFloat ParseFloat(std::string_view text) {
    Cursor cursor(text);
    while (cursor.peek() == ' ' || cursor.peek() == '0') {
        cursor.advance();
    }
    bool negative = false;
    if (cursor.accept('-')) {
        negative = true;
    } else {
        cursor.accept('+');
    }
    long double value = 0.0L;
    if (cursor.accept('$')) {
        value = readPowerOfTwoNumber(cursor, 16);
    } else if (cursor.accept('&')) {
        value = readPowerOfTwoNumber(cursor, 2);
    } else {
        value = readDecimalMantissa(cursor);
        const long exponent = readDecimalExponent(cursor);
        if (exponent != 0 && value != 0.0L) {
            value *= std::pow(10.0L, static_cast<long double>(exponent));
        }
    }
    return {negative ? -value : value, cursor.consumed()};
}

double TextToFloat(std::string_view text) {
    return toDouble(ParseFloat(text).value);
}

ParsedInt ParseInt(std::string_view text) {
    Cursor cursor(text);
    while (cursor.peek() == ' ' || cursor.peek() == '0' || cursor.peek() == '"') {
        cursor.advance();
    }
    bool negative = false;
    if (cursor.accept('-')) {
        negative = true;
    } else {
        cursor.accept('+');
    }
    // Accumulated in 64 bits and saturated, so an overlong digit run cannot overflow.
    constexpr std::int64_t limit = std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1;
    std::int64_t magnitude = 0;
    while (IsDigitChar(cursor.peek())) {
        magnitude = std::min(magnitude * 10 + (cursor.peek() - '0'), limit);
        cursor.advance();
    }
    const std::int64_t value = negative ? -magnitude : magnitude;
    const std::int64_t clamped = std::clamp<std::int64_t>(
        value, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max());
    return {static_cast<std::int32_t>(clamped), cursor.consumed()};
}

std::int32_t TextToInt(std::string_view text) {
    return ParseInt(text).value;
}

std::string FloatToWidth(int width, double value) {
    return formatToWidth(width, value, false);
}

std::string FloatToWidthPadded(int width, double value) {
    return formatToWidth(width, value, true);
}

std::string FloatToEng4(double value) {
    if (std::isnan(value)) {
        return "NaN ";
    }
    if (std::fabs(value) < 1e-15 && value >= 0) {
        return "0.00";
    }
    if (value < 0) {
        return "NEG ";
    }
    if (!std::isfinite(value)) {
        return "+INF";
    }
    DecimalDigits d = decimalDigits(value, 3);
    if (d.exponent > 15) {
        return "+INF";
    }
    static constexpr std::string_view prefixes = "***fpn\xB5m.kMGT########";
    d.digits.resize(4, '0');
    const int pos = ((d.exponent + 29) % 3) + 2;
    const int prefixIndex = std::clamp((d.exponent + 26) / 3, 1, 21);
    std::string text;
    std::size_t next = 0;
    for (int i = 1; i <= 4; ++i) {
        text += i == pos ? prefixes[static_cast<std::size_t>(prefixIndex - 1)] : d.digits[next++];
    }
    return text;
}

std::string DateToText(const Date& date) {
    std::array<char, 48> buffer{};
    std::snprintf(buffer.data(), buffer.size(), "%.02d.%.02d.%.04d", date.day, date.month,
                  date.year);
    return buffer.data();
}

DateResult TextToDate(std::string_view text) {
    DateResult result;
    if (text.empty()) {
        result.valid = true;
        return result;
    }
    const std::string padded = std::string(text) + "   ";
    std::size_t pos = 0;
    const int day = readDigitRun(padded, pos);
    ++pos;
    const int month = readDigitRun(padded, pos);
    ++pos;
    int year = readDigitRun(padded, pos);
    if (year < 45) {
        year += 2000;
    }
    if (year < 100) {
        year += 1900;
    }
    result.date = {year, month, day};
    if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1 ||
        day > daysInMonth(year, month)) {
        result.error = "'" + std::string(text) + "' is not a valid date";
        return result;
    }
    result.valid = true;
    return result;
}

int DaysBetween(Date from, Date to) {
    const auto days = [](Date date) {
        return std::chrono::sys_days(std::chrono::year_month_day{
            std::chrono::year{date.year}, std::chrono::month{static_cast<unsigned>(date.month)},
            std::chrono::day{static_cast<unsigned>(date.day)}});
    };
    return static_cast<int>((days(to) - days(from)).count());
}

Date Today() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday};
}

} // namespace tavrel
