// The design judgement: penalty figures computed from a finished calculation; lower is
// better. The optimizer minimises J[12].
#pragma once

#include "engine/result.h"
#include "model/projekt.h"

#include <array>

namespace tavrel {

/// Defaults are the optimizer window's slider positions at first use.
struct TJudgeInputs {
    double Zmin = 3.363585661014858; ///< ohm: 8·2^(−5/4), "Min. impedance" slider at 5
    double wEfficiency = 0.5;        ///< 0..1, slider at 3
    double bass = 1.0;               ///< bass factor b of the target curve
    double treble = 1.0;             ///< treble factor t of the target curve
    double wAxis = 10, wPower = 3, wLeft = 2, wRight = 2; ///< 0..10
    double wDirectivity = 3;                              ///< 0..10
};

struct TJudgement {
    TJudgeInputs In;
    std::array<double, 20>
        J{}; ///< J[0] impedance, J[3] efficiency, J[7] response, J[10] phase, J[12] total
};

/// The target level of the speaker's responses at f Hz: bass factor b > 1 lifts the low end,
/// treble factor t > 1 the high end; about 1 in the midrange.
double JudgeTarget(double f, double bass, double treble);

/// Computes the figures from the results of a pass over `working`.
void Judge(const TProjekt& working, const TResult& result, TJudgement& judgement);

} // namespace tavrel
