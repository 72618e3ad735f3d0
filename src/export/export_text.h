// Number, grid and table helpers shared by the export files.
#pragma once

#include "engine/result.h"
#include "export/result_export.h"

#include <functional>
#include <string>
#include <vector>

namespace tavrel {

/// Grid points up to the first frequency that is not positive.
int ExportPointCount(const TResult& result);

/// Ten significant digits with a decimal point whatever the process locale.
std::string Significant10(double value);

/// `digits` significant digits with a decimal point whatever the process locale.
std::string Significant(double value, int digits);

/// A curve file's title and column names (the first column is the x axis): `columns` in the
/// frd, zma and csv forms, `expColumns` in the exp form (the same names when empty).
struct ExportTable {
    std::string title;
    std::vector<std::string> columns;
    std::vector<std::string> expColumns;
    int expWidth = 6; ///< the exp form's width of every number
};

/// Fills `values` with the numbers of row `row`, one per column.
using ExportRow = std::function<void(int row, std::vector<double>& values)>;

/// The file text every export writes. exp: "# title" and "# columns" lines, tab-separated
/// numbers at `expWidth` with decimal comma, CR LF. frd and zma: "* title" and "* columns",
/// blank-separated; csv: the column names as its first row, comma-separated; both with ten
/// significant digits and LF.
std::string FormatTable(const ExportTable& table, ExportFormat format, int rows,
                        const ExportRow& row);

} // namespace tavrel
