// tavrel-cli calc and judge: one full calculation of a project, reported as the desktop
// program's error list or as the design judgement figures.
#include "commands.h"
#include "engine/calc_engine.h"
#include "optimizer/opti_settings.h"
#include "project_input.h"

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

namespace tavrel::cli {

namespace {

/// The one PROJECT of calc and judge, or nothing after saying what is wrong.
std::optional<CommandLine> projectArgument(const char* command, Arguments args) {
    auto line = ParseCommandLine(command, args, {});
    if (line && line->positional.size() != 1) {
        std::fprintf(stderr, "tavrel-cli %s: needs one PROJECT (see tavrel-cli %s --help)\n",
                     command, command);
        return std::nullopt;
    }
    return line;
}

} // namespace

int RunCalc(Arguments args) {
    const auto input = projectArgument("calc", args);
    if (!input) {
        return ExitUsage;
    }
    const auto project = LoadProjectInput("calc", input->positional[0]);
    if (!project) {
        return ExitUsage; // an unreadable project is status 2, errors of the jobs status 1
    }
    TCalcEngine engine;
    engine.CalculateAll(*project);
    const auto errors = CollectErrors(engine.Status(), *project);
    if (errors.empty()) {
        std::puts("Calculation successful.");
        return ExitOk;
    }
    PrintErrorList(stdout, errors);
    return ExitFailed;
}

void PrintCalcHelp(std::FILE* out) {
    std::fputs("usage: tavrel-cli calc PROJECT [--plain]\n\n"
               "Loads PROJECT as the desktop program does, runs one full calculation and\n"
               "prints the error list of the calculation window, or \"Calculation\n"
               "successful.\".\n\n"
               "  --plain   accepted, not needed: PROJECT may be plain or coded\n\n"
               "exit status: 0 successful, 1 a job reported an error, 2 PROJECT could not be\n"
               "read\n",
               out);
}

int RunJudge(Arguments args) {
    const auto input = projectArgument("judge", args);
    if (!input) {
        return ExitUsage;
    }
    const auto project = LoadProjectInput("judge", input->positional[0]);
    if (!project) {
        return ExitFailed;
    }
    TCalcEngine engine;
    if (!CalculateProject("judge", *project, engine)) {
        return ExitFailed;
    }
    std::fputs(JudgementText(engine.Judgement()).c_str(), stdout);
    return ExitOk;
}

void PrintJudgeHelp(std::FILE* out) {
    std::fputs("usage: tavrel-cli judge PROJECT [--plain]\n\n"
               "Loads PROJECT, runs one full calculation and prints the design judgement\n"
               "(impedance, frequency response, efficiency, phase and total; lower is better)\n"
               "computed with the optimizer's default preferences.\n\n"
               "  --plain   accepted, not needed: PROJECT may be plain or coded\n\n"
               "exit status: 0 printed, 1 PROJECT could not be read or the calculation\n"
               "reported errors (listed on standard error)\n",
               out);
}

} // namespace tavrel::cli
