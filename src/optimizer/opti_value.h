// TOptiValue: one quantity the optimizer tunes — the value of a part marked for optimizing, or
// the series resistance of a marked inductance — with its current step and limits. Also the
// collection of all of them from a project and the rules of fixing one to its final value.
#pragma once

#include "model/projekt.h"

#include <vector>

namespace tavrel {

struct TOptiValue {
    int amplifier = 0;      ///< 0..5
    int part = 0;           ///< slot 0..185
    int kind = 0;           ///< part type of the slot: PartResistor, PartCapacitor, PartInductance
    bool isSeriesR = false; ///< the inductance's Rvalue instead of its value
    double start = 0;       ///< value at the start of the run (SI unit)
    double step = 0;
    double minimum = 0; ///< lower limit of the value and of the step
    double maxStep = 0;
    const char* caption = ""; ///< "R = ", "C = ", "L = " or "R(L) = "
    const char* unit = "";    ///< " ohm", " µF", " mH" or " ohm"
    double displayFactor = 1; ///< multiplies the value for display in `unit`
};

using OptiValues = std::vector<TOptiValue>;

/// Once this many entries exist no further slot is looked at; an inductance may still add
/// its series resistance, so a run has at most 50 entries.
constexpr int OptiCollectLimit = 48;

/// The entries of every marked resistor, capacitor and inductance of the project's
/// amplifiers, in amplifier and slot order; an inductance's series resistance follows it.
OptiValues CollectOptiValues(const TProjekt& project);

double OptiValueOf(const TProjekt& project, const TOptiValue& entry);
void SetOptiValue(TProjekt& project, const TOptiValue& entry, double value);

/// The entry fixed next: the highest part type first (inductance, capacitor, resistor), among
/// equal types the largest start value; series resistances are never chosen themselves.
/// −1 when there is none.
int ChooseFixation(const OptiValues& values);

/// Removes the fixed entry (and an inductance's series resistance with it) and raises every
/// remaining step to at least 4 % of its start value and 100 times its minimum, so the
/// remaining parts can follow the fixed one.
void RemoveFixed(OptiValues& values, int index);

/// Resistors, capacitors and inductances: the parts that carry a value to tune.
bool IsTunable(const TWeichePart& part);

} // namespace tavrel
