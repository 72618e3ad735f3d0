// Standard part values: the nearest value of the E6 or E12 series, to which the optimizer
// fixes a tuned resistor or capacitor so that the part can be bought, and the neighbouring
// values of a series, through which live tuning steps a part.
#pragma once

namespace tavrel {

/// How the optimizer picks the final value of a resistor or capacitor.
enum class PartChoice { Manual, E6, E12 };

/// The step through the E24-based table that gives the series: 4 for E6, 2 for E12.
int SeriesStep(PartChoice choice);

/// The value of the series (table step `q`) nearest to `x`; at an exact tie the lower value
/// is kept. Values at or below 1e-100 give 1e-100.
double NearestESeries(double x, int q);

/// The table step of the series with `valuesPerDecade` values: 6, 12 or 24 (anything else
/// counts as 12).
int SeriesStepOf(int valuesPerDecade);

/// The next value of the series (table step `q`) above `x` when `direction` > 0, else below
/// it. From a value off the series this is the nearest series value in that direction; a
/// value within one part in 10^9 of a series value counts as that value.
double StepESeries(double x, int q, int direction);

} // namespace tavrel
