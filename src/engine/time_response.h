// Time-domain views of the on-axis responses: the group delay on the calculation grid, and
// the impulse and step responses, which come from an inverse FFT of each response laid onto a
// uniform frequency grid. Builders read them to align the acoustic centres of their drivers.
#pragma once

#include "engine/result.h"
#include "engine/speaker.h"
#include "model/projekt.h"

namespace tavrel {

/// The on-axis response of a time slot at grid point k: slot 0 the whole speaker, slot d + 1
/// driver d (front and rear source).
TComplex TimeSlotResponse(const TResult& result, int slot, int k);

/// Phase (rad) of `response[0..count)` made continuous. Each step is taken on the branch
/// nearest to the step the group delay of the previous intervals predicts (the smaller of the
/// last two), so a large delay on a coarse grid and a sudden jump at a null both come out
/// right.
void UnwrapPhase(const TComplex* response, const double* freq, int count, double* phase);

/// −dφ/dω (s) of an unwrapped phase on the grid: central differences in ln f, one-sided at
/// the ends.
void GroupDelayOf(const double* freq, const double* phase, int count, double* delay);

/// Group delay, impulse and step of every slot that has a response (the whole speaker, and
/// each driver an amplifier drives) into the time block of `result`, from the on-axis
/// responses of the speaker job and the grid of `working`. A slot whose response or outcome
/// is not finite is left without time curves. With `recompute`, a driver's slot that already
/// has time curves is computed anew only when the speaker job recomputed that driver (its
/// flag is set), as its response is otherwise the one the curves were made from. Returns the
/// slots it wrote (computed or cleared).
TimeSlotMask RunTimeCurves(const TProjekt& working, TResult& result,
                           const DriverMask* recompute = nullptr);

} // namespace tavrel
