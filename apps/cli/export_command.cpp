// tavrel-cli export: one curve of a full calculation as exp, frd, zma or csv text.
#include "commands.h"
#include "engine/calc_engine.h"
#include "export/result_export.h"
#include "foundation/number_text.h"
#include "project_input.h"

#include <algorithm>
#include <cstdio>
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
};

std::optional<ExportOptions> parseOptions(Arguments args) {
    const auto line = ParseCommandLine("export", args, {"-o", "--format"});
    if (!line) {
        return std::nullopt;
    }
    ExportOptions options;
    options.force = line->force;
    if (const auto output = line->values.find("-o"); output != line->values.end()) {
        options.output = output->second;
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
    if (positional.size() < 2 || positional.size() > 3) {
        fail("needs PROJECT CURVE [N] (see tavrel-cli export --help)");
        return std::nullopt;
    }
    options.project = positional[0];
    options.curveName = positional[1];
    if (positional.size() == 3) {
        const ParsedInt parsed = ParseInt(positional[2]);
        if (parsed.consumed != static_cast<int>(positional[2].size())) {
            fail("'" + positional[2] + "' is not a number");
            return std::nullopt;
        }
        options.number = parsed.value;
    }
    return options;
}

std::optional<ExportSpec> specOf(const ExportOptions& options) {
    for (const CurveName& entry : CurveNames) {
        if (options.curveName != entry.name) {
            continue;
        }
        if (entry.numbered != options.number.has_value()) {
            fail(std::string("curve '") + entry.name +
                 (entry.numbered ? "' needs a number" : "' takes no number"));
            return std::nullopt;
        }
        const int n = options.number.value_or(0);
        // Any n below 1 is no driver or amplifier; n - 1 of the smallest int would overflow.
        const int oneBased = std::max(n, 0) - 1;
        return ExportSpec{entry.curve, entry.zeroBased || !entry.numbered ? n : oneBased};
    }
    fail("unknown curve '" + options.curveName + "' (see tavrel-cli export --help)");
    return std::nullopt;
}

} // namespace

int RunExport(Arguments args) {
    const auto options = parseOptions(args);
    if (!options) {
        return ExitUsage;
    }
    const auto spec = specOf(*options);
    if (!spec) {
        return ExitUsage;
    }
    const auto project = LoadProjectInput("export", options->project);
    if (!project) {
        return ExitFailed;
    }
    TCalcEngine engine;
    const bool calculated = CalculateProject("export", *project, engine);
    if (!calculated && !options->force) {
        return ExitFailed;
    }
    if (const auto problem = CheckExport(engine.Result(), *spec)) {
        fail(*problem);
        return ExitFailed;
    }
    if (options->output.empty()) {
        const std::string text = FormatExport(engine.Result(), *spec, options->format);
        const bool written = std::fwrite(text.data(), 1, text.size(), stdout) == text.size();
        return written && calculated ? ExitOk : ExitFailed;
    }
    const std::string error = WriteExport(options->output, engine.Result(), *spec, options->format);
    if (!error.empty()) {
        fail(error);
        return ExitFailed;
    }
    return calculated ? ExitOk : ExitFailed;
}

void PrintExportHelp(std::FILE* out) {
    std::fputs("usage: tavrel-cli export PROJECT CURVE [N] [-o FILE] [--format exp|frd|zma|csv]\n"
               "                         [--plain] [--force]\n\n"
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
               "  umaxexcursion N  driver N's voltage limit from its excursion alone\n"
               "  tiltplus       on-axis sum for a listening axis tilted about 1 degree up\n"
               "  tiltminus      the same tilted about 1 degree down\n"
               "  front N        driver N's own front output on axis (no rear, no others)\n\n"
               "  -o FILE        write FILE instead of standard output\n"
               "  --format F     exp: the program's export file (decimal comma, width 6);\n"
               "                 frd, zma: frequency, level in dB or magnitude in ohm, phase in\n"
               "                 degrees, 10 significant digits, '*' comment header;\n"
               "                 csv: the same columns with a header row\n"
               "  --plain        accepted, not needed: PROJECT may be plain or coded\n"
               "  --force        write the curve even when the calculation reported errors\n"
               "                 (the exit status stays 1)\n\n"
               "exit status: 0 written, 1 the project or curve cannot be exported or the\n"
               "calculation reported errors, 2 wrong command line\n",
               out);
}

} // namespace tavrel::cli
