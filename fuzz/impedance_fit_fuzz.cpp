// Measurement text as the parameter fit and the minimum phase read it: the points of a file as
// an impedance curve, fitted, and the minimum phase of its magnitude.
#include "driver_editor/impedance_curve.h"
#include "driver_editor/minimum_phase.h"
#include "fuzz_input.h"

#include <sstream>
#include <string>

using namespace tavrel;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::istringstream in{std::string(fuzz::Bytes(data, size))};
    const ImpedanceCurve curve = ImpedanceCurveOf(ReadMeasurementPoints(in));
    FitImpedance(curve);
    MinimumPhase(curve.f, curve.magnitude, {});
    return 0;
}
