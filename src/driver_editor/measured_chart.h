// The chart on the driver editor's first page: the measured sound pressure (left axis) and
// impedance (right axis) as the tables hold them, so an import can be checked by eye.
#pragma once

#include "charts/tv_chart.h"
#include "model/chassis.h"

namespace tavrel {

/// Curve 0 is the sound pressure, curve 1 the impedance; axes follow the data.
void FillMeasuredChart(TVChart& chart, const TChassis& chassis);

} // namespace tavrel
