// tavrel-cli optimize: the crossover optimizer without a window. It runs the whole
// optimization with the window's preferences, reports every iteration on standard error and
// writes the optimized project.
#include "commands.h"
#include "foundation/number_text.h"
#include "model/projekt_file.h"
#include "optimizer/opti_checks.h"
#include "optimizer/opti_thread.h"
#include "project_input.h"

#include <chrono>
#include <cmath>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

namespace tavrel::cli {

namespace {

const char* const Command = "optimize";

struct OptimizeLine {
    std::string project, out;
    bool plain = false, reference = false;
    std::string mark; ///< "", "resistors" or "all"
    TOptiSettings settings;
};

std::optional<PartChoice> choiceOf(const std::string& text) {
    if (text == "manual") {
        return PartChoice::Manual;
    }
    if (text == "e6") {
        return PartChoice::E6;
    }
    if (text == "e12") {
        return PartChoice::E12;
    }
    return std::nullopt;
}

bool readSlider(const CommandLine& line, const char* option, int maximum, int& position) {
    const auto it = line.values.find(option);
    if (it == line.values.end()) {
        return true;
    }
    const auto value = WholeNumber(it->second, 0, maximum);
    if (!value) {
        std::fprintf(stderr, "tavrel-cli optimize: %s takes a position from 0 to %d\n", option,
                     maximum);
        return false;
    }
    position = *value;
    return true;
}

bool readChoice(const CommandLine& line, const char* option, PartChoice& choice) {
    const auto it = line.values.find(option);
    if (it == line.values.end()) {
        return true;
    }
    const auto parsed = choiceOf(it->second);
    if (!parsed) {
        std::fprintf(stderr, "tavrel-cli optimize: %s takes manual, e6 or e12\n", option);
        return false;
    }
    choice = *parsed;
    return true;
}

std::optional<OptimizeLine> parse(Arguments args) {
    std::vector<std::string_view> rest;
    OptimizeLine result;
    for (std::string_view arg : args) {
        if (arg == "--reference") {
            result.reference = true;
        } else {
            rest.push_back(arg);
        }
    }
    const auto line = ParseCommandLine(Command, rest,
                                       {"-o", "--resistors", "--capacitors", "--bass", "--treble",
                                        "--zmin", "--efficiency", "--mark"});
    if (!line) {
        return std::nullopt;
    }
    const auto out = line->values.find("-o");
    if (line->positional.size() != 1 || out == line->values.end()) {
        std::fputs("tavrel-cli optimize: needs PROJECT and -o OUT (see tavrel-cli optimize "
                   "--help)\n",
                   stderr);
        return std::nullopt;
    }
    result.project = line->positional[0];
    result.out = out->second;
    result.plain = line->plain;
    TOptiSettings& s = result.settings;
    if (!readSlider(*line, "--bass", SliderMax, s.bass) ||
        !readSlider(*line, "--treble", SliderMax, s.treble) ||
        !readSlider(*line, "--zmin", ZminSliderMax, s.zmin) ||
        !readSlider(*line, "--efficiency", SliderMax, s.efficiency) ||
        !readChoice(*line, "--resistors", s.resistors) ||
        !readChoice(*line, "--capacitors", s.capacitors)) {
        return std::nullopt;
    }
    if (const auto mark = line->values.find("--mark"); mark != line->values.end()) {
        result.mark = mark->second;
        if (result.mark != "resistors" && result.mark != "all") {
            std::fputs("tavrel-cli optimize: --mark takes resistors or all\n", stderr);
            return std::nullopt;
        }
    }
    return result;
}

/// The five judgement lines, or false when one of them is not a number to print.
bool printJudgement(const char* heading, const TJudgement& judgement) {
    for (const int i : {0, 3, 7, 10, 12}) {
        if (!std::isfinite(judgement.J[static_cast<std::size_t>(i)])) {
            std::fprintf(stderr, "tavrel-cli optimize: the judgement %s is not finite\n", heading);
            return false;
        }
    }
    std::printf("%s\n%s", heading, JudgementText(judgement).c_str());
    return true;
}

std::string oneLine(std::string text) {
    for (char& c : text) {
        c = c == '\r' || c == '\n' ? ' ' : c;
    }
    return text;
}

/// Where --reference keeps the project as it was: OUT with "-reference" before ".TVP".
std::string referenceName(const std::string& out) {
    const std::size_t dot = out.size() >= 4 ? out.size() - 4 : out.size();
    return out.substr(0, dot) + "-reference" + out.substr(dot);
}

bool write(const TProjekt& project, const std::string& path, bool coded) {
    const FileWriteResult written = WriteProjekt(project, path, coded);
    if (!written.ok) {
        std::fprintf(stderr, "tavrel-cli optimize: %s\n", oneLine(written.error).c_str());
    }
    return written.ok;
}

} // namespace

int RunOptimize(Arguments args) {
    const auto line = parse(args);
    if (!line) {
        return ExitUsage;
    }
    bool coded = true;
    auto project = LoadProjectInput(Command, line->project, &coded);
    if (!project) {
        return ExitFailed;
    }
    coded = coded && !line->plain; // OUT keeps the form PROJECT was stored in
    if (CountMarkedParts(*project) == 0 && !line->mark.empty()) {
        MarkParts(*project, line->mark == "all");
    }
    if (CountMarkedParts(*project) == 0) {
        std::fputs("No parts marked for optimization.\n", stderr);
        return ExitFailed;
    }
    if (const std::string problem = DriverDataProblem(*project); !problem.empty()) {
        std::fprintf(stderr, "%s\n", oneLine(problem).c_str());
        return ExitFailed;
    }
    if (line->reference && !write(*project, referenceName(line->out), coded)) {
        return ExitFailed;
    }

    TJudgement before, after;
    OptiCallbacks callbacks;
    callbacks.report = [&before, &after](const OptiReport& r) {
        (r.iteration == 0 ? before : after) = r.judgement;
        if (r.iteration == 0) {
            return;
        }
        std::fprintf(stderr, "iteration %d: total judgement %.3f, %d part%s left%s%s\n",
                     r.iteration, r.judgement.J[12], r.partsLeft, r.partsLeft == 1 ? "" : "s",
                     r.fixation.empty() ? "" : "; ", r.fixation.c_str());
    };
    TOptiThread thread(std::move(callbacks));
    thread.Start(*project, line->settings);
    while (!thread.WaitIdle(std::chrono::hours(1))) {
    }
    if (thread.Outcome() == OptiOutcome::TimedOut) {
        std::fputs("tavrel-cli optimize: a calculation did not finish in time; nothing was "
                   "written\n",
                   stderr);
        return ExitFailed;
    }
    if (!printJudgement("results before optimization", before) ||
        !printJudgement("results after optimization", after)) {
        return ExitFailed;
    }
    return write(thread.Centre(), line->out, coded) ? ExitOk : ExitFailed;
}

void PrintOptimizeHelp(std::FILE* out) {
    std::fputs("usage: tavrel-cli optimize PROJECT -o OUT.TVP [--resistors manual|e6|e12]\n"
               "         [--capacitors manual|e6|e12] [--bass P] [--treble P] [--zmin P]\n"
               "         [--efficiency P] [--mark resistors|all] [--reference] [--plain]\n\n"
               "Tunes the crossover parts marked for optimizing so that the total design\n"
               "judgement falls, fixes them one by one to their final values, and writes the\n"
               "optimized project to OUT (never to PROJECT unless you name it as OUT). Every\n"
               "iteration prints a line on standard error; the judgements before and after the\n"
               "optimization go to standard output.\n\n"
               "  --resistors, --capacitors  how the final value is chosen: manual keeps the\n"
               "               optimized value (there is no part editor without a window), e6 or\n"
               "               e12 takes the nearest value of that series (default manual);\n"
               "               inductances always keep their optimized value\n"
               "  --bass P, --treble P       0 strong / brilliant .. 6 (default 3)\n"
               "  --zmin P     minimum impedance, 0 (8 ohm) .. 8 (2 ohm) (default 5)\n"
               "  --efficiency P             0 important .. 6 (default 3)\n"
               "  --mark       when no part is marked: mark every resistor, or every part\n"
               "  --reference  also write the project as it was, to OUT-reference.TVP\n"
               "  --plain      write OUT as plain store text (by default OUT keeps the form\n"
               "               of PROJECT, which may be plain or coded)\n\n"
               "exit status: 0 written, 1 nothing to optimize, driver data missing or a file\n"
               "could not be read or written, 2 wrong command line\n",
               out);
}

} // namespace tavrel::cli
