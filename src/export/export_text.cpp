#include "export/export_text.h"

#include <charconv>

namespace tavrel {

int ExportPointCount(const TResult& r) {
    int n = 0;
    while (n < GridSize && r.Freq[n] > 0) {
        ++n;
    }
    return n;
}

std::string Significant10(double value) {
    char buffer[40];
    const auto end =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 10);
    return std::string(buffer, end.ptr);
}

} // namespace tavrel
