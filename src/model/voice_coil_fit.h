// Estimates the lossy voice-coil elements (Le, Re2‖Le2, Re3‖Le3) of a driver from its measured
// impedance magnitude above resonance, by a derivative-free coordinate search that minimises
// the squared difference between measured and modelled magnitude. It completes a driver record
// from the record's own measurement, so it sits with the records: the driver file reader calls it
// for drivers of the oldest file version.
#pragma once

#include "model/chassis.h"

#include <string>

namespace tavrel {

/// Shown when fewer than six measured impedance points lie above 1.2·fs.
inline constexpr const char* VoiceCoilFitTooFewPoints =
    "Cannot calculate Re2, Le2, ..due to too less values in impedance response.";

struct VoiceCoilFitResult {
    bool ok = false;     ///< the five values were fitted and stored
    std::string message; ///< why not, when ok is false
};

/// Modelled impedance magnitude at f: Re3‖jωLe3 + Re2‖jωLe2 + Re + jωLe + (Rms‖Cms‖Lms),
/// using Re, Rms, Cms and Lms of `driver`.
double ImpedanceModel(const TChassis& driver, double Le3, double Re3, double Le2, double Re2,
                      double Le, double f);

/// Squared magnitude error over the measured points 0..n−1 above 2·fs; points within a tenth of
/// that range around the impedance minimum i0 count twice.
double FitError(const TChassis& driver, int i0, int n, double Le3, double Re3, double Le2,
                double Re2, double Le);

/// Where the search starts: s is the first point above 1.2·fs, i0 the impedance minimum among
/// the points s..n−1 (the first one on ties), and the five start values.
struct VoiceCoilFitStart {
    int n = 0, s = 0, i0 = 0;
    double Le = 0, Re2 = 0, Le2 = 0, Re3 = 0, Le3 = 0;
};

/// Start of the search on a driver whose measured impedance points are sorted by frequency.
/// Only meaningful when n >= s + 6.
VoiceCoilFitStart FitStartValues(const TChassis& driver);

/// Fits Le, Re2, Le2, Re3 and Le3 of `driver` to its measured impedance (FgangIF/FgangI) using
/// its fs, Re, Rms, Cms and Lms. The measured points are sorted by frequency in any case; the
/// five values change only on success. Runs in the caller's thread on the caller's record.
VoiceCoilFitResult FitVoiceCoil(TChassis& driver);

} // namespace tavrel
