// TChassis: one loudspeaker driver — parameters, voice-coil substitutes, excursion and power
// data, up to four measured responses and the derived model data. A plain value record,
// copied whole and compared field by field.
#pragma once

#include "foundation/fixed_string.h"

#include <array>
#include <cstdint>

namespace tavrel {

/// Entries of a measured response array; a response holds at most 600 points and always
/// ends with a frequency <= 0.
constexpr int MeasuredSize = 601;
constexpr int MeasuredMaxPoints = 600;
using MeasuredArray = std::array<double, MeasuredSize>;

struct TChassis {
    FixedString<22> Name;
    FixedString<102> Kommentar;
    std::int16_t fgang_which = 0;
    bool hintengeschl = false;
    double fs = 0, Qes = 0, Qms = 0, Vas = 0, Re = 0, Le = 0, Le2 = 0, Re2 = 0, Le3 = 0, Re3 = 0,
           Amem = 0, xlin = 0, _PMax = 0, _ZNenn = 0, seo = 0;
    bool useFgangA = false, useFgangAP = false, useFgangA2fs = false, useFgangI = false,
         useFgangIP = false;
    MeasuredArray FgangAF{}, FgangA{};   ///< sound pressure: Hz, dB
    MeasuredArray FgangAPF{}, FgangAP{}; ///< acoustic phase: Hz, radians
    MeasuredArray FgangIF{}, FgangI{};   ///< impedance magnitude: Hz, ohm
    MeasuredArray FgangIPF{}, FgangIP{}; ///< electrical phase: Hz, radians
    double _PNorm = 0, xmax = 0, _Hvc = 0, _Dvc = 0, _Hpp = 0, _Bl = 0, _SPL = 0, _Le = 0, _Mmd = 0;
    FixedString<255> _fu, _fo, _Da;
    double _magind = 0, _magflu = 0;
    FixedString<15> _bnr;
    double _Etiefe = 0, _Ausschn = 0, _Gewicht = 0;
    std::int8_t Membranform = 0;
    std::int32_t typ = 0;

    // Derived model data (CalcDerived); never stored in files.
    double Cms = 0, Lms = 0, Rms = 0, Cbr = 0, Lab = 0, Rbr = 0, Cbrf = 0, Labf = 0, Rbrf = 0,
           Rab = 0, Rabf = 0, SPL = 0, Vab = 0, Vabf = 0, Qts = 0, Qesbg = 0, Qmsbg = 0, Qtsbg = 0,
           fsbg = 0, fc = 0, Qec = 0, Qmc = 0, Qtc = 0, Bl = 0, Mmd = 0, Cmd = 0, Rmd = 0;

    bool _hst = false;
    std::int32_t Filters = 119;
    FixedString<16> pubdate;
    FixedString<255> OrgFilename;

    bool operator==(const TChassis&) const = default;
};

/// Index of the terminating entry (first frequency <= 0) of a measured frequency list.
inline int MeasuredCount(const MeasuredArray& frequencies) {
    for (int i = 0; i < MeasuredSize; ++i) {
        if (!(frequencies[i] > 0.0)) {
            return i;
        }
    }
    return MeasuredMaxPoints;
}

} // namespace tavrel
