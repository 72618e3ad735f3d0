// tavrel-cli fit: the driver editor's "Calculate Re.. and Le.. From impedance response"
// without a window: prints the fitted values and, with -o, writes the driver adopting them.
#include "commands.h"
#include "driver_editor/driver_editor_actions.h"
#include "driver_input.h"
#include "model/voice_coil_fit.h"
#include "project_input.h"

#include <string>

namespace tavrel::cli {

void PrintFitHelp(std::FILE* out) {
    std::fputs("usage: tavrel-cli fit DRIVER.TVC [-o OUT.TVC] [--plain]\n\n"
               "Fits Le, Re2, Le2, Re3 and Le3 of the driver to its measured impedance, as the\n"
               "driver editor does, and prints the result. With -o the driver is written to\n"
               "OUT.TVC with the fitted values adopted.\n\n"
               "  -o OUT.TVC   where to write the driver with the fitted values\n"
               "  --plain      write OUT.TVC as plain store text (by default it keeps the\n"
               "               form of DRIVER.TVC, which may be plain or coded)\n"
               "  --help       show this text\n\n"
               "When the fit is not possible (too few impedance points above resonance) the\n"
               "reason is printed on standard error, the status is 1 and nothing is written.\n",
               out);
}

int RunFit(Arguments args) {
    const auto line = ParseCommandLine("fit", args, {"-o"});
    if (!line) {
        return ExitUsage;
    }
    if (line->positional.size() != 1) {
        std::fputs("tavrel-cli fit: needs one DRIVER.TVC (see tavrel-cli fit --help)\n", stderr);
        return ExitUsage;
    }
    bool coded = true;
    auto driver = LoadDriverInput("fit", line->positional[0], coded);
    if (!driver) {
        return ExitFailed;
    }
    auto fitted = std::make_unique<TChassis>(*driver);
    const VoiceCoilFitResult result = FitVoiceCoil(*fitted);
    if (!result.ok) {
        std::fputs("tavrel-cli fit: ", stderr);
        PrintStoreText(stderr, result.message);
        return ExitFailed;
    }
    std::string text = FitQuestionText(*fitted);
    text.resize(text.rfind("\r\n\r\n")); // the lines without the question
    PrintStoreText(stdout, text);
    const auto out = line->values.find("-o");
    if (out == line->values.end()) {
        return ExitOk;
    }
    AdoptFit(*driver, *fitted);
    return SaveDriverOutput("fit", *driver, out->second, coded && !line->plain) ? ExitOk
                                                                                : ExitFailed;
}

} // namespace tavrel::cli
