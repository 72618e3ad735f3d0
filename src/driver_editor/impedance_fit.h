// Fits the free-air parameters of a driver (Re, fs, Qes, Qms and the lossy voice coil's Le,
// Re2‖Le2, Re3‖Le3) to one measured impedance curve by nonlinear least squares on the driver
// model's own impedance. The coil's two branch corners are held inside the measured band: a
// corner below it would act as one more series resistance and leave Re and Qes undetermined.
#pragma once

#include "foundation/complex.h"
#include "model/chassis.h"

#include <string>
#include <vector>

namespace tavrel {

/// A measured impedance: frequencies ascending (Hz), magnitude (Ω) and phase (radians), the
/// phase either empty or one value per frequency.
struct ImpedanceCurve {
    std::vector<double> f, magnitude, phase;
};

/// Free-air parameters of one curve, in SI units.
struct ImpedanceFit {
    double Re = 0, fs = 0, Qes = 0, Qms = 0, Le = 0, Re2 = 0, Le2 = 0, Re3 = 0, Le3 = 0;
    double residualDb = 0; ///< rms magnitude error in dB, averaged over log frequency
};

struct ImpedanceFitResult {
    bool ok = false;
    std::string message; ///< why not, when ok is false
    ImpedanceFit fit;
};

/// Fewer measured points than this are refused.
inline constexpr int ImpedanceFitMinPoints = 20;

/// The fitted model's impedance at f.
TComplex FittedImpedance(const ImpedanceFit& fit, double f);

/// Start values read from the curve itself (resonance peak, its −3 dB points, the minimum
/// above it, the rise at the top); ok false with the reason for a curve that has no resonance.
ImpedanceFitResult ImpedanceFitStart(const ImpedanceCurve& curve);

/// The least-squares fit over the whole band on a logarithmic frequency scale: relative error of
/// the magnitude, and of the phase in radians when the curve has phase.
ImpedanceFitResult FitImpedance(const ImpedanceCurve& curve);

} // namespace tavrel
