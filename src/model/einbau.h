// TEinbau: how one driver is built in — enclosure type, volumes, port tuning, losses and the
// damping settings from which the losses are estimated.
#pragma once

#include <cstdint>

namespace tavrel {

enum EinbauTyp : std::int32_t {
    EinbauIntegrated = 0,
    EinbauClosed = 1,
    EinbauVented = 2,
    EinbauBandpass = 3,
    EinbauBandpassBivented = 4,
    EinbauPassiveRadiator = 5,
};

constexpr std::int32_t MaxRadiators = 8;

struct TEinbau {
    std::int32_t Typ = 0;
    double Vb = 0;  ///< m³, rear chamber for bandpass types
    double vV = 1;  ///< volume increase by damping material
    double mb = 1;  ///< air-load mass factor
    double Ql = 0;  ///< enclosure losses
    double Qb = 0;  ///< vented enclosure Q
    double fb = 0;  ///< port tuning, Hz
    double fmb = 1; ///< frequency limit of the air load, Hz
    double Vbf = 0; ///< front chamber, m³
    double vVf = 1;
    double Qbf = 0;
    double fbf = 0;
    double Qk = 0;
    double Qkf = 0;
    bool mbQExpl = false; ///< air load and Q factors entered explicitly
    std::int8_t Bedv = 2, Bedc = 2, Bedk = 0, Bedvf = 0, Bedkf = 0; ///< damping 0..4
    double Aport = 0;  ///< m², cross-section of the rear chamber's port; 0 unknown
    double Aportf = 0; ///< m², cross-section of the front chamber's port; 0 unknown
    // Passive radiators (type 5): PRn identical ones; data of one, as its maker states them.
    std::int32_t PRn = 1;
    double PRSd = 0;   ///< m², effective area
    double PRVas = 0;  ///< m³, equivalent volume
    double PRfs = 0;   ///< Hz, free-air resonance without added mass
    double PRQms = 0;  ///< mechanical Q
    double PRmadd = 0; ///< kg, mass added to each
    double PRxmax = 0; ///< m, linear excursion, one side

    bool operator==(const TEinbau&) const = default;
};

} // namespace tavrel
