// tavrel-cli tolerance: the tolerance analysis without a window. It writes the spread of the
// speaker's level and of every amplifier impedance per grid frequency and reports the
// judgement spread and the pair figures on standard error.
#include "commands.h"
#include "foundation/number_text.h"
#include "project_input.h"
#include "tolerance/tolerance_run.h"
#include "tolerance/tolerance_text.h"

#include <cmath>
#include <cstdio>
#include <limits>
#include <optional>
#include <string>
#include <vector>

namespace tavrel::cli {

namespace {

const char* const Command = "tolerance";

struct ToleranceLine {
    std::string project, output;
    bool csv = false;
    TTolerances tolerances;
};

bool usage(const std::string& message) {
    std::fprintf(stderr, "tavrel-cli tolerance: %s\n", message.c_str());
    return false;
}

/// The whole text as a number, or nothing.
std::optional<double> number(const std::string& text) {
    const ParsedFloat parsed = ParseFloat(text);
    if (text.empty() || parsed.consumed != static_cast<int>(text.size())) {
        return std::nullopt;
    }
    return static_cast<double>(parsed.value);
}

bool readPercent(const CommandLine& line, TolKind kind, TTolerances& t) {
    const std::string option = "--" + std::string(TolKindName(kind));
    const auto it = line.values.find(option);
    if (it == line.values.end()) {
        return true;
    }
    const auto value = number(it->second);
    if (!value) {
        return usage(option + " takes a number of percent, not '" + it->second + "'");
    }
    if (const std::string problem = CheckTolerancePercent(*value); !problem.empty()) {
        return usage(option + " " + it->second + ": " + problem);
    }
    t[kind] = *value;
    return true;
}

/// A whole number from `low` up, or false after saying why.
bool readWhole(const CommandLine& line, const char* option, int low, int& out) {
    const auto it = line.values.find(option);
    if (it == line.values.end()) {
        return true;
    }
    const auto value = WholeNumber(it->second, low, std::numeric_limits<int>::max());
    if (!value) {
        return usage(std::string(option) + " takes a whole number from " + std::to_string(low) +
                     ", not '" + it->second + "'");
    }
    out = *value;
    return true;
}

bool readOptions(const CommandLine& line, ToleranceLine& r) {
    for (int k = 0; k < TolKindCount; ++k) {
        if (!readPercent(line, static_cast<TolKind>(k), r.tolerances)) {
            return false;
        }
    }
    int runs = r.tolerances.runs, seed = static_cast<int>(r.tolerances.seed);
    if (!readWhole(line, "--runs", MinTolRuns, runs) || !readWhole(line, "--seed", 0, seed)) {
        return false;
    }
    if (runs > MaxTolRuns) {
        return usage("--runs takes at most " + std::to_string(MaxTolRuns) + " runs");
    }
    r.tolerances.runs = runs;
    r.tolerances.seed = static_cast<std::uint64_t>(seed);
    if (const auto format = line.values.find("--format"); format != line.values.end()) {
        if (format->second != "tsv" && format->second != "csv") {
            return usage("--format takes tsv or csv");
        }
        r.csv = format->second == "csv";
    }
    if (const auto out = line.values.find("-o"); out != line.values.end()) {
        r.output = out->second;
    }
    return true;
}

std::optional<ToleranceLine> parse(Arguments args) {
    ToleranceLine result;
    // Every TolKindName as an option.
    const auto line =
        ParseCommandLine(Command, args,
                         {"--runs", "--seed", "--format", "-o", "--r", "--c", "--l", "--dcr",
                          "--fs", "--qes", "--qms", "--vas", "--rdc", "--prmadd", "--prqms"},
                         {"--normal"});
    if (!line) {
        return std::nullopt;
    }
    result.tolerances.normal = line->Has("--normal");
    if (line->positional.size() != 1) {
        usage("needs one PROJECT (see tavrel-cli tolerance --help)");
        return std::nullopt;
    }
    result.project = line->positional[0];
    if (!readOptions(*line, result)) {
        return std::nullopt;
    }
    return result;
}

bool writeTable(const ToleranceLine& line, const ToleranceResult& result) {
    const std::string path = line.output == "-" ? std::string() : line.output;
    return WriteOutput("tolerance", path, FormatToleranceTable(result, line.csv));
}

} // namespace

int RunTolerance(Arguments args) {
    const auto line = parse(args);
    if (!line) {
        return ExitUsage;
    }
    const auto project = LoadProjectInput(Command, line->project);
    if (!project) {
        return ExitUsage; // as calc: an unreadable project is status 2
    }
    EnginePool pool(DefaultEngineCount());
    const std::atomic<bool> never{false};
    const ToleranceReport report =
        tavrel::RunTolerance(*project, line->tolerances, pool, false, nullptr, never);
    if (report.outcome == TolOutcome::NominalFailed) {
        std::fputs("tavrel-cli tolerance: the project does not calculate:\n", stderr);
        PrintErrorList(stderr, report.errors);
        return ExitFailed;
    }
    if (report.outcome != TolOutcome::Finished) {
        std::fputs("tavrel-cli tolerance: a calculation did not finish in time\n", stderr);
        return ExitFailed;
    }
    const ToleranceResult& r = report.result;
    if (!writeTable(*line, r)) {
        return ExitFailed;
    }
    std::fprintf(stderr, "%s\n%s\n%s\n", RunCountText(r).c_str(), JudgementSpreadText(r).c_str(),
                 PairSummaryText(r).c_str());
    return r.runs > 0 ? ExitOk : ExitFailed;
}

void PrintToleranceHelp(std::FILE* out) {
    std::fputs(
        "usage: tavrel-cli tolerance PROJECT [--runs N] [--seed S] [--r P] [--c P] [--l P]\n"
        "         [--dcr P] [--fs P] [--qes P] [--qms P] [--vas P] [--rdc P]\n"
        "         [--prmadd P] [--prqms P] [--normal]\n"
        "         [--format tsv|csv] [-o FILE] [--plain]\n\n"
        "Calculates N built copies of PROJECT, each with every crossover part and driver\n"
        "parameter drawn within its tolerance, and writes one line per grid frequency:\n"
        "the frequency, the speaker's on-axis level as designed, its min, 5 %, 50 %, 95 %\n"
        "and max over the builds, then the same six figures for the impedance at each\n"
        "amplifier. The spread of the total judgement and how much the two speakers of a\n"
        "pair (runs 1 and 2, 3 and 4, ...) differ between 200 Hz and 10 kHz go to\n"
        "standard error. The same seed gives the same numbers on every machine.\n\n"
        "  --runs N     built copies, at least 2 (default 500)\n"
        "  --seed S     seed of the draws, a whole number from 0 (default 1)\n"
        "  --r, --c, --l P    tolerance of resistors, capacitors, inductances in percent\n"
        "               (default 5, 5, 3)\n"
        "  --dcr P      tolerance of the inductances' series resistance (default 5)\n"
        "  --fs, --qes, --qms, --vas, --rdc P   tolerances of every driver (default 10, 10,\n"
        "               10, 10, 5); every tolerance lies between 0 and 100\n"
        "  --prmadd, --prqms P  tolerances of passive radiators' added mass and Qms\n"
        "               (default 3, 10)\n"
        "  --normal     normal deviations with sigma = tolerance / 2, cut at the tolerance\n"
        "               (default: uniform within the tolerance)\n"
        "  --format F   tsv: tab separated (default); csv: comma separated with a header\n"
        "  -o FILE      write the table to FILE (atomically) instead of standard output\n"
        "  --plain      accepted, not needed: PROJECT may be plain or coded\n\n"
        "exit status: 0 written, 1 the project does not calculate (its error list goes to\n"
        "standard error) or FILE could not be written, 2 wrong command line or PROJECT\n"
        "could not be read\n",
        out);
}

} // namespace tavrel::cli
