// tavrel-cli parts: the parts list of a project with each part's load at a programme level and
// the rating to order.
#include "commands.h"
#include "editor/parts_table.h"
#include "engine/calc_engine.h"
#include "level_option.h"
#include "project_input.h"

#include <cstdio>
#include <limits>
#include <string>

namespace tavrel::cli {

namespace {

void fail(const std::string& message) {
    std::fprintf(stderr, "tavrel-cli parts: %s\n", message.c_str());
}

struct PartsOptions {
    std::string project;
    std::string output;
    double volts = DefaultLevelVolts;
    char separator = '\t';
    int quantity = 1;
};

std::optional<PartsOptions> parseOptions(Arguments args) {
    const auto line =
        ParseCommandLine("parts", args, {"-o", "--volts", "--watts", "--format", "--count"});
    if (!line) {
        return std::nullopt;
    }
    if (line->positional.size() != 1) {
        fail("needs PROJECT (see tavrel-cli parts --help)");
        return std::nullopt;
    }
    PartsOptions options;
    options.project = line->positional[0];
    const auto volts = LevelVolts("parts", *line);
    if (!volts) {
        return std::nullopt;
    }
    options.volts = *volts;
    if (const auto output = line->values.find("-o"); output != line->values.end()) {
        options.output = output->second;
    }
    if (const auto format = line->values.find("--format"); format != line->values.end()) {
        if (format->second != "tsv" && format->second != "csv") {
            fail("unknown format '" + format->second + "' (tsv or csv)");
            return std::nullopt;
        }
        options.separator = format->second == "csv" ? ',' : '\t';
    }
    if (const auto count = line->values.find("--count"); count != line->values.end()) {
        const auto number = WholeNumber(count->second, 1, std::numeric_limits<int>::max());
        if (!number) {
            fail("--count needs a whole number from 1, not '" + count->second + "'");
            return std::nullopt;
        }
        options.quantity = *number;
    }
    return options;
}

} // namespace

int RunParts(Arguments args) {
    const auto options = parseOptions(args);
    if (!options) {
        return ExitUsage;
    }
    const auto project = LoadProjectInput("parts", options->project);
    if (!project) {
        return ExitFailed;
    }
    TCalcEngine engine;
    if (!CalculateProject("parts", *project, engine)) {
        return ExitFailed;
    }
    const NetworkLoads loads = ComputeLoads(*project, engine.Result(), options->volts);
    std::vector<TableRow> rows{PartsTableHeader()};
    for (TableRow& row : PartsTableRows(*project, loads, options->quantity)) {
        rows.push_back(std::move(row));
    }
    return WriteOutput("parts", options->output, JoinTable(rows, options->separator)) ? ExitOk
                                                                                      : ExitFailed;
}

void PrintPartsHelp(std::FILE* out) {
    std::fputs(
        "usage: tavrel-cli parts PROJECT [--volts V | --watts W] [--format tsv|csv]\n"
        "                        [--count N] [-o FILE]\n\n"
        "Loads PROJECT, runs one full calculation and prints the parts list: every part of\n"
        "every crossover network with the voltage across it, the current through it and the\n"
        "power it dissipates, for a sine sweep (the largest value over frequency) and for pink\n"
        "noise (the average from 20 Hz to 20 kHz) at the input level, and the rating to order\n"
        "(resistors in W, capacitors in V, coils in A); then each driver's real power. A part\n"
        "of value 0 is a wire and is listed without loads. Figures have 4 significant digits.\n\n"
        "  --volts V      input level, V rms at each amplifier's input (default 2.83)\n"
        "  --watts W      the same level as watts into 8 ohm\n"
        "  --format F     tsv (default) or csv\n"
        "  --count N      the Quantity column, e.g. 2 for a pair of speakers\n"
        "  -o FILE        write FILE instead of standard output\n\n"
        "exit status: 0 written, 1 the project cannot be read or calculated or FILE cannot be\n"
        "written, 2 wrong command line\n",
        out);
}

} // namespace tavrel::cli
