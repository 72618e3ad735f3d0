#include "driver_editor/measurement_text.h"

#include "foundation/ascii_case.h"
#include "foundation/number_text.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <string>

namespace tavrel {

namespace {

bool isSeparator(char c) {
    return c == ' ' || c == '\t' || c == ';';
}

/// The length of the word at the start of `text` when it stands for a value that is not there
/// ("NA", "nan", "-inf", "#N/A" and the like), else 0.
std::size_t valueWordLength(std::string_view text) {
    std::size_t end = 0;
    while (end < text.size() && !isSeparator(text[end])) {
        ++end;
    }
    if (end > 9) {
        return 0;
    }
    std::string word = AsciiLower(text.substr(0, end));
    if (!word.empty() && (word.front() == '+' || word.front() == '-')) {
        word.erase(0, 1);
    }
    for (std::string_view known : {"na", "n/a", "#n/a", "nan", "inf", "infinity", "null"}) {
        if (word == known) {
            return end;
        }
    }
    return 0;
}

bool isFieldStart(char c) {
    return c == '\t' || c == ';' || c == '+' || c == '-' || IsDigitChar(c);
}

/// Skips a unit and blanks up to the next field, and one tab or ";" before it. A value word
/// is the next field, never a unit.
std::string_view toNextField(std::string_view rest) {
    std::size_t skip = 0;
    while (skip < rest.size() && !isFieldStart(rest[skip]) &&
           !((skip == 0 || rest[skip - 1] == ' ') && valueWordLength(rest.substr(skip)) > 0)) {
        ++skip;
    }
    rest.remove_prefix(skip);
    if (!rest.empty() && (rest.front() == ';' || rest.front() == '\t')) {
        rest.remove_prefix(1);
    }
    return rest;
}

bool hasDigit(std::string_view text) {
    for (char c : text) {
        if (IsDigitChar(c)) {
            return true;
        }
    }
    return false;
}

bool isExamined(std::string_view line) {
    if (line.size() <= 3) {
        return false;
    }
    const char c = line.front();
    return c == ' ' || c == '+' || c == '-' || c == '.' || c == ',' || IsDigitChar(c);
}

enum class ColumnName { Other, Frequency, Phase, Magnitude };

bool containsAny(const std::string& text, std::initializer_list<std::string_view> words) {
    for (std::string_view word : words) {
        if (text.find(word) != std::string::npos) {
            return true;
        }
    }
    return false;
}

/// Columns are separated by tabs, else by ";", else by two or more blanks, else by a blank after
/// a unit in brackets ("Total Phase [deg] Total SPL [dB]"), else by blanks.
std::vector<std::string> headerColumns(std::string_view line) {
    std::string text = AsciiLower(line);
    char separator = ' ';
    bool runOfTwo = false;
    bool afterUnit = false;
    if (text.find('\t') != std::string::npos) {
        separator = '\t';
    } else if (text.find(';') != std::string::npos) {
        separator = ';';
    } else {
        runOfTwo = text.find("  ") != std::string::npos;
        afterUnit = !runOfTwo &&
                    (text.find("] ") != std::string::npos || text.find(") ") != std::string::npos);
    }
    std::vector<std::string> columns;
    std::string current;
    for (std::size_t i = 0; i <= text.size(); ++i) {
        const bool end = i == text.size();
        const bool split = !end && text[i] == separator &&
                           (!runOfTwo || (i + 1 < text.size() && text[i + 1] == ' ')) &&
                           (!afterUnit || text[i - 1] == ']' || text[i - 1] == ')');
        if (end || split) {
            columns.push_back(current);
            current.clear();
            while (runOfTwo && i + 1 < text.size() && text[i + 1] == ' ') {
                ++i;
            }
        } else {
            current += text[i];
        }
    }
    return columns;
}

/// A column's name without its units in brackets or parentheses, and without blanks around it.
std::string withoutUnits(const std::string& column) {
    std::string name;
    int depth = 0;
    for (char c : column) {
        if (c == '[' || c == '(') {
            ++depth;
        } else if ((c == ']' || c == ')') && depth > 0) {
            --depth;
        } else if (depth == 0) {
            name += c;
        }
    }
    name.erase(0, name.find_first_not_of(' '));
    name.erase(name.find_last_not_of(' ') + 1);
    return name;
}

ColumnName columnName(const std::string& column) {
    const std::string name = withoutUnits(column);
    if (name.find("freq") != std::string::npos || name == "f" || name == "hz") {
        return ColumnName::Frequency;
    }
    if (name.find("phase") != std::string::npos) {
        return ColumnName::Phase;
    }
    // A level measured at an angle ("SPL 30deg") is a magnitude, so its words come first.
    if (containsAny(name, {"mag", "spl", "db", "ohm", "ampl", "level", "imped", "|z|", "gain"})) {
        return ColumnName::Magnitude;
    }
    // Degrees may be written as "°" in Windows-1252 or UTF-8.
    if (containsAny(name, {"deg", "\xB0"})) {
        return ColumnName::Phase;
    }
    return ColumnName::Other;
}

/// The column names of a header line, without a comment mark before them.
std::vector<std::string> headerNames(std::string_view line) {
    const std::size_t start = std::min(line.find_first_not_of("*#'%/ "), line.size());
    std::vector<std::string> names = headerColumns(line.substr(start));
    while (!names.empty() && withoutUnits(names.back()).empty()) {
        names.pop_back(); // a separator at the end of the line
    }
    return names;
}

/// The number of fields of a data line, units and value words included.
int fieldCount(std::string_view line) {
    constexpr int MaxFields = 64;
    int count = 0;
    while (!line.empty() && count < MaxFields) {
        const std::string_view rest = ParseField(line).rest;
        ++count;
        if (rest.size() == line.size()) {
            break;
        }
        line = rest;
    }
    return count;
}

/// True when `line` names exactly `columns` columns: the frequency first, then only phases and
/// magnitudes, a phase before the first magnitude. Prose, names that are only units and lines
/// with more or fewer names are no such line.
bool namesPhaseBeforeMagnitude(std::string_view line, int columns) {
    const std::vector<std::string> names = headerNames(line);
    if (columns < 3 || static_cast<int>(names.size()) != columns ||
        columnName(names.front()) != ColumnName::Frequency) {
        return false;
    }
    ColumnName firstValue = ColumnName::Other;
    bool magnitude = false;
    for (std::size_t i = 1; i < names.size(); ++i) {
        const ColumnName name = columnName(names[i]);
        if (name != ColumnName::Phase && name != ColumnName::Magnitude) {
            return false;
        }
        firstValue = firstValue == ColumnName::Other ? name : firstValue;
        magnitude = magnitude || name == ColumnName::Magnitude;
    }
    return firstValue == ColumnName::Phase && magnitude;
}

/// Collects the points line by line; the line just before the first point may name the columns.
class PointCollector {
public:
    explicit PointCollector(MeasurementPoints& points) : m_points(points) {}

