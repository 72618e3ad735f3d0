// The port page: the tuning frequency of a given port in a given box, with the box volume
// reduced by the port, the damping's acoustic enlargement and the end corrections of walls
// near the port's mouths. All dimensions are inner dimensions in cm, volumes in litres.
#pragma once

#include "calculators/result_lines.h"

#include <string>

namespace tavrel {

struct PortInputs {
    bool RB_Vbht = false; ///< volume from b·h·t instead of entered explicitly
    std::string Vb0 = "50";
    std::string b = "20", h = "98", t = "23";
    int TrackBarc = 0;             ///< damping 0 (no wool) .. 4 (stuffed)
    bool RB_Rund = false;          ///< round ports instead of one rectangular port
    std::string c = "8", e = "20"; ///< height and width of a rectangular port
    std::string D = "7";           ///< diameter of a round port
    int nRohre = 1;                ///< number of round ports, 1..4
    std::string l = "15";          ///< port length
    std::string g = "10";          ///< from the port's inner end to the opposite wall
    std::string f = "0", k = "90", i = "0", j = "0"; ///< to the bottom, top, left, right wall
};

/// Speed of sound²/(4π²), m²/s².
inline constexpr double PortK = 2997.485896874921;

/// The intermediate figures of one tuning calculation (SI units).
struct PortFigures {
    double V = 0, Vgeo = 0, Va = 0; ///< net, geometric and acoustic volume
    double S = 0;                   ///< cross-section of all ports together
    double delta0 = 0;              ///< free outer end correction 1.228·S/P
    double Peff = 0;                ///< perimeter left radiating beside the walls
    double delta = 0;               ///< outer end correction used
    double f1 = 0;                  ///< Helmholtz estimate
    double fPrime = 0;              ///< after the round port's rear-wall correction
    double m = 0;                   ///< mean wall distance
    double fb = 0;
};

/// The figures, as far as they could be formed: the volumes always, the rest only when the
/// plausibility tests pass (`tuned`).
struct PortResult {
    PortFigures figures;
    bool tuned = false;
    Lines lines;
};

PortResult PortTuningResult(const PortInputs& in);

/// The lines of the port page's list: volumes, the failed plausibility tests or "fb = ...".
/// Empty when the volume is not positive.
Lines PortTuning(const PortInputs& in);

} // namespace tavrel
