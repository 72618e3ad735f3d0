// The values the tuning panel lists: every resistor, capacitor and inductance of every
// amplifier's network, and each amplifier's active filter level and the frequencies of its
// enabled sections; of a DSP channel also its delay and the frequencies and gains of its
// further sections; how each is shown, stepped and written back into the project.
#pragma once

#include "model/projekt.h"

#include <string>
#include <vector>

namespace tavrel {

enum class TuningTarget { Part, Level, Frequency, Delay, EqFrequency, EqTarget, EqGain };

struct TuningRow {
    int amp = 0; ///< 0-based
    /// Network slot of a part; filter section 0..5 (HP6 .. TP122) of a frequency; further
    /// section 0..9 (EQ1 .. EQ10) of the Eq targets.
    int slot = 0;
    TuningTarget target = TuningTarget::Part;
    std::string name; ///< "C1", "Level", "High-pass 12dB 2"
    std::string unit; ///< "ohm", "µF" (store text), "mH", "dB", "Hz"

    bool operator==(const TuningRow&) const = default;
};

std::vector<TuningRow> TuningRows(const TProjekt& projekt);

/// The row's value in its unit.
double RowValue(const TProjekt& projekt, const TuningRow& row);

/// The row's value after `notches` steps: a part through the E-series of table step
/// `seriesStep` (fine: 1 %), a frequency on the 1/24-octave grid (fine: 0.1 %), the level by
/// 1 % (fine: 0.1 %) of its voltage factor, and so the gain of a section; a delay by 0.01 ms
/// (fine: 0.001 ms).
double SteppedRowValue(const TProjekt& projekt, const TuningRow& row, int notches, bool fine,
                       int seriesStep);

/// Writes `value` (in the row's unit) into the project; parts stay inside the part editor's
/// range, frequencies above 0. False when the value is not usable (not above 0 where it must
/// be) or the project already holds it.
bool SetRowValue(TProjekt& projekt, const TuningRow& row, double value);

/// Identifies the row's value for grouping tuning steps into gestures.
std::string RowKey(const TuningRow& row);

} // namespace tavrel
