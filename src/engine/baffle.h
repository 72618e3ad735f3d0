// Baffle diffraction: an edge-source model of a driver on its rectangular baffle, giving a
// complex transfer factor per grid frequency and per direction of the 30-direction set.
#pragma once

#include "engine/result.h"
#include "model/projekt.h"
#include "model/schallwand.h"

#include <string>

namespace tavrel {

/// Fills R for every grid frequency; `message` becomes "Ok" or the input fault texts, and
/// "Unknown error." when the result would not be finite. Rows beyond the grid and all rows
/// after a fault hold (1e-100, 0). `seo` is accepted for the callers' sake and not used.
/// Long grids are shared with one short-lived helper thread; R is written by row only.
void CalcBaffle(Directional& R, const TSchallwand& baffle, const Grid& freq, double seo,
                std::string& message);
/// The baffle of the measurement condition 1..7 of a driver's frequency response.
void SetMeasurementBaffle(TSchallwand& baffle, int condition);
/// Re-index the 30 directions of every grid frequency for a driver turned by 90°.
void TurnLeft(Directional& R, const Grid& freq);
void TurnUp(Directional& R, const Grid& freq);
/// Re-index for a rear-side output radiating to the opposite side.
void MirrorFrontBack(Directional& R, const Grid& freq);

/// The baffle job for driver d: front and rear baffle factors into `result`. Returns the
/// status text ("Ok" or "Error: driver N: ...").
std::string RunBaffleJob(const TProjekt& working, int d, TResult& result);

} // namespace tavrel
