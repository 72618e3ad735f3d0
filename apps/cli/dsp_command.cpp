// tavrel-cli dsp: the active filters as biquads for a DSP (miniDSP, CamillaDSP, Equalizer APO
// or csv).
#include "commands.h"
#include "export/dsp_export.h"
#include "project_input.h"

#include <cstdio>
#include <limits>
#include <optional>
#include <string>

namespace tavrel::cli {

namespace {

void fail(const std::string& message) {
    std::fprintf(stderr, "tavrel-cli dsp: %s\n", message.c_str());
}

/// The whole number given for `option`, `fallback` when it is absent, or nothing after saying
/// why.
std::optional<int> intOption(const CommandLine& line, const std::string& option, int fallback) {
    const auto found = line.values.find(option);
    if (found == line.values.end()) {
        return fallback;
    }
    const auto number = WholeNumber(found->second, 1, std::numeric_limits<int>::max());
    if (!number) {
        fail(option + " needs a positive whole number, not '" + found->second + "'");
    }
    return number;
}

struct DspOptions {
    std::string project;
    std::string output;
    DspExportRequest request;
};

std::optional<DspOptions> parseOptions(Arguments args) {
    const auto line =
        ParseCommandLine("dsp", args, {"-o", "--format", "--amp", "--rate", "--biquads"});
    if (!line) {
        return std::nullopt;
    }
    if (line->positional.size() != 1) {
        fail("needs one PROJECT (see tavrel-cli dsp --help)");
        return std::nullopt;
    }
    DspOptions options;
    options.project = line->positional[0];
    if (const auto output = line->values.find("-o"); output != line->values.end()) {
        options.output = output->second;
    }
    const auto format = line->values.find("--format");
    const auto parsed =
        format != line->values.end() ? ParseDspFormat(format->second) : std::nullopt;
    if (!parsed) {
        fail("--format must be minidsp, camilladsp, apo or csv");
        return std::nullopt;
    }
    options.request.format = *parsed;
    const auto amp = intOption(*line, "--amp", 0);
    const auto rate = intOption(*line, "--rate", 0);
    const auto biquads = intOption(*line, "--biquads", 0);
    if (!amp || !rate || !biquads) {
        return std::nullopt;
    }
    options.request.amp = *amp - 1;
    options.request.rate = *rate;
    options.request.biquads = *biquads;
    return options;
}

} // namespace

int RunDsp(Arguments args) {
    const auto options = parseOptions(args);
    if (!options) {
        return ExitUsage;
    }
    const auto project = LoadProjectInput("dsp", options->project);
    if (!project) {
        return ExitFailed;
    }
    const DspExportResult result = FormatDspExport(*project, options->request);
    if (!result.problem.empty()) {
        fail(result.problem);
        return result.usage ? ExitUsage : ExitFailed;
    }
    std::fputs(result.notes.c_str(), stderr);
    return WriteOutput("dsp", options->output, result.text) ? ExitOk : ExitFailed;
}

void PrintDspHelp(std::FILE* out) {
    std::fputs(
        "usage: tavrel-cli dsp PROJECT --format minidsp|camilladsp|apo|csv [--amp A]\n"
        "                      [--rate HZ] [--biquads N] [-o FILE]\n\n"
        "Writes the active filter of every amplifier (or of amplifier A) as the biquads a DSP\n"
        "loads: every enabled section one biquad, with the channel's gain, delay and polarity,\n"
        "17 significant digits.\n\n"
        "  --format F   minidsp: the miniDSP plug-ins' advanced biquad text for one channel\n"
        "               (48000 Hz only; gain, delay and polarity are printed on standard\n"
        "               error); camilladsp: filters and pipeline of a CamillaDSP configuration\n"
        "               (add your own devices section); apo: an Equalizer APO configuration;\n"
        "               csv: A,K,b0,b1,b2,a1,a2 per biquad, then A,gain / A,delay / A,polarity\n"
        "  --amp A      only amplifier A (from 1); needed for minidsp with several amplifiers\n"
        "  --rate HZ    44100, 48000, 96000 or 192000; the project's own rate when it has one,\n"
        "               else 48000. For a project without a rate, standard error tells how far\n"
        "               the digital channels depart from the analog ones below 20 kHz.\n"
        "  --biquads N  minidsp: pad with pass-through biquads to N; more needed is an error\n"
        "  -o FILE      write FILE instead of standard output\n\n"
        "exit status: 0 written, 1 the project cannot be read or a channel cannot be exported\n"
        "(a section at or above half the sample rate, a Q or frequency not above 0, a delay\n"
        "outside 0 to 50 ms), 2 wrong command line\n",
        out);
}

} // namespace tavrel::cli
