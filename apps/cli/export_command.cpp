// tavrel-cli export: one curve of a full calculation as exp, frd, zma or csv text.
#include "commands.h"
#include "editor/part_curves.h"
#include "engine/calc_engine.h"
#include "export/limit_export.h"
#include "export/result_export.h"
#include "foundation/number_text.h"
#include "level_option.h"
#include "project_input.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>
#include <limits>
#include <optional>
#include <string>
#include <vector>

namespace tavrel::cli {

namespace {

struct ExportOptions {
    std::string project;
    std::string curveName;
    std::optional<int> number;
    std::string output; ///< empty: standard output
    ExportFormat format = ExportFormat::Exp;
    bool force = false;
    std::optional<double> volts; ///< --volts, for the excursion, vent and part curves
    std::string partName;        ///< K of the part curves
};

void fail(const std::string& message) {
    std::fprintf(stderr, "tavrel-cli export: %s\n", message.c_str());
}

struct CurveName {
    const char* name;
    ExportCurve curve;
    bool numbered;
    bool zeroBased; ///< directions count from 0, drivers and amplifiers from 1
};

constexpr CurveName CurveNames[] = {
    {"speaker", ExportCurve::Speaker, false, false},
    {"direction", ExportCurve::Direction, true, true},
    {"driver", ExportCurve::Driver, true, false},
    {"signal", ExportCurve::Signal, true, false},
    {"ampz", ExportCurve::AmpZ, true, false},
    {"chassisz", ExportCurve::ChassisZ, true, false},
    {"chassisu", ExportCurve::ChassisU, true, false},
    {"directivity", ExportCurve::Directivity, false, false},
    {"umax", ExportCurve::Umax, false, false},
    {"pmax", ExportCurve::Pmax, false, false},
    {"umaxexcursion", ExportCurve::UmaxExcursion, true, false},
    {"tiltplus", ExportCurve::TiltPlus, false, false},
    {"tiltminus", ExportCurve::TiltMinus, false, false},
    {"front", ExportCurve::Front, true, false},
    {"activefilter", ExportCurve::ActiveFilter, true, false},
    // Without a number the whole speaker, with one driver N.
    {"groupdelay", ExportCurve::GroupDelay, false, false},
    {"groupdelay", ExportCurve::DriverGroupDelay, true, false},
    {"impulse", ExportCurve::Impulse, false, false},
    {"impulse", ExportCurve::DriverImpulse, true, false},
    {"step", ExportCurve::Step, false, false},
    {"step", ExportCurve::DriverStep, true, false},
};

/// The entry named `name` that takes a number exactly when one was given, else the first one
/// of that name (to say what it needs), or null.
const CurveName* findCurve(const std::string& name, bool numbered) {
    const CurveName* named = nullptr;
    for (const CurveName& entry : CurveNames) {
        if (name != entry.name) {
            continue;
        }
        if (entry.numbered == numbered) {
            return &entry;
        }
        named = named ? named : &entry;
    }
    return named;
}

std::optional<ExportOptions> parseOptions(Arguments args) {
    const auto line = ParseCommandLine("export", args, {"-o", "--format", "--volts", "--watts"});
    if (!line) {
        return std::nullopt;
    }
    ExportOptions options;
    options.force = line->force;
    if (const auto output = line->values.find("-o"); output != line->values.end()) {
        options.output = output->second;
    }
    if (line->values.contains("--volts") || line->values.contains("--watts")) {
        options.volts = LevelVolts("export", *line);
        if (!options.volts) {
            return std::nullopt;
        }
    }
    if (const auto name = line->values.find("--format"); name != line->values.end()) {
        const auto format = ParseExportFormat(name->second);
        if (!format) {
            fail("unknown format '" + name->second + "' (exp, frd, zma or csv)");
            return std::nullopt;
        }
        options.format = *format;
    }
    const std::vector<std::string>& positional = line->positional;
    if (positional.size() < 2 || positional.size() > 4) {
        fail("needs PROJECT CURVE [N] (see tavrel-cli export --help)");
        return std::nullopt;
    }
    options.project = positional[0];
    options.curveName = positional[1];
    if (positional.size() == 4) {
        options.partName = positional[3];
    }
    if (positional.size() >= 3) {
        const auto number = WholeNumber(positional[2], std::numeric_limits<int>::min(),
                                        std::numeric_limits<int>::max());
        if (!number) {
            fail("'" + positional[2] + "' is not a number");
            return std::nullopt;
        }
        options.number = *number;
    }
    return options;
}

std::optional<ExportSpec> specOf(const ExportOptions& options) {
    const CurveName* entry = findCurve(options.curveName, options.number.has_value());
    if (entry == nullptr) {
        fail("unknown curve '" + options.curveName + "' (see tavrel-cli export --help)");
        return std::nullopt;
    }
    if (entry->numbered != options.number.has_value()) {
        fail(std::string("curve '") + entry->name +
             (entry->numbered ? "' needs a number" : "' takes no number"));
        return std::nullopt;
    }
    const int n = options.number.value_or(0);
    // Any n below 1 is no driver or amplifier; n - 1 of the smallest int would overflow.
    const int oneBased = std::max(n, 0) - 1;
    return ExportSpec{entry->curve, entry->zeroBased || !entry->numbered ? n : oneBased};
}

struct LimitName {
    const char* name;
    LimitCurve curve;
};

constexpr LimitName LimitNames[] = {
    {"excursion", LimitCurve::Excursion},
    {"ventvelocity", LimitCurve::VentVelocity},
    {"radiatorexcursion", LimitCurve::RadiatorExcursion},
};

const LimitName* findLimitCurve(const std::string& name) {
    for (const LimitName& entry : LimitNames) {
        if (name == entry.name) {
            return &entry;
        }
    }
    return nullptr;
}

/// Writes `text` to the chosen output; the exit status of the command.
int writeText(const ExportOptions& options, const std::string& text, bool calculated) {
    return WriteOutput("export", options.output, text) && calculated ? ExitOk : ExitFailed;
}

/// The file text of one curve, or why the results cannot give it.
struct CurveText {
    std::optional<std::string> problem;
    std::string text;
};
using CurveMaker = std::function<CurveText(const TProjekt&, const TResult&)>;

/// Loads and calculates the project, then writes what `make` gives.
int exportCurve(const ExportOptions& options, const CurveMaker& make) {
    const auto project = LoadProjectInput("export", options.project);
    if (!project) {
        return ExitFailed;
    }
    TCalcEngine engine;
    const bool calculated = CalculateProject("export", *project, engine);
    if (!calculated && !options.force) {
        return ExitFailed;
    }
    const CurveText curve = make(*project, engine.Result());
    if (curve.problem) {
        fail(*curve.problem);
        return ExitFailed;
    }
    return writeText(options, curve.text, calculated);
}

/// "excursion N", "ventvelocity N" and "radiatorexcursion N": the driver's own data come from
/// the project.
int runLimitExport(const ExportOptions& options, LimitCurve curve) {
    if (!options.number) {
        fail("curve '" + options.curveName + "' needs a number");
        return ExitUsage;
    }
    const double volts = options.volts.value_or(DefaultLevelVolts);
    return exportCurve(options, [&](const TProjekt& project, const TResult& result) {
        LimitExportSpec spec{curve, std::max(*options.number, 0) - 1, volts};
        if (spec.driver >= 0 && spec.driver < MaxChassis) {
            spec.amem = project.Chassis[spec.driver].Amem;
            spec.einbau = project.Einbau[spec.driver];
        }
        if (auto problem = CheckLimitExport(result, spec)) {
            return CurveText{std::move(problem), {}};
        }
        const bool exp = options.format == ExportFormat::Exp;
        const bool csv = options.format == ExportFormat::Csv;
        return CurveText{std::nullopt, FormatLimitExport(result, spec, exp, csv)};
    });
}

/// "partpower A K", "partcurrent A K" and "partvoltage A K": part K of amplifier A.
int runPartExport(const ExportOptions& options, PartQuantity quantity) {
    if (!options.number || options.partName.empty()) {
        fail("curve '" + options.curveName + "' needs an amplifier and a part name, e.g. 1 R1");
        return ExitUsage;
    }
    const double volts = options.volts.value_or(DefaultLevelVolts);
    return exportCurve(options, [&](const TProjekt& project, const TResult& result) {
        const PartCurveSpec spec{quantity, *options.number - 1, options.partName, volts};
        const PartCurveText curve = FormatPartCurve(project, result, spec, options.format);
        return CurveText{curve.problem, curve.text};
    });
}

} // namespace

int RunExport(Arguments args) {
    const auto options = parseOptions(args);
    if (!options) {
        return ExitUsage;
    }
    if (const LimitName* limit = findLimitCurve(options->curveName)) {
        return runLimitExport(*options, limit->curve);
    }
    if (const auto quantity = FindPartQuantity(options->curveName)) {
        return runPartExport(*options, *quantity);
    }
    if (options->volts) {
        fail("--volts belongs to the curves excursion, ventvelocity, radiatorexcursion and the "
             "part curves");
        return ExitUsage;
    }
    if (!options->partName.empty()) {
        fail("needs PROJECT CURVE [N] (see tavrel-cli export --help)");
        return ExitUsage;
    }
    const auto spec = specOf(*options);
    if (!spec) {
        return ExitUsage;
    }
    return exportCurve(*options, [&](const TProjekt&, const TResult& result) {
        if (auto problem = CheckExport(result, *spec)) {
            return CurveText{std::move(problem), {}};
        }
        return CurveText{std::nullopt, FormatExport(result, *spec, options->format)};
    });
}

void PrintExportHelp(std::FILE* out) {
    std::fputs("usage: tavrel-cli export PROJECT CURVE [N] [-o FILE] [--format exp|frd|zma|csv]\n"
               "                         [--volts V | --watts W] [--plain] [--force]\n\n"
               "Loads PROJECT, runs one full calculation and writes one curve. Options may stand\n"
               "anywhere on the command line. When the calculation reports errors, they are\n"
               "listed on standard error and nothing is written.\n\n"
               "curves:\n"
               "  speaker        the whole speaker on axis\n"
               "  direction K    the whole speaker in direction K (0 on axis .. 29)\n"
               "  driver N       driver N on axis incl. crossover and baffle (N from 1)\n"
               "  signal N       electrical signal at driver N (0 dB = 2.83 V)\n"
               "  ampz A         impedance at amplifier A (from 1)\n"
               "  chassisz N     impedance of driver N\n"
               "  chassisu N     voltage at driver N per volt at the amplifier\n"
               "  directivity    on-axis over rms pressure of all directions\n"
               "  umax           maximum amplifier voltage of the speaker\n"
               "  pmax           maximum SPL of the whole speaker on axis\n"
               "  excursion N    peak excursion of driver N in mm (one side)\n"
               "  ventvelocity N peak air velocity in m/s in each port of driver N (exit\n"
               "                 status 1 for a driver without a port or port cross-section)\n"
               "  radiatorexcursion N  peak excursion of driver N's passive radiators in mm\n"
               "                 (one side; exit status 1 for a driver without radiators)\n"
               "  groupdelay [N] group delay in ms of the whole speaker or of driver N\n"
               "  impulse [N]    impulse response (1/s) over time in ms, every sample\n"
               "  step [N]       step response over time in ms, every sample\n"
               "  umaxexcursion N  driver N's voltage limit from its excursion alone\n"
               "  tiltplus       on-axis sum for a listening axis tilted about 1 degree up\n"
               "  tiltminus      the same tilted about 1 degree down\n"
               "  front N        driver N's own front output on axis (no rear, no others)\n"
               "  partpower A K  power in W that part K (R1, C2, L1 ...) of amplifier A\n"
               "                 dissipates at the input level\n"
               "  partcurrent A K  current in A (rms) through part K of amplifier A\n"
               "  partvoltage A K  voltage in V (rms) across part K of amplifier A\n"
               "  activefilter A transfer function of amplifier A's active filter: level,\n"
               "                 sections, delay and polarity (digital when the project has a\n"
               "                 DSP sample rate)\n\n"
               "  -o FILE        write FILE instead of standard output\n"
               "  --format F     exp: the program's export file (decimal comma, width 6);\n"
               "                 frd, zma: frequency, level in dB or magnitude in ohm, phase in\n"
               "                 degrees, 10 significant digits, '*' comment header;\n"
               "                 csv: the same columns with a header row\n"
               "  --volts V      input level of excursion, ventvelocity, radiatorexcursion and\n"
               "                 the part curves, V rms at the amplifier (default 2.83)\n"
               "  --watts W      the same level as watts into 8 ohm\n"
               "  --plain        accepted, not needed: PROJECT may be plain or coded\n"
               "  --force        write the curve even when the calculation reported errors\n"
               "                 (the exit status stays 1)\n\n"
               "exit status: 0 written, 1 the project or curve cannot be exported or the\n"
               "calculation reported errors, 2 wrong command line\n",
               out);
}

} // namespace tavrel::cli
