// Passive radiators: a diaphragm without motor in the enclosure wall, whose mass resonates with
// the enclosure's air. Its own data are those a maker states for one radiator; the enclosure
// holds PRn identical ones, each carrying PRmadd of added mass.
#pragma once

#include "model/einbau.h"

namespace tavrel {

inline constexpr const char* RadiatorFault =
    "Passive radiator: 1 to 8 radiators; Sd, Vas, fs, Qms and xmax must be > 0; added mass "
    "must not be negative. ";

/// True when the radiator data can be computed with (the model's check).
bool RadiatorDataValid(const TEinbau& einbau);

/// Suspension compliance (m/N) and moving mass (kg, added mass included) of one radiator.
double RadiatorCompliance(const TEinbau& einbau);
double RadiatorMass(const TEinbau& einbau);

struct RadiatorTuning {
    double fp = 0; ///< Hz: resonance of one radiator with its added mass, in free air
    double fb = 0; ///< Hz: the system's tuning in the acoustic volume `vab`
};

/// Tuning of the radiators in an acoustic volume `vab` (m³); zeros when it cannot be computed.
RadiatorTuning TuningOf(const TEinbau& einbau, double vab);

/// Mass (kg) to add to each radiator for the system tuning `fb` in `vab`; negative when even
/// the bare radiator tunes lower; NaN when it cannot be computed.
double AddedMassFor(const TEinbau& einbau, double vab, double fb);

/// The radiators as the driver model's elements, seen from the voice coil: their compliance as
/// an inductor, their mass as a capacitor, their losses as a parallel resistor. `vas` and `lms`
/// are the driver's equivalent volume and suspension inductor.
struct RadiatorElements {
    double Lpr = 0, Cpr = 0, Rpr = 0;
};
RadiatorElements RadiatorElementsOf(const TEinbau& einbau, double vas, double lms);

} // namespace tavrel
