// tavrel-cli: the Tavrel core without a window. A small table maps command names to the files
// that implement them (convert_command.cpp, ...).
#include "commands.h"

#include <cstdio>
#include <string_view>
#include <vector>

namespace {

using namespace tavrel::cli;

struct Command {
    std::string_view name;
    std::string_view summary;
    int (*run)(Arguments args);
    void (*help)(std::FILE* out);
};

constexpr Command Commands[] = {
    {"convert", "read a project (.TVP) or driver (.TVC) file and write it plain or coded",
     RunConvert, PrintConvertHelp},
    {"calc", "calculate a project and print the error list", RunCalc, PrintCalcHelp},
    {"export", "calculate a project and write one curve as text", RunExport, PrintExportHelp},
    {"dsp", "write the active filters as biquads for miniDSP, CamillaDSP or Equalizer APO", RunDsp,
     PrintDspHelp},
    {"judge", "calculate a project and print the design judgement", RunJudge, PrintJudgeHelp},
    {"optimize", "tune the marked crossover parts and write the optimized project", RunOptimize,
     PrintOptimizeHelp},
    {"tolerance", "spread of the response of built copies, and how well pairs match", RunTolerance,
     PrintToleranceHelp},
    {"import", "import a measured response from a text file into a driver (.TVC)", RunImport,
     PrintImportHelp},
    {"fit", "fit a driver's voice-coil elements to its measured impedance", RunFit, PrintFitHelp},
    {"fit-ts", "fit Thiele-Small parameters to measured impedance (Vas by mass or box)", RunFitTs,
     PrintFitTsHelp},
    {"calculate", "one page of the design calculators (box, port, crossover, divider, ...)",
     RunCalculate, PrintCalculateHelp},
    {"parts", "calculate a project and list its parts with their loads and ratings", RunParts,
     PrintPartsHelp},
#ifdef TAVREL_HAS_RENDER
    {"render", "calculate a project and draw one chart as PNG or SVG", RunRender, PrintRenderHelp},
    {"report", "calculate a project and write its design report as PDF", RunReport,
     PrintReportHelp},
#endif
};

void printHelp(std::FILE* out) {
    std::fputs("usage: tavrel-cli COMMAND [ARGUMENTS]\n"
               "       tavrel-cli COMMAND --help   describe one command\n"
               "       tavrel-cli --help           show this text\n\n"
               "commands:\n",
               out);
    for (const Command& command : Commands) {
        std::fprintf(out, "  %-10.*s %.*s\n", static_cast<int>(command.name.size()),
                     command.name.data(), static_cast<int>(command.summary.size()),
                     command.summary.data());
    }
    std::fputs("\nexit status: 0 done, 1 the command failed, 2 wrong command line\n", out);
}

const Command* findCommand(std::string_view name) {
    for (const Command& command : Commands) {
        if (command.name == name) {
            return &command;
        }
    }
    return nullptr;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        printHelp(stderr);
        return ExitUsage;
    }
    const std::string_view name = argv[1];
    if (name == "--help" || name == "-h" || name == "help") {
        printHelp(stdout);
        return ExitOk;
    }
    const Command* command = findCommand(name);
    if (command == nullptr) {
        std::fprintf(stderr, "tavrel-cli: unknown command '%s' (see tavrel-cli --help)\n", argv[1]);
        return ExitUsage;
    }
    const std::vector<std::string_view> args(argv + 2, argv + argc);
    // calculate answers --help itself: after a PAGE it lists that page's fields.
    for (std::string_view arg : args) {
        if ((arg == "--help" || arg == "-h") && command->run != RunCalculate) {
            command->help(stdout);
            return ExitOk;
        }
    }
    return command->run(args);
}
