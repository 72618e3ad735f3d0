// tavrel-cli import: the driver editor's "Import ..." without a window. Every question is
// answered by its default button (or by --single), every window's text is printed, and the
// driver is written only when the import stored something.
#include "commands.h"
#include "driver_editor/measured_minimum_phase.h"
#include "driver_editor/measurement_import.h"
#include "driver_input.h"
#include "foundation/ascii_case.h"
#include "project_input.h"

#include <string>

namespace tavrel::cli {

namespace {

constexpr const char* Command = "import";

struct ImportOptions {
    ImportKind kind = ImportKind::FrequencyResponse;
    std::string driver, file, out;
    std::string single; ///< "", "magnitude" or "phase"
    bool plain = false;
    bool minimumPhase = false;
};

bool usage(const std::string& message) {
    std::fprintf(stderr, "tavrel-cli import: %s (see tavrel-cli import --help)\n", message.c_str());
    return false;
}

bool parseOptions(Arguments args, ImportOptions& options) {
    std::vector<std::string_view> rest;
    int kinds = 0;
    for (std::string_view arg : args) {
        if (arg == "--response" || arg == "--impedance") {
            options.kind =
                arg == "--response" ? ImportKind::FrequencyResponse : ImportKind::Impedance;
            ++kinds;
        } else {
            rest.push_back(arg);
        }
    }
    const auto line = ParseCommandLine(Command, rest, {"-o", "--single"}, {"--minimum-phase"});
    if (!line) {
        return false;
    }
    if (kinds != 1) {
        return usage("needs one of --response and --impedance");
    }
    if (line->positional.size() != 2 || !line->values.contains("-o")) {
        return usage("needs DRIVER.TVC, FILE and -o OUT.TVC");
    }
    options.driver = line->positional[0];
    options.file = line->positional[1];
    options.out = line->values.at("-o");
    options.plain = line->plain;
    options.minimumPhase = line->Has("--minimum-phase");
    if (line->values.contains("--single")) {
        options.single = line->values.at("--single");
        if (options.single != "magnitude" && options.single != "phase") {
            return usage("--single takes magnitude or phase");
        }
    }
    return true;
}

bool mentionsPhase(std::string_view caption) {
    return AsciiLower(caption).find("phase") != std::string::npos;
}

/// The button of the single-column question that --single names, else the default.
int answer(const std::string& captions, int def, const std::string& single) {
    const auto bar = captions.find('|');
    if (single.empty() || bar == std::string::npos || !mentionsPhase(captions)) {
        return def;
    }
    const bool firstIsPhase = mentionsPhase(captions.substr(0, bar));
    return (single == "phase") == firstIsPhase ? 1 : 2;
}

std::string buttonCaption(const std::string& captions, int number) {
    std::size_t start = 0;
    for (int i = 1; i < number && start != std::string::npos; ++i) {
        start = captions.find('|', start);
        start = start == std::string::npos ? start : start + 1;
    }
    if (start == std::string::npos) {
        return "";
    }
    std::string caption = captions.substr(start, captions.find('|', start) - start);
    caption.erase(0, caption.find_first_not_of(" &"));
    caption.erase(caption.find_last_not_of(' ') + 1);
    return caption;
}

void printPoints(const char* list, int points) {
    if (points >= 0) {
        std::printf("%s: %d points\n", list, points);
    } else {
        std::printf("%s: unchanged\n", list);
    }
}

} // namespace

void PrintImportHelp(std::FILE* out) {
    std::fputs("usage: tavrel-cli import DRIVER.TVC FILE (--response|--impedance) -o OUT.TVC\n"
               "                         [--single magnitude|phase] [--minimum-phase] [--plain]\n\n"
               "Imports the measured sound pressure and acoustic phase (--response) or impedance\n"
               "and electrical phase (--impedance) from the column text FILE into the driver, as\n"
               "the driver editor's \"Import ...\" does, and writes the driver to OUT.TVC.\n\n"
               "  --single KIND   a file with one value column holds a magnitude or a phase\n"
               "                  (otherwise the proposal of the question is taken)\n"
               "  --minimum-phase the phase list gets the minimum phase of the imported magnitude\n"
               "                  instead of the file's phase (for files without phase)\n"
               "  --plain         write OUT.TVC as plain store text (by default it keeps the\n"
               "                  form of DRIVER.TVC, which may be plain or coded)\n"
               "  --help          show this text\n\n"
               "The texts of the windows after the file was read are printed, each question with\n"
               "the button taken, then the number of points stored in each list. When nothing in\n"
               "FILE is usable the command prints \"File does not provide suitable data.\" on\n"
               "standard error, exits with status 1 and does not write OUT.TVC.\n",
               out);
}

int RunImport(Arguments args) {
    ImportOptions options;
    if (!parseOptions(args, options)) {
        return ExitUsage;
    }
    bool coded = true;
    auto driver = LoadDriverInput(Command, options.driver, coded);
    if (!driver) {
        return ExitFailed;
    }
    std::vector<std::string> windows;
    ImportDialogs dialogs;
    bool explained = false;
    dialogs.ask = [&](const std::string& text, const std::string& captions, int def) {
        if (!explained) { // the explanation before the file dialog is the same every time
            explained = true;
            return def;
        }
        const int pressed = answer(captions, def, options.single);
        windows.push_back(text + "\r\n[" + buttonCaption(captions, pressed) + "]");
        return pressed;
    };
    dialogs.tell = [&](const std::string& text) { windows.push_back(text); };
    dialogs.chooseFile = [&](const std::string&, const std::string&) { return options.file; };
    const bool response = options.kind == ImportKind::FrequencyResponse;
    const ImportResult result =
        response
            ? ImportResponse(options.kind,
                             {driver->FgangAF, driver->FgangA, driver->FgangAPF, driver->FgangAP},
                             dialogs)
            : ImportResponse(options.kind,
                             {driver->FgangIF, driver->FgangI, driver->FgangIPF, driver->FgangIP},
                             dialogs);
    if (!result.imported) {
        for (const std::string& window : windows) {
            std::fputs("tavrel-cli import: ", stderr);
            PrintStoreText(stderr, window);
        }
        return ExitFailed;
    }
    for (const std::string& window : windows) {
        PrintStoreText(stdout, window);
    }
    printPoints(response ? "sound pressure" : "impedance", result.magnitudePoints);
    if (options.minimumPhase) {
        const std::string fault = SetMinimumPhase(*driver, options.kind);
        if (!fault.empty()) {
            std::fprintf(stderr, "tavrel-cli import: %s\n", fault.c_str());
            return ExitFailed;
        }
        std::printf("%s: %d points, minimum phase from the magnitude\n",
                    response ? "acoustic phase" : "electrical phase",
                    MeasuredCount(response ? driver->FgangAF : driver->FgangIF));
    } else {
        printPoints(response ? "acoustic phase" : "electrical phase", result.phasePoints);
    }
    return SaveDriverOutput(Command, *driver, options.out, coded && !options.plain) ? ExitOk
                                                                                    : ExitFailed;
}

} // namespace tavrel::cli
