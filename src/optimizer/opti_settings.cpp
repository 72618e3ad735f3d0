#include "optimizer/opti_settings.h"

#include <cmath>
#include <cstdio>

namespace tavrel {

TJudgeInputs JudgeInputsOf(const TOptiSettings& s) {
    TJudgeInputs in;
    in.Zmin = 8 * std::pow(2.0, -s.zmin / 4.0);
    in.wEfficiency = 1 - s.efficiency / 6.0;
    in.bass = std::pow(10.0, (3 - s.bass) / 10.0);
    in.treble = std::pow(10.0, (3 - s.treble) / 10.0);
    in.wAxis = 10 - s.weightAxis;
    in.wPower = 10 - s.weightPower;
    in.wLeft = 10 - s.weightLeft;
    in.wRight = 10 - s.weightRight;
    in.wDirectivity = 10 - s.weightDirectivity;
    return in;
}

int AccuracyDivisor(const TOptiSettings& settings) {
    return settings.extraAccuracy ? 25 : 1;
}

std::string JudgementText(const TJudgement& judgement) {
    const auto& J = judgement.J;
    char text[256];
    std::snprintf(text, sizeof text,
                  "judge impedance = %8.3f\njudge freq. response = %8.3f\n"
                  "judge efficiency = %8.3f\njudge phase = %8.3f\nTotal judgement = %8.3f\n",
                  J[0], J[7], J[3], J[10], J[12]);
    return text;
}

PartChoice ChoiceFor(const TOptiSettings& settings, int partType) {
    switch (partType) {
    case PartResistor:
        return settings.resistors;
    case PartCapacitor:
        return settings.capacitors;
    default:
        return PartChoice::Manual;
    }
}

} // namespace tavrel
