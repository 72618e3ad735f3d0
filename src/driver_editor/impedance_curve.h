// Where the parameter fit's impedance curves come from: a driver's measured impedance lists, or
// a measurement file read as the import reads it.
#pragma once

#include "driver_editor/impedance_fit.h"
#include "driver_editor/measurement_text.h"

namespace tavrel {

/// The driver's measured impedance: its magnitude points, with the measured phase interpolated
/// onto them when the driver holds phase points.
ImpedanceCurve ImpedanceCurveOf(const TChassis& driver);

/// The points of a measurement file as an impedance: the first value the magnitude, the second
/// the phase in degrees when every point has one (a file with one value column is a magnitude).
/// Points whose frequency does not rise above the previous one are left out.
ImpedanceCurve ImpedanceCurveOf(const MeasurementPoints& points);

} // namespace tavrel
