// Result lines of the design calculators: every page writes its results as text lines, so the
// window and tavrel-cli show the same thing. Numbers typed into a calculator field are read
// leniently (point or comma, an unreadable or infinite number counts as 0), and a list whose
// numbers overflow is dropped whole, so no list ever shows "INF" or "NAN".
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tavrel {

using Lines = std::vector<std::string>;

/// The number a calculator field holds: empty text, letters, "-" and non-finite values read 0.
double FieldValue(std::string_view text);

/// Collects the lines of one result list and remembers whether any number in them was not finite.
class LineList {
public:
    void Text(std::string line) { m_lines.push_back(std::move(line)); }
    /// prefix + the number written with `width` characters + suffix.
    void Number(std::string_view prefix, double value, int width, std::string_view suffix);
    /// The number's text with `width` characters (for lines made of several numbers).
    std::string Format(double value, int width);
    bool Contains(std::string_view line) const;
    int Count() const { return static_cast<int>(m_lines.size()); }
    /// The lines, or none when a number was not finite.
    Lines Finish() &&;

private:
    Lines m_lines;
    bool m_overflow = false;
};

/// "x,xxx mH" from henry and "x,xxx µF" (micro sign 0xB5) from farad, with width 5.
std::string MilliHenry(LineList& list, double henry);
std::string MicroFarad(LineList& list, double farad);

} // namespace tavrel
