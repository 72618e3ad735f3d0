// Constants and small predicates shared by the parts of the driver model.
#pragma once

#include "model/einbau.h"

namespace tavrel::driver_detail {

constexpr double FourPiSquared = 39.47841760435743;
constexpr double CompliancePerVolume = 7.21e-6; // 1/(rho·c²), 1/Pa

inline bool positive(double x) {
    return x > 0.0;
}

inline bool isVentedRear(int typ) {
    return typ == EinbauVented || typ == EinbauBandpassBivented;
}

/// Types whose rear output is the enclosure's second source: a port or passive radiators. Their
/// losses are estimated alike.
inline bool hasRearOutput(int typ) {
    return isVentedRear(typ) || typ == EinbauPassiveRadiator;
}

inline bool isBandpass(int typ) {
    return typ == EinbauBandpass || typ == EinbauBandpassBivented;
}

} // namespace tavrel::driver_detail
