// Live tuning of crossover parts: one wheel notch (or + / − key) steps a resistor, capacitor
// or inductance to its neighbouring value of the chosen E-series, by 1 % (fine), or steps an
// inductance's series resistance by 5 %. Values stay inside the range the part editor's value
// field shows. The same steps serve the crossover editor and the tuning panel.
#pragma once

#include "model/weiche.h"
#include "optimizer/opti_value.h" // IsTunable

#include <string>

namespace tavrel {

enum class TuneMode {
    Series,          ///< next value of the tuning series
    Fine,            ///< 1 % per notch, off the series
    SeriesResistance ///< an inductance's series resistance, 5 % per notch
};

/// Lowest and highest value of a part in the part editor's units (ohm, µF, mH): the field
/// shows every value in between with at least two significant digits.
inline constexpr double TuneFieldMin = 0.01;
inline constexpr double TuneFieldMax = 99999.0;

/// The factor from the record's unit (ohm, farad, henry) to the part editor's unit.
double FieldScale(int typ);

/// `value` (record units) moved by `notches` (the sign gives the direction) in `mode`;
/// `seriesStep` is the E-series table step (SeriesStepOf). Clamped to the field's range.
double TunedValue(double value, int typ, int notches, TuneMode mode, int seriesStep);

/// Steps the part's value, or for SeriesResistance an inductance's series resistance; false
/// when the part is not tunable or the value stays as it was (at a limit).
bool TunePart(TWeichePart& part, int notches, TuneMode mode, int seriesStep);

/// The part's name on the schematic and in the tuning panel: its kind letter (R, C, L) and
/// its number among the parts of that kind, counted in slot order ("C1"); empty for other
/// slots.
std::string PartName(const TWeiche& weiche, int slot);

/// The undo text of a tuning gesture on the part called `name`: "Tune C1".
std::string TuneUndoText(const std::string& name);
/// True for an undo text that TuneUndoText made.
bool IsTuneUndoText(const std::string& text);

} // namespace tavrel
