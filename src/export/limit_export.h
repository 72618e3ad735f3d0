// Export of the excursion and vent air velocity curves: frequency and one value column per
// curve (mm, or m/s per port), in the same file formats as the response curves.
#pragma once

#include "engine/result.h"
#include "model/einbau.h"

#include <optional>
#include <string>

namespace tavrel {

inline constexpr const char* UnusedDriverMessage =
    "This driver is not used in any crossover network. Output does not make sense..";

enum class LimitCurve { Excursion, VentVelocity, RadiatorExcursion };

/// What the export needs beyond the results: the level and the driver's own data.
struct LimitExportSpec {
    LimitCurve curve = LimitCurve::Excursion;
    int driver = 0;      ///< 0-based
    double volts = 2.83; ///< V rms at the amplifier
    double amem = 0;     ///< m², the driver's piston area
    TEinbau einbau{};    ///< the driver's enclosure: port areas, radiators
};

/// Why the curve cannot be exported (no such driver, no amplifier, no port or radiators, an
/// unknown port cross-section, a level that is no positive number, values that are not finite),
/// or nothing.
std::optional<std::string> CheckLimitExport(const TResult& result, const LimitExportSpec& spec);

/// The whole file text; `exp` selects the program's own format, `csv` a header row, otherwise
/// frd/zma-style text with '*' comments.
std::string FormatLimitExport(const TResult& result, const LimitExportSpec& spec, bool exp,
                              bool csv);

} // namespace tavrel
