#include "export/export_text.h"

#include "foundation/number_text.h"

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
    return Significant(value, 10);
}

std::string Significant(double value, int digits) {
    char buffer[40];
    const auto end =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, digits);
    return std::string(buffer, end.ptr);
}

std::string FormatTable(const ExportTable& table, ExportFormat format, int rows,
                        const ExportRow& row) {
    const bool exp = format == ExportFormat::Exp;
    const bool csv = format == ExportFormat::Csv;
    const std::string separator = exp ? "\t" : (csv ? "," : " ");
    const std::string end = exp ? "\r\n" : "\n";
    const auto& names = exp && !table.expColumns.empty() ? table.expColumns : table.columns;
    std::string header;
    for (const std::string& name : names) {
        header += (header.empty() ? "" : separator) + name;
    }
    const std::string comment = exp ? "# " : "* ";
    std::string text = csv ? header + end : comment + table.title + end + comment + header + end;
    std::vector<double> values;
    for (int i = 0; i < rows; ++i) {
        values.clear();
        row(i, values);
        for (std::size_t c = 0; c < values.size(); ++c) {
            text += c > 0 ? separator : std::string();
            text += exp ? FloatToWidth(table.expWidth, values[c]) : Significant10(values[c]);
        }
        text += end;
    }
    return text;
}

} // namespace tavrel
