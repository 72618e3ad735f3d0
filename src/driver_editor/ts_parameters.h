// Thiele-Small parameters from a free-air impedance and, for Vas, a second impedance: with a
// known mass added to the cone, or in a closed box of known net volume. Derives Bl, Mms, Cms,
// Rms, Qts and the sensitivity where the piston area is known.
#pragma once

#include "driver_editor/impedance_fit.h"

namespace tavrel {

enum class VasMethod { None, AddedMass, ClosedBox };

struct VasInput {
    VasMethod method = VasMethod::None;
    double Amem = 0.0;      ///< piston area, m² (0: not given)
    double mass = 0.0;      ///< added mass, kg
    double boxVolume = 0.0; ///< net closed-box volume, m³
};

/// Fitted and derived values in SI units; Vas and the mechanical values are 0 where the input
/// does not determine them.
struct TsParameters {
    ImpedanceFit freeAir;
    ImpedanceFit second; ///< the loaded or boxed curve's own fit, with a method
    double Amem = 0, Vas = 0, Bl = 0, Mms = 0, Cms = 0, Rms = 0, Qts = 0, SPL = 0;
};

struct TsResult {
    bool ok = false;
    std::string message;
    TsParameters p;
};

/// Checks the method's figures before any fit: a clear message for a zero or negative mass,
/// volume or area.
std::string VasInputFault(const VasInput& input);

/// Vas and the derived values from the two fits.
TsResult DeriveParameters(const ImpedanceFit& freeAir, const ImpedanceFit& second,
                          const VasInput& input);

/// Fits the free-air curve and, with a method, the second curve, and derives the rest.
TsResult FitThieleSmall(const ImpedanceCurve& freeAir, const ImpedanceCurve& second,
                        const VasInput& input);

/// One value a fit offers to the driver: its field, caption, display unit and scale (SI value
/// times scale), and where it lives in both records.
struct TsAdoptRow {
    const char* caption;
    const char* unit;
    double scale;
    double TChassis::*field;
    double current;
    double fitted;
};

/// The values of a fit that can be adopted, beside the driver's current ones: fs, Qes, Qms, Re,
/// the coil, and Vas and Sd when the fit determined them.
std::vector<TsAdoptRow> AdoptRows(const TChassis& driver, const TsParameters& p);

/// Writes the rows ticked in `chosen` (one flag per row of AdoptRows) into the driver.
void AdoptChosen(TChassis& driver, const TsParameters& p, const std::vector<bool>& chosen);

/// Writes every fitted parameter into a driver; every other field stays.
void AdoptParameters(TChassis& driver, const TsParameters& p);

} // namespace tavrel
