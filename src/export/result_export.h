// Export of one computed curve as a text file: the program's own "exp" format (two header
// lines, frequency / level / phase at width 6 with decimal comma) and the usual text formats
// of measurement programs (frd, zma) and csv.
#pragma once

#include "engine/result.h"

#include <optional>
#include <string>
#include <string_view>

namespace tavrel {

enum class ExportCurve {
    Speaker,       ///< on-axis SpeakerDir
    Direction,     ///< SpeakerDir in direction `index`
    Driver,        ///< driver `index` on axis, front + rear, incl. crossover and baffle
    Signal,        ///< electrical signal at driver `index` (ChassisU × active filter)
    AmpZ,          ///< impedance at amplifier `index`
    ChassisZ,      ///< impedance of driver `index`
    ChassisU,      ///< voltage at driver `index` per volt at the amplifier
    Directivity,   ///< on-axis over rms pressure
    Umax,          ///< maximum amplifier voltage of the speaker
    Pmax,          ///< maximum on-axis SPL of the speaker
    UmaxExcursion, ///< driver `index`'s voltage limit from its excursion alone
    TiltPlus,      ///< on-axis sum for a listening axis tilted about 1° up
    TiltMinus,     ///< on-axis sum for a listening axis tilted about 1° down
    Front,         ///< driver `index`'s own front output in direction 0
    ActiveFilter,  ///< transfer function of amplifier `index`'s active filter
    // Time domain (written by FormatTimeExport): the whole speaker, or driver `index`.
    GroupDelay,
    DriverGroupDelay,
    Impulse,
    DriverImpulse,
    Step,
    DriverStep,
};

enum class ExportFormat { Exp, Frd, Zma, Csv };

struct ExportSpec {
    ExportCurve curve = ExportCurve::Speaker;
    int index = 0; ///< 0-based driver, amplifier or direction
};

/// The reason a curve cannot be exported from these results (driver or amplifier outside the
/// project, a signal of a driver no network uses, a value that is not finite), or nothing.
std::optional<std::string> CheckExport(const TResult& result, const ExportSpec& spec);

/// The whole file text (8-bit, CR LF line ends for exp, LF for the others).
std::string FormatExport(const TResult& result, const ExportSpec& spec, ExportFormat format);

/// Writes the file text to `path` atomically: empty on success, else why not (the old file is
/// then unchanged).
std::string WriteExport(const std::string& path, const TResult& result, const ExportSpec& spec,
                        ExportFormat format);

/// Parses "exp", "frd", "zma" or "csv".
std::optional<ExportFormat> ParseExportFormat(std::string_view name);

} // namespace tavrel
