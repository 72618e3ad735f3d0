// Standard part values: the nearest value of the E6 or E12 series, to which the optimizer
// fixes a tuned resistor or capacitor so that the part can be bought.
#pragma once

namespace tavrel {

/// How the optimizer picks the final value of a resistor or capacitor.
enum class PartChoice { Manual, E6, E12 };

/// The step through the E24-based table that gives the series: 4 for E6, 2 for E12.
int SeriesStep(PartChoice choice);

/// The value of the series (table step `q`) nearest to `x`; at an exact tie the lower value
/// is kept. Values at or below 1e-100 give 1e-100.
double NearestESeries(double x, int q);

} // namespace tavrel
