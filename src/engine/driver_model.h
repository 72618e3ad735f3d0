// The driver model: a lumped equivalent circuit of a driver in its enclosure, evaluated per
// grid frequency, plus the derived driver data, the enclosure loss estimate, the measurement
// enclosures and the lookup of measured curves. Pure functions on copies of the records.
#pragma once

#include "engine/result.h"
#include "model/chassis.h"
#include "model/einbau.h"
#include "model/projekt.h"

#include <string>

namespace tavrel {

/// Derived driver data at frequency f (1e-10 for the stored values at f → 0).
void CalcDerived(TChassis& driver, const TEinbau& einbau, double f);
/// Enclosure losses and air load from the damping settings, unless entered explicitly.
void EstimateEnclosure(const TChassis& driver, TEinbau& einbau);
/// The enclosure in which the frequency response was measured (condition 1..7).
void SetMeasurementEnclosure(TEinbau& einbau, int condition);
/// Level or magnitude of a measured curve at f, smoothed over a relative width when > 0.
double InterpCurve(const MeasuredArray& F, const MeasuredArray& V, double f, double width);
/// Phase (radians) of a measured curve at f, interpolated without crossing the ±π cut.
double InterpPhase(const MeasuredArray& F, const MeasuredArray& P, double f);

struct DriverOutputs {
    Curve PFront{};
    Curve PRear{};
    RealCurve XFig{};
    Curve ZDrv{};
    Curve PCone{}; ///< the diaphragm's own output, on the scale of PFront (also for bandpasses)
};

/// The driver's electrical impedance at f in an enclosure without air-load variation (free
/// air, type 0), after CalcDerived set its derived data for that enclosure. Cheap enough for
/// fitting loops, which evaluate many points of one parameter set.
TComplex FreeAirImpedance(const TChassis& derived, const TEinbau& einbau, double f);

/// Model run over the grid; `message` becomes "Ok" or the error text. Outputs beyond the end
/// of the grid are not written.
void CalcDriver(const TChassis& driver, const TEinbau& einbau, const Grid& freq, DriverOutputs& out,
                std::string& message);

/// The driver job for driver d: model run, results stored into `result`, correction by the
/// measured responses. Returns the job's status text ("Ok" or "Error: driver N: ...").
std::string RunDriverJob(const TProjekt& working, int d, TResult& result);

} // namespace tavrel
