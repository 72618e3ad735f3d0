// One section of an active filter as an analog prototype H(s) and as the digital biquad the
// bilinear transform makes of it. s = jω with ω in rad/s, so a positive phase is a lead.
//
// Prototypes (ω0 = 2π·f, A = 10^(g/40), ωp = 2π·f2; the audio-EQ cookbook's forms, scaled from
// s/ω0 to s):
//   high pass 1st:  s / (s + ω0)                low pass 1st:  ω0 / (s + ω0)
//   high pass 2nd:  s² / D                      low pass 2nd:  ω0² / D,  D = s² + s·ω0/Q + ω0²
//   peaking:        (s² + s·ω0·A/Q + ω0²) / (s² + s·ω0/(A·Q) + ω0²)
//   low shelf:      A·(s² + s·ω0·√A/Q + A·ω0²) / (A·s² + s·ω0·√A/Q + ω0²)
//   high shelf:     A·(A·s² + s·ω0·√A/Q + ω0²) / (s² + s·ω0·√A/Q + A·ω0²)
//   notch:          (s² + ω0²) / D              all-pass 2nd:  (s² − s·ω0/Q + ω0²) / D
//   all-pass 1st:   (1 − s/ω0) / (1 + s/ω0): 0° far below f0, −90° at f0, −180° far above
//   Linkwitz:       (s² + s·ω0/Q + ω0²) / (s² + s·ωp/q2 + ωp²), ω0, Q the driver in its box
//
// Digital: every characteristic frequency is first prewarped, ω → 2·fs·tan(ω/(2·fs)), so the
// digital response equals the analog one there; then s = 2·fs·(z − 1)/(z + 1).
#pragma once

#include "foundation/complex.h"
#include "model/projekt.h"

namespace tavrel {

/// H(s) = (b0 + b1·s + b2·s²) / (a0 + a1·s + a2·s²), s in rad/s. First-order sections have
/// b2 = a2 = 0.
struct AnalogBiquad {
    double b0 = 1, b1 = 0, b2 = 0, a0 = 1, a1 = 0, a2 = 0;
};

/// H(z) = (b0 + b1·z⁻¹ + b2·z⁻²) / (1 + a1·z⁻¹ + a2·z⁻²): the usual sign convention, a0 = 1.
struct Biquad {
    double b0 = 1, b1 = 0, b2 = 0, a1 = 0, a2 = 0;
};

/// The section's prototype; with rate > 0 (Hz) its frequencies are prewarped for that rate.
AnalogBiquad SectionPrototype(const TDspSection& section, double rate);

/// The bilinear transform of `h` at `rate` Hz (a first-order `h` gives b2 = a2 = 0).
Biquad BilinearBiquad(const AnalogBiquad& h, double rate);

TComplex AnalogResponse(const AnalogBiquad& h, double f);

/// The section's analog response at f Hz. The four high and low passes use the forms in
/// x = f/f0 that the six fixed sections have always used, so old projects compute as before.
TComplex AnalogSectionResponse(const TDspSection& section, double f);

/// The biquad's response at f Hz, z = e^(j·2π·f/rate).
TComplex DigitalResponse(const Biquad& h, double f, double rate);

} // namespace tavrel
