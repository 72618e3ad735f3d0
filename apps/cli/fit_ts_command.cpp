// tavrel-cli fit-ts: Thiele-Small parameters from a free-air impedance measurement, Vas by an
// added mass or a closed box, printed as text or JSON and, with -o, written into a driver.
#include "commands.h"
#include "driver_editor/impedance_curve.h"
#include "driver_editor/ts_parameters.h"
#include "driver_input.h"
#include "foundation/number_text.h"
#include "project_input.h"

#include <cmath>
#include <fstream>
#include <optional>
#include <string>

namespace tavrel::cli {

namespace {

constexpr const char* Command = "fit-ts";

struct FitTsOptions {
    std::string free, second, driver, out;
    VasInput vas;
    bool json = false;
    bool plain = false;
};

bool usage(const std::string& message) {
    std::fprintf(stderr, "tavrel-cli fit-ts: %s (see tavrel-cli fit-ts --help)\n", message.c_str());
    return false;
}

/// The number an option's whole value is, or nothing after printing why not.
std::optional<double> numberOption(const CommandLine& line, const char* option) {
    const std::string& text = line.values.at(option);
    const ParsedFloat parsed = ParseFloat(text);
    const double value = static_cast<double>(parsed.value);
    if (text.empty() || parsed.consumed != static_cast<int>(text.size()) || !std::isfinite(value)) {
        usage(std::string(option) + " needs a number, not \"" + text + "\"");
        return std::nullopt;
    }
    return value;
}

bool readMethod(const CommandLine& line, FitTsOptions& o) {
    const bool mass = line.values.contains("--added-mass") || line.values.contains("--loaded");
    const bool box = line.values.contains("--box-volume") || line.values.contains("--boxed");
    if (mass && box) {
        return usage("takes one method: --added-mass with --loaded, or --box-volume with --boxed");
    }
    const char* figure = mass ? "--added-mass" : "--box-volume";
    const char* file = mass ? "--loaded" : "--boxed";
    if (!mass && !box) {
        return true;
    }
    if (!line.values.contains(figure) || !line.values.contains(file)) {
        return usage(std::string(figure) + " and " + file + " go together");
    }
    const auto value = numberOption(line, figure);
    if (!value) {
        return false;
    }
    o.vas.method = mass ? VasMethod::AddedMass : VasMethod::ClosedBox;
    (mass ? o.vas.mass : o.vas.boxVolume) = *value;
    o.second = line.values.at(file);
    return true;
}

bool parseOptions(Arguments args, FitTsOptions& o) {
    const auto line = ParseCommandLine(Command, args,
                                       {"--sd", "--added-mass", "--loaded", "--box-volume",
                                        "--boxed", "--driver", "-o", "--format"});
    if (!line) {
        return false;
    }
    if (line->positional.size() != 1) {
        return usage("needs one FREE impedance file");
    }
    o.free = line->positional[0];
    const auto value = [&](const char* option) {
        return line->values.contains(option) ? line->values.at(option) : std::string();
    };
    o.driver = value("--driver");
    o.out = value("-o");
    const std::string format = value("--format");
    if (!format.empty() && format != "text" && format != "json") {
        return usage("--format takes text or json");
    }
    o.json = format == "json";
    if (line->values.contains("--sd")) {
        const auto sd = numberOption(*line, "--sd");
        if (!sd) {
            return false;
        }
        if (!(*sd > 0.0)) {
            return usage(VasInputFault({VasMethod::None, -1.0, 0, 0}));
        }
        o.vas.Amem = *sd;
    }
    if (!readMethod(*line, o)) {
        return false;
    }
    o.plain = line->plain;
    // A zero or negative mass or volume is a wrong command line, told as the fit tells it; a
    // missing area may still come from --driver.
    VasInput figures = o.vas;
    figures.Amem = o.vas.Amem > 0.0 ? o.vas.Amem : 1.0;
    const std::string fault = VasInputFault(figures);
    return fault.empty() || usage(fault);
}

std::optional<ImpedanceCurve> readCurve(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        std::fprintf(stderr, "tavrel-cli fit-ts: cannot open %s\n", path.c_str());
        return std::nullopt;
    }
    const MeasurementPoints points = ReadMeasurementPoints(in);
    if (in.bad()) {
        std::fprintf(stderr, "tavrel-cli fit-ts: cannot read %s\n", path.c_str());
        return std::nullopt;
    }
    return ImpedanceCurveOf(points);
}

struct Row {
    const char* key;
    const char* unit;
    double value;
    double textScale; ///< the text shows value·textScale in `unit`
};

std::vector<Row> rowsOf(const TsParameters& p, VasMethod method) {
    const ImpedanceFit& f = p.freeAir;
    std::vector<Row> rows{{"fs", "Hz", f.fs, 1},    {"Qes", "", f.Qes, 1},
                          {"Qms", "", f.Qms, 1},    {"Qts", "", p.Qts, 1},
                          {"Re", "ohm", f.Re, 1},   {"Le", "mH", f.Le, 1e3},
                          {"Re2", "ohm", f.Re2, 1}, {"Le2", "mH", f.Le2, 1e3},
                          {"Re3", "ohm", f.Re3, 1}, {"Le3", "mH", f.Le3, 1e3}};
    // Values the two curves and the area do not determine are left out, never printed as 0.
    for (const Row& r :
         {Row{"Bl", "Tm", p.Bl, 1}, Row{"Mms", "g", p.Mms, 1e3}, Row{"Cms", "mm/N", p.Cms, 1e3},
          Row{"Rms", "kg/s", p.Rms, 1}, Row{"Vas", "l", p.Vas, 1e3}, Row{"SPL", "dB", p.SPL, 1}}) {
        if (r.value > 0.0 && std::isfinite(r.value)) {
            rows.push_back(r);
        }
    }
    rows.push_back({"residual_dB", "dB", f.residualDb, 1});
    if (method != VasMethod::None) {
        const bool mass = method == VasMethod::AddedMass;
        rows.push_back(
            {mass ? "residual_dB_loaded" : "residual_dB_boxed", "dB", p.second.residualDb, 1});
    }
    return rows;
}

void printRows(const std::vector<Row>& rows, bool json) {
    if (json) {
        std::printf("{");
        for (std::size_t i = 0; i < rows.size(); ++i) {
            std::printf("%s\"%s\": %.9g", i ? ", " : "", rows[i].key, rows[i].value);
        }
        std::printf("}\n");
        return;
    }
    for (const Row& r : rows) {
        std::printf("%-20s %.5g%s%s\n", r.key, r.value * r.textScale, *r.unit ? " " : "", r.unit);
    }
}

} // namespace

