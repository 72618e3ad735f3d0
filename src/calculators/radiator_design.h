// The passive radiator page: the mass to add to each radiator for a wanted tuning of the box,
// the tuning that a given added mass gives, and whether the radiators can move the air the
// driver pushes. Fields hold the typed texts in the page's units (cm², litres, Hz, g, mm).
#pragma once

#include "calculators/result_lines.h"
#include "model/chassis.h"
#include "model/einbau.h"

#include <optional>
#include <string>

namespace tavrel {

struct RadiatorInputs {
    std::string Sd = "330"; ///< the driver's piston area, cm²
    std::string xlin = "8"; ///< the driver's linear excursion, mm
    std::string Vb = "20";  ///< enclosure volume, litres
    std::string vV = "1";   ///< volume increase by damping material
    int PRn = 2;            ///< number of radiators, 1..8
    std::string PRSd = "330";
    std::string PRVas = "50"; ///< litres
    std::string PRfs = "22";
    std::string PRQms = "6";
    std::string PRxmax = "15"; ///< mm
    std::string fb = "30";     ///< the wanted tuning, Hz
    std::string PRmadd = "0";  ///< a given added mass per radiator, g
};

/// True when the volume and radiator data allow a result (the lines say why not otherwise).
bool RadiatorDataUsable(const RadiatorInputs& in);

/// The radiators as typed, in SI units and with the added mass the wanted tuning needs (which
/// may be negative: not reachable). Nothing when the data do not allow the calculation.
std::optional<TEinbau> RadiatorEnclosure(const RadiatorInputs& in);

/// The page's lines: the added mass for the wanted fb, the fb of the given mass, and warnings.
Lines RadiatorDesign(const RadiatorInputs& in);

/// "Use for driver N": a passive radiator enclosure of the page's volume and radiators, its
/// losses estimated for `driver` (unless entered explicitly) and its added mass set for the
/// wanted fb in the acoustic volume that gives. False (and `einbau` unchanged) when the page
/// has no usable result or the tuning cannot be reached.
bool UseRadiatorsForEnclosure(const RadiatorInputs& in, const TChassis& driver, TEinbau& einbau);

} // namespace tavrel
