#include "export/result_export.h"

#include "export/export_text.h"
#include "export/limit_export.h"
#include "export/time_export.h"
#include "foundation/atomic_file.h"
#include "foundation/number_text.h"

#include <cmath>
#include <numbers>

namespace tavrel {

namespace {

/// How a curve's values become the level column.
enum class LevelKind {
    Pressure,  ///< dB on the model's scale (+112 dB)
    Voltage,   ///< dB re 1 (0 dB = 2.83 V at the amplifier)
    Impedance, ///< magnitude in ohm
    Volts,     ///< real value in volts
    Ratio,     ///< real ratio in dB
};

constexpr double ExpDegreesPerRadian = 57.295827908797776; // 180/3.14159, kept for exp files

struct CurveView {
    LevelKind kind = LevelKind::Pressure;
    std::string title;
    TComplex (*value)(const TResult&, int index, int k) = nullptr;
};

TComplex speakerAt(const TResult& r, int, int k) {
    return r.SpeakerDir[k][0];
}
TComplex directionAt(const TResult& r, int n, int k) {
    return r.SpeakerDir[k][n];
}
TComplex driverAt(const TResult& r, int d, int k) {
    return CAdd(r.DirFront[d][k][0], r.DirRear[d][k][0]);
}
TComplex signalAt(const TResult& r, int d, int k) {
    return CMul(r.ChassisU[d][k], r.AktFilterH[AmpOfDriver(r, d)][k]);
}
TComplex ampZAt(const TResult& r, int a, int k) {
    return r.AmpZ[a][k];
}
TComplex chassisZAt(const TResult& r, int d, int k) {
    return r.ChassisZ[d][k];
}
TComplex chassisUAt(const TResult& r, int d, int k) {
    return r.ChassisU[d][k];
}
TComplex directivityAt(const TResult& r, int, int k) {
    return {r.Directivity[k], 0};
}
TComplex umaxAt(const TResult& r, int, int k) {
    return {r.Umax[k], 0};
}
TComplex pmaxAt(const TResult& r, int, int k) {
    return {r.PmaxSpeaker[k], 0};
}

TComplex umaxExcursionAt(const TResult& r, int d, int k) {
    return {r.UmaxExcursion[d][k], 0};
}
TComplex tiltPlusAt(const TResult& r, int, int k) {
    return r.SumTiltPlus[k];
}
TComplex tiltMinusAt(const TResult& r, int, int k) {
    return r.SumTiltMinus[k];
}
TComplex frontAt(const TResult& r, int d, int k) {
    return r.DirFront[d][k][0];
}
TComplex activeFilterAt(const TResult& r, int a, int k) {
    return r.AktFilterH[a][k];
}

CurveView viewOf(const ExportSpec& spec) {
    const std::string n = std::to_string(spec.index + 1);
    switch (spec.curve) {
    case ExportCurve::Speaker:
        return {LevelKind::Pressure, "Frequency response on axis", speakerAt};
    case ExportCurve::Direction:
        return {LevelKind::Pressure,
                "Frequency response in direction " + std::to_string(spec.index), directionAt};
    case ExportCurve::Driver:
        return {LevelKind::Pressure,
                "Frequency response of driver " + n +
                    " on axis incl. influence of crossover and baffle",
                driverAt};
    case ExportCurve::Signal:
        return {LevelKind::Voltage,
                "Frequency response electrical signal at driver " + n + " (0dB = 2.83V)", signalAt};
    case ExportCurve::AmpZ:
        return {LevelKind::Impedance, "Impedance at amplifier " + n, ampZAt};
    case ExportCurve::ChassisZ:
        return {LevelKind::Impedance, "Impedance of driver " + n, chassisZAt};
    case ExportCurve::ChassisU:
        return {LevelKind::Voltage, "Voltage at driver " + n + " per volt at the amplifier",
                chassisUAt};
    case ExportCurve::Directivity:
        return {LevelKind::Ratio, "Directivity (0 dB = spherical radiating system)", directivityAt};
    case ExportCurve::Umax:
        return {LevelKind::Volts, "max. effective input voltage", umaxAt};
    case ExportCurve::Pmax:
        return {LevelKind::Pressure, "max. SPL on axis", pmaxAt};
    case ExportCurve::UmaxExcursion:
        return {LevelKind::Volts, "max. effective input voltage of driver " + n + " by excursion",
                umaxExcursionAt};
    case ExportCurve::TiltPlus:
        return {LevelKind::Pressure, "Frequency response on axis tilted +1\xB0", tiltPlusAt};
    case ExportCurve::TiltMinus:
        return {LevelKind::Pressure, "Frequency response on axis tilted -1\xB0", tiltMinusAt};
    case ExportCurve::Front:
        return {LevelKind::Pressure, "Front output of driver " + n + " on axis", frontAt};
    case ExportCurve::ActiveFilter:
        return {LevelKind::Voltage, "Transfer function of the active filter at amplifier " + n,
                activeFilterAt};
    default:
        return {}; // a time curve: FormatTimeExport writes it
    }
}

double levelOf(LevelKind kind, TComplex h) {
    switch (kind) {
    case LevelKind::Pressure:
        return 20.0 * std::log10(CAbs(h) + 1e-50) + 112.0;
    case LevelKind::Voltage:
    case LevelKind::Ratio:
        return 20.0 * std::log10(CAbs(h) + 1e-50);
    case LevelKind::Impedance:
        return CAbs(h);
    case LevelKind::Volts:
        return h.Re;
    }
    return 0.0;
}

std::string levelColumnTitle(LevelKind kind, bool exp) {
    switch (kind) {
    case LevelKind::Impedance:
        return exp ? "Z [ohm]" : "Magnitude [ohm]";
    case LevelKind::Volts:
        return exp ? "U [V]" : "Voltage [V]";
    default:
        return exp ? "Ampl. [dB]" : "Level [dB]";
    }
}

std::string formatCurve(const TResult& r, const ExportSpec& spec, const CurveView& view,
                        ExportFormat format) {
    const ExportTable table{view.title,
                            {"Frequency [Hz]", levelColumnTitle(view.kind, false), "Phase [deg]"},
                            {"Frequency [Hz]", levelColumnTitle(view.kind, true), "Phase [\xB0]"}};
    const double degreesPerRadian =
        format == ExportFormat::Exp ? ExpDegreesPerRadian : 180.0 / std::numbers::pi;
    return FormatTable(table, format, ExportPointCount(r), [&](int k, std::vector<double>& row) {
        const TComplex h = view.value(r, spec.index, k);
        row = {r.Freq[k], levelOf(view.kind, h), CPhase(h) * degreesPerRadian};
    });
}

/// Level and phase of every point are finite numbers (an overflow gives inf or NaN).
bool curveIsFinite(const TResult& r, const ExportSpec& spec) {
    const CurveView view = viewOf(spec);
    for (int k = 0; k < ExportPointCount(r); ++k) {
        const TComplex h = view.value(r, spec.index, k);
        if (!std::isfinite(levelOf(view.kind, h)) || !std::isfinite(CPhase(h))) {
            return false;
        }
    }
    return true;
}

bool isDriverCurve(ExportCurve curve) {
    return curve == ExportCurve::Driver || curve == ExportCurve::Signal ||
           curve == ExportCurve::ChassisZ || curve == ExportCurve::ChassisU ||
           curve == ExportCurve::UmaxExcursion || curve == ExportCurve::Front ||
           IsDriverTimeCurve(curve);
}

} // namespace

std::optional<std::string> CheckExport(const TResult& r, const ExportSpec& spec) {
    if (isDriverCurve(spec.curve) && (spec.index < 0 || spec.index >= r.nChassis)) {
        return "Driver " + std::to_string(spec.index + 1) + " does not exist; the project has " +
               std::to_string(r.nChassis) + " drivers.";
    }
    const bool ampCurve =
        spec.curve == ExportCurve::AmpZ || spec.curve == ExportCurve::ActiveFilter;
    if (ampCurve && (spec.index < 0 || spec.index >= r.nAmps)) {
        return "Amplifier " + std::to_string(spec.index + 1) + " does not exist; the project has " +
               std::to_string(r.nAmps) + " amplifiers.";
    }
    if (spec.curve == ExportCurve::Direction && (spec.index < 0 || spec.index >= Directions)) {
        return "Direction " + std::to_string(spec.index) + " does not exist (0 to 29).";
    }
    if (spec.curve == ExportCurve::Signal || IsDriverTimeCurve(spec.curve)) {
        if (AmpOfDriver(r, spec.index) < 0) {
            return UnusedDriverMessage;
        }
    }
    const int slot = TimeSlotOf(spec);
    const bool finite =
        IsTimeCurve(spec.curve) ? slot < TimeSlots && r.HasTime[slot] : curveIsFinite(r, spec);
    if (!finite) {
        return "The curve has values that are not finite numbers; check the project for "
               "extreme values.";
    }
    return std::nullopt;
}

std::string FormatExport(const TResult& r, const ExportSpec& spec, ExportFormat format) {
    if (IsTimeCurve(spec.curve)) {
        return FormatTimeExport(r, spec, format);
    }
    return formatCurve(r, spec, viewOf(spec), format);
}

std::string WriteExport(const std::string& path, const TResult& r, const ExportSpec& spec,
                        ExportFormat format) {
    return WriteFileAtomically(path, FormatExport(r, spec, format));
}

std::optional<ExportFormat> ParseExportFormat(std::string_view name) {
    if (name == "exp") {
        return ExportFormat::Exp;
    }
    if (name == "frd") {
        return ExportFormat::Frd;
    }
    if (name == "zma") {
        return ExportFormat::Zma;
    }
    if (name == "csv") {
        return ExportFormat::Csv;
    }
    return std::nullopt;
}

} // namespace tavrel