void PrintFitTsHelp(std::FILE* out) {
    std::fputs(
        "usage: tavrel-cli fit-ts FREE.txt [--sd M2]\n"
        "                         [--added-mass KG --loaded FILE | --box-volume M3 --boxed FILE]\n"
        "                         [--driver D.TVC -o OUT.TVC] [--format text|json] [--plain]\n\n"
        "Fits fs, Qes, Qms, Re and the voice coil's Le, Re2, Le2, Re3, Le3 to the free-air\n"
        "impedance in FREE.txt (a measurement text file; a file with one value column is a\n"
        "magnitude, a second column the phase in degrees) and prints them with the fit's rms\n"
        "residual in dB.\n\n"
        "  --sd M2          piston area in m² (default: the one of --driver)\n"
        "  --added-mass KG  Vas from FILE, the impedance with this mass on the cone (needs Sd)\n"
        "  --box-volume M3  Vas from FILE, the impedance in a closed box of this net volume\n"
        "  --driver D.TVC   the driver whose other fields -o keeps (else a new driver)\n"
        "  -o OUT.TVC       write the driver with the fitted parameters\n"
        "  --format F       text (default) or json: one object with SI values\n\n"
        "Bl, Mms, Cms, Rms, Vas and the sensitivity are printed when the method and Sd give\n"
        "them. A curve without a resonance peak in its band, with fewer than 20 points, or\n"
        "curves that contradict the method give a message on standard error and status 1,\n"
        "and nothing is written.\n",
        out);
}

int RunFitTs(Arguments args) {
    FitTsOptions o;
    if (!parseOptions(args, o)) {
        return ExitUsage;
    }
    bool coded = true;
    std::unique_ptr<TChassis> driver = std::make_unique<TChassis>();
    if (!o.driver.empty() && !(driver = LoadDriverInput(Command, o.driver, coded))) {
        return ExitFailed;
    }
    if (!(o.vas.Amem > 0.0)) {
        o.vas.Amem = driver->Amem > 0.0 ? driver->Amem : 0.0;
    }
    const auto free = readCurve(o.free);
    const auto second = o.second.empty() ? ImpedanceCurve{} : readCurve(o.second);
    if (!free || !second) {
        return ExitFailed;
    }
    const TsResult result = FitThieleSmall(*free, *second, o.vas);
    if (!result.ok) {
        std::fprintf(stderr, "tavrel-cli fit-ts: %s\n", result.message.c_str());
        return ExitFailed;
    }
    printRows(rowsOf(result.p, o.vas.method), o.json);
    if (o.out.empty()) {
        return ExitOk;
    }
    AdoptParameters(*driver, result.p);
    return SaveDriverOutput(Command, *driver, o.out, coded && !o.plain) ? ExitOk : ExitFailed;
}

} // namespace tavrel::cli
