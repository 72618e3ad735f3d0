// The parts list as a table of texts: one row per crossover part with its loads and the
// rating to order, then one row per driver with the real power it takes.
#pragma once

#include "editor/part_loads.h"

#include <string>
#include <vector>

namespace tavrel {

using TableRow = std::vector<std::string>;

/// The column names of the parts list.
const TableRow& PartsTableHeader();

/// The rows of the parts list of `project` with `loads`; `quantity` fills the Quantity column
/// of the parts (a pair of speakers needs 2 of each).
std::vector<TableRow> PartsTableRows(const TProjekt& project, const NetworkLoads& loads,
                                     int quantity);

/// A figure with 4 significant digits.
std::string Significant4(double value);

/// Header and rows joined by `separator` (tab or comma; a csv field holding a comma or quote is
/// quoted), one line each.
std::string JoinTable(const std::vector<TableRow>& rows, char separator);

} // namespace tavrel
