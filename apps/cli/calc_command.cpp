// tavrel-cli calc and judge: one full calculation of a project, reported as the desktop
// program's error list or as the design judgement figures.
#include "commands.h"
#include "engine/calc_engine.h"
#include "optimizer/opti_settings.h"
#include "project_input.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

namespace tavrel::cli {

namespace {

/// The one PROJECT of calc and judge, or nothing after saying what is wrong.
std::optional<CommandLine> projectArgument(const char* command, Arguments args,
                                           std::initializer_list<std::string_view> switches = {}) {
    auto line = ParseCommandLine(command, args, {}, switches);
    if (line && line->positional.size() != 1) {
        std::fprintf(stderr, "tavrel-cli %s: needs one PROJECT (see tavrel-cli %s --help)\n",
                     command, command);
        return std::nullopt;
    }
    return line;
}

/// Every judgement figure by index, each the shortest text that reads back as the same double
/// (a point as decimal separator whatever the locale), so that others can recompute them.
std::string allFigures(const TJudgement& judgement) {
    std::string text;
    for (std::size_t i = 0; i < judgement.J.size(); ++i) {
        char number[40];
        const auto end = std::to_chars(number, number + sizeof number, judgement.J[i]).ptr;
        text += "J[" + std::to_string(i) + "] = " + std::string(number, end) + "\n";
    }
    return text;
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
    engine.SetTimeCurves(false); // neither the error list nor the judgement reads them
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
    const auto input = projectArgument("judge", args, {"--all"});
    if (!input) {
        return ExitUsage;
    }
    const bool everyFigure = input->Has("--all");
    const auto project = LoadProjectInput("judge", input->positional[0]);
    if (!project) {
        return ExitFailed;
    }
    TCalcEngine engine;
    engine.SetTimeCurves(false);
    if (!CalculateProject("judge", *project, engine)) {
        return ExitFailed;
    }
    const auto& J = engine.Judgement().J;
    if (!std::all_of(J.begin(), J.end(), [](double x) { return std::isfinite(x); })) {
        std::fputs("tavrel-cli judge: the judgement has figures that are not finite numbers\n",
                   stderr);
        return ExitFailed;
    }
    const TJudgement& judgement = engine.Judgement();
    std::fputs((everyFigure ? allFigures(judgement) : JudgementText(judgement)).c_str(), stdout);
    return ExitOk;
}

void PrintJudgeHelp(std::FILE* out) {
    std::fputs("usage: tavrel-cli judge PROJECT [--all] [--plain]\n\n"
               "Loads PROJECT, runs one full calculation and prints the design judgement\n"
               "(impedance, frequency response, efficiency, phase and total; lower is better)\n"
               "computed with the optimizer's default preferences.\n\n"
               "  --all     print all 20 figures instead, one line \"J[i] = value\" each for\n"
               "            i = 0 to 19 (0 impedance, 3 efficiency, 7 frequency response,\n"
               "            10 phase, 12 total), each value exact to the last digit\n"
               "  --plain   accepted, not needed: PROJECT may be plain or coded\n\n"
               "exit status: 0 printed, 1 PROJECT could not be read or the calculation\n"
               "reported errors (listed on standard error)\n",
               out);
}

} // namespace tavrel::cli
