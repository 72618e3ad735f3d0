#include "calculators/result_lines.h"

#include "foundation/number_text.h"

#include <algorithm>
#include <cmath>

namespace tavrel {

double FieldValue(std::string_view text) {
    const double value = TextToFloat(text);
    return std::isfinite(value) ? value : 0.0;
}

void LineList::Number(std::string_view prefix, double value, int width, std::string_view suffix) {
    std::string line(prefix);
    line += Format(value, width);
    line += suffix;
    Text(std::move(line));
}

std::string LineList::Format(double value, int width) {
    if (!std::isfinite(value)) {
        m_overflow = true;
        return {};
    }
    return FloatToWidth(width, value);
}

bool LineList::Contains(std::string_view line) const {
    return std::find(m_lines.begin(), m_lines.end(), line) != m_lines.end();
}

Lines LineList::Finish() && {
    if (m_overflow) {
        return {};
    }
    return std::move(m_lines);
}

std::string MilliHenry(LineList& list, double henry) {
    return list.Format(henry * 1000.0, 5) + " mH";
}

std::string MicroFarad(LineList& list, double farad) {
    return list.Format(farad * 1e6, 5) + " \xB5"
                                         "F";
}

} // namespace tavrel
