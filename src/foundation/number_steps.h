// Steps of a number field under the wheel or the arrow keys: a value moves by 1 % per notch
// (0.1 % fine), a frequency to the neighbouring point of a 1/24-octave grid through 1 kHz,
// and a level in dB by 1 % (0.1 % fine) of the voltage factor it stands for.
#pragma once

namespace tavrel {

/// `value` · (1 + `percent` / 100)^notches.
double StepByPercent(double value, int notches, double percent);

/// `value` · (1 ± 1 %)^notches, or 0.1 % per notch when `fine`.
double StepPercent(double value, int notches, bool fine);

/// The next point of the grid 1000 Hz · 2^(k/24) above (notches > 0) or below `frequency`,
/// `notches` times; from a frequency off the grid the first step goes to the nearest point in
/// that direction. Fine steps are 0.1 %. A frequency of 0 or below stays as it is.
double StepFrequency(double frequency, int notches, bool fine);

/// A level in dB stepped by 1 % (fine: 0.1 %) of its voltage factor per notch.
double StepLevelDb(double db, int notches, bool fine);

} // namespace tavrel
