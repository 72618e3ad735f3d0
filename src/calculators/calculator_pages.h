// The calculators by name, for tavrel-cli: each page lists its fields (the window's control
// names without their "Edit", "CB_" or "RB_" prefix) with their defaults, and calculates the
// result lists the window would show for a set of field assignments.
#pragma once

#include "calculators/result_lines.h"

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace tavrel {

struct CalculatorField {
    std::string name;        ///< as typed on the command line (any case)
    std::string defaultText; ///< check boxes and radio buttons are 0 or 1
    std::string meaning;
    bool choice = false; ///< a check box, radio button or list: only whole numbers in range
};

struct ResultList {
    std::string name; ///< the window's list ("ListBox2", "MemoTP1", ...)
    Lines lines;
    bool unusableData = false; ///< the lines say why the data allow no result
};

/// NAME=VALUE pairs in the order given; later assignments win.
using FieldAssignments = std::vector<std::pair<std::string, std::string>>;

/// "sealed", "vented", "alternative", "port", "passive-radiator", "crossovers",
/// "divider-level", "divider-parts", "correction".
std::vector<std::string_view> CalculatorPageNames();

bool IsCalculatorPage(std::string_view page);

/// The fields of `page`; none for an unknown page.
std::vector<CalculatorField> CalculatorFields(std::string_view page);

/// The page's result lists for the defaults changed by `assignments`, as if the user had typed
/// them one after the other. Nothing, with `error` set, for an unknown page or field name or a
/// choice value outside its range.
std::optional<std::vector<ResultList>>
CalculatePage(std::string_view page, const FieldAssignments& assignments, std::string& error);

} // namespace tavrel
