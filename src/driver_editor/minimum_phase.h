// The minimum phase of a measured magnitude, for responses and impedances measured without
// phase. Outside its band the magnitude is continued by a model's slopes, joined at the band
// edges without a step. The model's own phase is known, so only the measurement's departure from
// the model goes through the Hilbert transform (folded real cepstrum, by FFT): that departure is
// flat outside the band, which the finite transform represents exactly, where a response still
// falling at the transform's top frequency would bend the phase far below it.
#pragma once

#include <complex>
#include <vector>

namespace tavrel {

/// Phase (radians) at each of the ascending frequencies `f` of the magnitude `magnitude`
/// (linear, > 0). `model` holds a minimum-phase model's values at the same frequencies, or is
/// empty for a flat continuation.
std::vector<double> MinimumPhase(const std::vector<double>& f, const std::vector<double>& magnitude,
                                 const std::vector<std::complex<double>>& model);

} // namespace tavrel
