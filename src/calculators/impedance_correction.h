// The impedance correction page: a Zobel network against the voice coil inductance, a series
// resonant circuit against the driver's resonance peak, and both combined.
#pragma once

#include "calculators/result_lines.h"

#include <string>

namespace tavrel {

struct CorrectionInputs {
    std::string RLC_Rdc = "6.8"; ///< ohm
    std::string RLC_fc = "66";   ///< resonance frequency (in the box, if boxed), Hz
    std::string RLC_Qes = "0.4";
    std::string RLC_Qms = "2.8";
    std::string RLC_Le = "0.8"; ///< mH
};

struct CorrectionLines {
    Lines inductance; ///< Memo4: R, C
    Lines resonance;  ///< Memo5: R, L, C
    Lines combined;   ///< Memo6: R1, R2, L, C1, C2
};

/// Each memo stays empty when its inputs are not all positive.
CorrectionLines ImpedanceCorrection(const CorrectionInputs& in);

} // namespace tavrel
