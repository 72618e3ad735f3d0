// Reading measured responses from the column text files that measurement systems export:
// one point per line (frequency, first value, second value), units and comments tolerated.
// Also knows when the line before the data names the phase column before the magnitude column.
#pragma once

#include <istream>
#include <limits>
#include <string_view>
#include <vector>

namespace tavrel {

/// At most this many data lines are taken from one file.
constexpr int MaxMeasurementLines = 66000;

/// One number field of a data line and the text after it.
struct MeasurementField {
    double value = 0;     ///< 0 when the field is missing or not a number
    bool present = false; ///< some text stood where the number was expected
    bool number = false;  ///< that text began with a number
    bool finite = true;   ///< false for "nan", "inf" or a number too large for a double
    std::string_view rest;
};

/// Reads one number (point or comma as decimal separator) and skips what follows it up to
/// the next field: units, blanks, and one tab or ";".
MeasurementField ParseField(std::string_view text);

/// value2 of a line whose phase field holds a value word ("NA", "nan"): no phase there.
constexpr double MissingValue = std::numeric_limits<double>::quiet_NaN();

/// The points of a file in file order: value1 the magnitude, value2 the phase. value2 is 0
/// where a line had no second field, and `MissingValue` where its phase was a value word.
struct MeasurementPoints {
    std::vector<double> f, value1, value2;
    /// A header line named the phase before the magnitude; the values were swapped.
    bool swappedByHeader = false;

    int count() const { return static_cast<int>(f.size()); }
};

/// Reads every line, the last one too. A line counts when it is longer than 3 characters,
/// starts with a blank, "+", "-", ".", "," or a digit, and has a frequency above 0. A value
/// word ("NA", "nan", "inf" and the like) is that field's missing value whatever separates
/// it, and the header's order of magnitude and phase says which it is: a line without a
/// frequency or magnitude is skipped, one without a phase is a magnitude point without phase.
/// Lines with a number beyond the range of a double are skipped; text after the third field
/// is never read.
MeasurementPoints ReadMeasurementPoints(std::istream& in);

} // namespace tavrel
