// The optimizer's preferences as the window's sliders and choices hold them, turned into the
// judgement inputs every engine uses, and the texts that report a judgement.
#pragma once

#include "optimizer/e_series.h"
#include "optimizer/judgement.h"

#include <string>

namespace tavrel {

/// Slider positions; position 0 is the top end of each slider ("strong" bass, "brilliant"
/// treble, "preferably > 8 ohm", "important" efficiency, "high" weight).
struct TOptiSettings {
    int bass = 3;                                                         ///< 0..6
    int treble = 3;                                                       ///< 0..6
    int zmin = 5;                                                         ///< 0..8
    int efficiency = 3;                                                   ///< 0..6
    int weightAxis = 0, weightPower = 7, weightLeft = 8, weightRight = 8; ///< 0..10
    int weightDirectivity = 7;                                            ///< 0..10
    PartChoice resistors = PartChoice::Manual;
    PartChoice capacitors = PartChoice::Manual;
    bool extraAccuracy = false;
};

constexpr int SliderMax = 6;     ///< bass, treble, efficiency
constexpr int ZminSliderMax = 8; ///< minimum impedance

TJudgeInputs JudgeInputsOf(const TOptiSettings& settings);

/// The accuracy divisor N of the run's fixation rule: 25 with extra accuracy, else 1.
int AccuracyDivisor(const TOptiSettings& settings);

/// The five judgement lines of the result memos, each ending with a line break.
std::string JudgementText(const TJudgement& judgement);

/// The Part choice of a part type (inductances are always chosen by hand).
PartChoice ChoiceFor(const TOptiSettings& settings, int partType);

} // namespace tavrel
