#include "driver_editor/measurement_text.h"

#include "foundation/ascii_case.h"
#include "foundation/number_text.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <string>

namespace tavrel {

namespace {

bool startsWithWord(std::string_view text, std::string_view word) {
    if (text.size() < word.size()) {
        return false;
    }
    for (std::size_t i = 0; i < word.size(); ++i) {
        if (LowerAscii(text[i]) != word[i]) {
            return false;
        }
    }
    return true;
}

/// "nan", "inf" or "infinity" after blanks and a sign: text that would stand for a value no
/// response can have.
bool namesNonFinite(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && text[i] == ' ') {
        ++i;
    }
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        ++i;
    }
    const std::string_view word = text.substr(i);
    return startsWithWord(word, "nan") || startsWithWord(word, "inf");
}

bool isFieldStart(char c) {
    return c == '\t' || c == ';' || c == '+' || c == '-' || IsDigitChar(c);
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

enum class HeaderOrder { None, PhaseFirst, MagnitudeFirst };

bool containsAny(const std::string& text, std::initializer_list<std::string_view> words) {
    for (std::string_view word : words) {
        if (text.find(word) != std::string::npos) {
            return true;
        }
    }
    return false;
}

/// Columns are separated by tabs, else by ";", else by two or more blanks, else by blanks.
std::vector<std::string> headerColumns(std::string_view line) {
    std::string text = AsciiLower(line);
    char separator = ' ';
    bool runOfTwo = false;
    if (text.find('\t') != std::string::npos) {
        separator = '\t';
    } else if (text.find(';') != std::string::npos) {
        separator = ';';
    } else {
        runOfTwo = text.find("  ") != std::string::npos;
    }
    std::vector<std::string> columns;
    std::string current;
    for (std::size_t i = 0; i <= text.size(); ++i) {
        const bool end = i == text.size();
        const bool split = !end && text[i] == separator &&
                           (!runOfTwo || (i + 1 < text.size() && text[i + 1] == ' '));
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

HeaderOrder headerOrder(std::string_view line) {
    bool phaseSeen = false;
    for (const std::string& column : headerColumns(line)) {
        // Degrees may be written as "°" in Windows-1252 or UTF-8.
        if (containsAny(column, {"phase", "deg", "\xB0"})) {
            phaseSeen = true;
        } else if (containsAny(column, {"mag", "spl", "db", "ohm", "ampl", "level", "imped", "|z|",
                                        "gain"})) {
            return phaseSeen ? HeaderOrder::PhaseFirst : HeaderOrder::MagnitudeFirst;
        }
    }
    return HeaderOrder::None;
}

/// Collects the points line by line and remembers the last header seen before the data.
class PointCollector {
public:
    explicit PointCollector(MeasurementPoints& points) : m_points(points) {}

    void addLine(std::string_view line) {
        if (m_points.count() >= MaxMeasurementLines) {
            return;
        }
        if (!isExamined(line) || !accept(line)) {
            noteHeader(line);
        }
    }

private:
    bool accept(std::string_view line) {
        const MeasurementField f = ParseField(line);
        const MeasurementField v1 = ParseField(f.rest);
        const MeasurementField v2 = ParseField(v1.rest);
        if (!f.finite || !v1.finite || !v2.finite || !(f.value > 0) || (v1.present && !v1.number)) {
            return false;
        }
        m_dataSeen = true;
        m_points.f.push_back(f.value);
        if (m_points.swappedByHeader) {
            m_points.value1.push_back(v2.value);
            m_points.value2.push_back(v1.value);
        } else {
            m_points.value1.push_back(v1.value);
            m_points.value2.push_back(v2.value);
        }
        return true;
    }

    void noteHeader(std::string_view line) {
        if (m_dataSeen) {
            return;
        }
        const HeaderOrder order = headerOrder(line);
        if (order != HeaderOrder::None) {
            m_points.swappedByHeader = order == HeaderOrder::PhaseFirst;
        }
    }

    MeasurementPoints& m_points;
    bool m_dataSeen = false;
};

} // namespace

MeasurementField ParseField(std::string_view text) {
    MeasurementField field;
    // The number parser skips blanks and zeros alike, which would read "0 80" as 80 Hz;
    // a field ends at the first blank after its first character.
    const std::size_t start = std::min(text.find_first_not_of(' '), text.size());
    const std::size_t end = std::min(text.find_first_of(" \t;", start), text.size());
    const ParsedFloat parsed = ParseFloat(text.substr(0, end));
    const std::string_view used = text.substr(0, static_cast<std::size_t>(parsed.consumed));
    // An empty column (a separator right away) is a missing value, not a word.
    const std::size_t first = text.find_first_not_of(' ');
    field.present = first != std::string_view::npos && text[first] != '\t' && text[first] != ';';
    field.number = hasDigit(used);
    field.finite = !namesNonFinite(text) && std::fabs(parsed.value) <= DBL_MAX;
    field.value = field.finite ? static_cast<double>(parsed.value) : 0.0;
    std::string_view rest = text.substr(used.size());
    std::size_t skip = 0;
    while (skip < rest.size() && !isFieldStart(rest[skip])) {
        ++skip;
    }
    // "nan" or "inf" where a value belongs makes the line unusable, even where the
    // skipping below would pass over it.
    for (std::size_t i = 0; i < skip; ++i) {
        if ((i == 0 || rest[i - 1] == ' ') && namesNonFinite(rest.substr(i))) {
            field.finite = false;
        }
    }
    rest.remove_prefix(skip);
    if (!rest.empty() && (rest.front() == ';' || rest.front() == '\t')) {
        rest.remove_prefix(1);
    }
    field.rest = rest;
    return field;
}

bool NamesPhaseBeforeMagnitude(std::string_view line) {
    return headerOrder(line) == HeaderOrder::PhaseFirst;
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
