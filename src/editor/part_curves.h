// The per-frequency load of one crossover part as a curve file: power, current or voltage over
// frequency, in the formats of the other curve exports.
#pragma once

#include "engine/result.h"
#include "export/result_export.h"
#include "model/projekt.h"

#include <optional>
#include <string>

namespace tavrel {

enum class PartQuantity { Power, Current, Voltage };

/// "partpower", "partcurrent" or "partvoltage".
std::optional<PartQuantity> FindPartQuantity(const std::string& curveName);

struct PartCurveSpec {
    PartQuantity quantity = PartQuantity::Power;
    int amp = 0;         ///< 0-based
    std::string part;    ///< R1, C2, L1 ...
    double volts = 2.83; ///< V rms at the amplifier's input
};

struct PartCurveText {
    std::optional<std::string> problem; ///< why there is no curve (no such amplifier or part)
    std::string text;
};

PartCurveText FormatPartCurve(const TProjekt& project, const TResult& result,
                              const PartCurveSpec& spec, ExportFormat format);

} // namespace tavrel