    void addLine(std::string_view line) {
        if (m_points.count() >= MaxMeasurementLines) {
            return;
        }
        if ((!isExamined(line) || !takeData(line)) && !m_dataSeen &&
            line.find_first_not_of(" \t") != std::string_view::npos) {
            m_lineBefore = line;
        }
    }

private:
    /// Stores the line's point; true for a data line, also one whose magnitude is missing.
    bool takeData(std::string_view line) {
        const MeasurementField f = ParseField(line);
        const MeasurementField v1 = ParseField(f.rest);
        const MeasurementField v2 = ParseField(v1.rest);
        if (!f.finite || !v1.finite || !v2.finite || !(f.value > 0)) {
            return false;
        }
        // The header decides which field is the magnitude; only then can a value word be
        // judged a missing magnitude (no point) or a missing phase (a point without phase).
        const bool swapped = m_dataSeen ? m_points.swappedByHeader
                                        : namesPhaseBeforeMagnitude(m_lineBefore, fieldCount(line));
        const MeasurementField& magnitude = swapped ? v2 : v1;
        const MeasurementField& phase = swapped ? v1 : v2;
        if (isValueWord(magnitude)) {
            return true; // a data line without a point: the header before it still counts
        }
        m_points.swappedByHeader = swapped;
        m_dataSeen = true;
        m_points.f.push_back(f.value);
        m_points.value1.push_back(magnitude.value);
        m_points.value2.push_back(isValueWord(phase) ? MissingValue : phase.value);
        return true;
    }

    static bool isValueWord(const MeasurementField& field) {
        return field.present && !field.number;
    }

    MeasurementPoints& m_points;
    bool m_dataSeen = false;
    std::string m_lineBefore;
};

} // namespace

MeasurementField ParseField(std::string_view text) {
    MeasurementField field;
    const std::size_t start = std::min(text.find_first_not_of(' '), text.size());
    if (const std::size_t word = valueWordLength(text.substr(start)); word > 0) {
        field.present = true; // but it stands for the field's missing value
        field.rest = toNextField(text.substr(start + word));
        return field;
    }
    // The number parser skips blanks and zeros alike, which would read "0 80" as 80 Hz;
    // a field ends at the first blank after its first character.
    const std::size_t end = std::min(text.find_first_of(" \t;", start), text.size());
    const ParsedFloat parsed = ParseFloat(text.substr(0, end));
    const std::string_view used = text.substr(0, static_cast<std::size_t>(parsed.consumed));
    // An empty column (a separator right away) is a missing value, not a word.
    const std::size_t first = text.find_first_not_of(' ');
    field.present = first != std::string_view::npos && text[first] != '\t' && text[first] != ';';
    field.number = hasDigit(used);
    field.finite = std::fabs(parsed.value) <= DBL_MAX;
    field.value = field.finite ? static_cast<double>(parsed.value) : 0.0;
    field.rest = toNextField(text.substr(used.size()));
    return field;
}

MeasurementPoints ReadMeasurementPoints(std::istream& in) {
    MeasurementPoints points;
    PointCollector collector(points);
    std::string line;
    while (points.count() < MaxMeasurementLines && std::getline(in, line)) {
        // Lines may end in LF, CR LF or a lone CR.
        std::string_view rest = line;
        while (!rest.empty()) {
            const std::size_t cr = rest.find('\r');
            collector.addLine(rest.substr(0, cr));
            rest = cr == std::string_view::npos ? std::string_view{} : rest.substr(cr + 1);
        }
    }
    return points;
}

} // namespace tavrel
