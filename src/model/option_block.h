// The chart option block (colours, frequency grid, chart scales) as stored in the "Option"
// section. Both the project file and the settings file carry this block with the same keys,
// so the reading and writing live here once.
#pragma once

#include "foundation/my_ini_file.h"
#include "model/projekt.h"

namespace tavrel {

inline constexpr const char* OptionSection = "Option";

/// The built-in colours: all 7 amplifier colours, the first 9 driver colours and direction
/// colours 1 to 7. Direction colours 8 to 10 and driver colour 10 are left as they are.
void SetDefaultColors(TOptionBlock& option);

/// Reads the "Option" section into `option`: the colour defaults are set first and then
/// replaced by as many items as each list holds (at most 7, 9 and 10); every other key falls
/// back to its usual default when missing. An unusable grid (fMin outside 10..1000, fMax
/// outside 1000..<100000, fMin not below fMax) becomes 20..20000 Hz, and a point count
/// outside 10..250 becomes 84. A value that reads as infinite or NaN keeps its default, so
/// chart scales are always finite.
///
/// Deliberately not done here, because they depend on the caller: the project reader's
/// version rule for glatt_a/glatt_i and rebuilding the frequency grid (BuildGrid).
void ReadOptionBlock(TMyIniFile& store, TOptionBlock& option);

/// Writes the "Option" section: the three colour lists (7, 9 and 10 items), Par1..Par6,
/// fMin, fMax, sz, glatt_a, glatt_i, dBMin, dBMax, AfMin, AfMax, ImpMax.
void WriteOptionBlock(TMyIniFile& store, const TOptionBlock& option);

} // namespace tavrel
