// The voltage divider page: an L-pad (series R1, R2 parallel to the load) designed from a wanted
// level reduction, with suggestions from common resistor values, and the level and impedance
// of a given pair of resistors.
#pragma once

#include "calculators/result_lines.h"

#include <array>
#include <string>

namespace tavrel {

struct DividerLevelInputs {
    std::string dBWunsch = "-3 dB"; ///< the wanted level, read from the choice's text
    std::string ZE = "8";           ///< wanted input impedance, ohm
    std::string ZA = "8";           ///< load impedance of the speaker, ohm
    bool ZEegal = true;             ///< the input impedance does not matter
};

struct DividerPartsInputs {
    std::string R1 = "2.2"; ///< series resistor
    std::string R2 = "6.8"; ///< resistor parallel to the load
    std::string RL = "8";   ///< load
};

/// Common resistor values, ohm; 0 stands for a short and 1e10 for an open position.
inline constexpr std::array<double, 15> CommonResistors{0,  1.0, 1.5, 2.2, 3.3, 4.7, 6.8, 10,
                                                        15, 22,  33,  47,  68,  100, 1e10};

/// The 25 wanted levels offered, "-0.5 dB" to "-15 dB" (the third is written "-1.5dB").
std::array<std::string, 25> DividerLevelChoices();

/// "dB wish = ...", then (when both impedances are positive) the exact R1 and R2 and up to
/// five or more suggestions from the common values.
Lines DividerByLevel(const DividerLevelInputs& in);

/// Level reduction and input impedance of R1 in series with R2 ∥ RL; empty unless all > 0.
Lines DividerByParts(const DividerPartsInputs& in);

} // namespace tavrel
