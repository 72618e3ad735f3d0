// tavrel-cli report: the design report of a project as one PDF.
#include "app/ui/design_report.h"
#include "commands.h"
#include "engine/calc_engine.h"
#include "level_option.h"
#include "project_input.h"

#include <QGuiApplication>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>

namespace tavrel::cli {

namespace {

void fail(const std::string& message) {
    std::fprintf(stderr, "tavrel-cli report: %s\n", message.c_str());
}

/// "design" of "design.TVP", "Bench 8x6" of "Bench 8x6.TVP.plain".
std::string projectName(const std::string& path) {
    std::string name = std::filesystem::path(path).filename().string();
    for (const char* tail : {".plain", ".TVP", ".tvp"}) {
        if (name.size() > std::strlen(tail) && name.ends_with(tail)) {
            name.resize(name.size() - std::strlen(tail));
        }
    }
    return name;
}

} // namespace

int RunReport(Arguments args) {
    const auto line = ParseCommandLine("report", args, {"-o", "--volts", "--watts", "--page"});
    if (!line) {
        return ExitUsage;
    }
    const auto output = line->values.find("-o");
    if (line->positional.size() != 1 || output == line->values.end() || output->second.empty()) {
        fail("needs PROJECT -o FILE.pdf (see tavrel-cli report --help)");
        return ExitUsage;
    }
    DesignReportInput input;
    const auto volts = LevelVolts("report", *line);
    if (!volts) {
        return ExitUsage;
    }
    input.volts = *volts;
    if (const auto page = line->values.find("--page"); page != line->values.end()) {
        if (page->second != "a4" && page->second != "letter") {
            fail("--page takes a4 or letter, not '" + page->second + "'");
            return ExitUsage;
        }
        input.letter = page->second == "letter";
    }
    if (std::getenv("QT_QPA_PLATFORM") == nullptr) {
        ::setenv("QT_QPA_PLATFORM", "offscreen", 1); // fonts, no screen
    }
    static int argc = 1;
    static char name[] = "tavrel-cli";
    static char* argv[] = {name, nullptr};
    QGuiApplication application(argc, argv);

    const auto project = LoadProjectInput("report", line->positional[0]);
    if (!project) {
        return ExitFailed;
    }
    input.name = projectName(line->positional[0]);
    TCalcEngine engine;
    const bool calculated = CalculateProject("report", *project, engine);
    if (!calculated) {
        input.errors = CollectErrors(engine.Status(), *project);
    }
    auto displayed = MakeResult();
    *displayed = engine.Result();
    displayed->Valid = calculated;
    const std::string problem =
        WriteDesignReport(output->second, *project, *displayed, engine.Judgement(), input);
    if (!problem.empty()) {
        fail(problem);
        return ExitFailed;
    }
    return calculated ? ExitOk : ExitFailed;
}

void PrintReportHelp(std::FILE* out) {
    std::fputs(
        "usage: tavrel-cli report PROJECT -o FILE.pdf [--volts V | --watts W]\n"
        "                         [--page a4|letter] [--plain]\n\n"
        "Loads PROJECT, runs one full calculation and writes the design report as one PDF:\n"
        "the project's name and comments, the drivers with their data, enclosure and baffle,\n"
        "each amplifier's active filter and schematic, the parts list with each part's load\n"
        "and the rating to order at the input level, the charts and the judgement. When the\n"
        "calculation reports errors, the report lists them instead of loads and charts and\n"
        "the exit status is 1.\n\n"
        "  -o FILE        the PDF to write (replaced only when written completely)\n"
        "  --volts V      input level of the parts list, V rms (default 2.83)\n"
        "  --watts W      the same level as watts into 8 ohm\n"
        "  --page P       a4 (default) or letter\n\n"
        "exit status: 0 written, 1 the project cannot be read, the calculation reported\n"
        "errors or FILE cannot be written, 2 wrong command line\n",
        out);
}

} // namespace tavrel::cli
