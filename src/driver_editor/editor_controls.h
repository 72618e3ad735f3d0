// What the driver editor's controls show, as plain values: filled from the working records
// and applied back to them. A number or table that still shows what was filled is left as
// it is, so opening the editor and pressing "Ok" never rounds a value to its display width.
#pragma once

#include "driver_editor/driver_fields.h"

#include <array>
#include <map>
#include <string>
#include <vector>

namespace tavrel {

struct EditorControls {
    std::map<std::string, std::string, std::less<>> texts; ///< number and text fields by name
    std::map<std::string, bool, std::less<>> checks;
    std::map<std::string, int, std::less<>> lists; ///< item numbers from 0
    std::int32_t typ = 0;
    std::array<int, 5> damping{};
    std::array<std::vector<TableRow>, 4> tables;
    bool operator==(const EditorControls&) const = default;
};

EditorControls FillControls(DriverRecords& records);

/// Applies what `shown` holds; `filled` is what FillControls gave when the controls were
/// last filled.
void ApplyControls(const EditorControls& shown, const EditorControls& filled,
                   DriverRecords& records);

} // namespace tavrel
