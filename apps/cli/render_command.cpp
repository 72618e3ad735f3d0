// tavrel-cli render: one chart of a full calculation as a PNG or SVG picture, drawn by the
// same code as the desktop program's charts, without a display.
#include "app/data_directory.h"
#include "charts/ui/chart_painter.h"
#include "charts/ui/chart_render.h"
#include "commands.h"
#include "editor/ui/schematic_painter.h"
#include "engine/calc_engine.h"
#include "foundation/number_text.h"
#include "project_input.h"

#include <QGuiApplication>
#include <QPainter>
#include <QSvgGenerator>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

namespace tavrel::cli {

namespace {

struct RenderOptions {
    std::string project;
    std::string chart;
    std::string output;
    int width = 1000;
    int height = 640;
    bool sizeGiven = false;
    bool printView = false; ///< schematic only
    bool force = false;
};

/// Larger pictures take seconds and gigabytes; no screen or print needs them.
constexpr int MaxPixels = 8000;

void fail(const std::string& message) {
    std::fprintf(stderr, "tavrel-cli render: %s\n", message.c_str());
}

bool endsWithNoCase(const std::string& text, const std::string& tail) {
    return QString::fromStdString(text).endsWith(QString::fromStdString(tail), Qt::CaseInsensitive);
}

std::optional<RenderOptions> parseOptions(Arguments args) {
    RenderOptions options;
    const auto line =
        ParseCommandLine("render", args, {"-o", "--width", "--height"}, {"--print-view"});
    if (!line) {
        return std::nullopt;
    }
    options.printView = line->Has("--print-view");
    options.force = line->force;
    for (const auto& [option, text] : line->values) {
        if (option == "-o") {
            options.output = text;
            continue;
        }
        const auto value = WholeNumber(text, 16, MaxPixels);
        if (!value) {
            fail(option + " needs a number of pixels from 16 to " + std::to_string(MaxPixels));
            return std::nullopt;
        }
        (option == "--width" ? options.width : options.height) = *value;
        options.sizeGiven = true;
    }
    std::vector<std::string> positional = line->positional;
    // "driver 2" and "polar 17" may come as one argument or as two.
    if (positional.size() == 3) {
        positional[1] += " " + positional[2];
        positional.pop_back();
    }
    if (positional.size() != 2 || options.output.empty()) {
        fail("needs PROJECT CHART -o FILE (see tavrel-cli render --help)");
        return std::nullopt;
    }
    if (!endsWithNoCase(options.output, ".png") && !endsWithNoCase(options.output, ".svg")) {
        fail("FILE must end with .png or .svg");
        return std::nullopt;
    }
    options.project = positional[0];
    options.chart = positional[1];
    const bool schematic = options.chart.starts_with("schematic");
    if (schematic && options.sizeGiven) {
        fail("a schematic has the editor's size; --width and --height do not apply");
        return std::nullopt;
    }
    if (!schematic && options.printView) {
        fail("--print-view applies to a schematic only");
        return std::nullopt;
    }
    return options;
}

/// "schematic A" names amplifier A's crossover network; the amplifier as a 0-based index.
std::optional<int> schematicAmp(const std::string& chart, const TProjekt& project) {
    const std::string_view number = std::string_view(chart).substr(std::string("schematic").size());
    const auto amp = number.size() >= 2 && number[0] == ' '
                         ? WholeNumber(number.substr(1), 1, MaxAmps)
                         : std::nullopt;
    if (!amp) {
        fail("schematic needs an amplifier number from 1 to 6");
        return std::nullopt;
    }
    if (*amp > AmpCount(project)) {
        fail("the project has " + std::to_string(AmpCount(project)) + " amplifier(s)");
        return std::nullopt;
    }
    return *amp - 1;
}

bool writeSchematic(const RenderOptions& options, const TProjekt& project, int amp) {
    const SchematicOptions view{{options.printView, LabelMode::RValue}, false};
    const QString file = QString::fromStdString(options.output);
    if (!endsWithNoCase(options.output, ".svg")) {
        if (!RenderSchematicImage(project, amp, 2, view).save(file, "PNG")) {
            fail("cannot write " + options.output);
            return false;
        }
        return true;
    }
    const EditorWindowSize size = SchematicPictureSize(MetricsForSize(2));
    QSvgGenerator svg;
    svg.setFileName(file);
    svg.setSize(QSize(size.width, size.height));
    svg.setViewBox(QRect(0, 0, size.width, size.height));
    svg.setResolution(96);
    svg.setTitle("Tavrel crossover network");
    QPainter painter;
    if (!painter.begin(&svg)) {
        fail("cannot write " + options.output);
        return false;
    }
    PaintSchematicPicture(painter, project, amp, 2, view);
    return painter.end();
}

/// The placeholder picture beside the program, or the one in the source tree of a build.
/// The placeholder picture of an installed program, or the one in the source tree of a build.
QImage placeholder() {
    const std::string programDir = QCoreApplication::applicationDirPath().toStdString();
    QImage picture = LoadPlaceholderPicture(QString::fromStdString(DataDirectory(programDir)));
    return picture.isNull() ? LoadPlaceholderPicture(TAVREL_DATA_DIR) : picture;
}

bool writeSvg(const RenderOptions& options, const TResult& result, const TProjekt& project) {
    QSvgGenerator svg;
    svg.setFileName(QString::fromStdString(options.output));
    svg.setSize(QSize(options.width, options.height));
    svg.setViewBox(QRect(0, 0, options.width, options.height));
    svg.setTitle("Tavrel chart");
    QPainter painter(&svg);
    QString error;
    const bool painted = PaintNamedChart(painter, QRect(0, 0, options.width, options.height),
                                         options.chart, result, project, placeholder(), &error);
    if (!painted) {
        fail(error.toStdString());
    }
    return painted;
}

bool writePng(const RenderOptions& options, const TResult& result, const TProjekt& project) {
    const RenderedChart chart = RenderChartImage(
        options.chart, result, project, QSize(options.width, options.height), placeholder());
    if (chart.image.isNull()) {
        fail(chart.error.toStdString());
        return false;
    }
    if (!chart.image.save(QString::fromStdString(options.output), "PNG")) {
        fail("cannot write " + options.output);
        return false;
    }
    return true;
}

} // namespace

int RunRender(Arguments args) {
    const auto options = parseOptions(args);
    if (!options) {
        return ExitUsage;
    }
    // Charts need fonts, not a screen.
    if (std::getenv("QT_QPA_PLATFORM") == nullptr) {
        ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    }
    static int argc = 1;
    static char name[] = "tavrel-cli";
    static char* argv[] = {name, nullptr};
    QGuiApplication application(argc, argv);

    const auto project = LoadProjectInput("render", options->project);
    if (!project) {
        return ExitFailed;
    }
    if (options->chart.starts_with("schematic")) {
        const auto amp = schematicAmp(options->chart, *project);
        if (!amp) {
            return ExitUsage;
        }
        return writeSchematic(*options, *project, *amp) ? ExitOk : ExitFailed;
    }
    TCalcEngine engine;
    const bool calculated = CalculateProject("render", *project, engine);
    if (!calculated && !options->force) {
        return ExitFailed;
    }
    // As the desktop program's hand-over does: the results count as valid without errors.
    const auto displayed = MakeResult();
    *displayed = engine.Result();
    displayed->Valid = calculated;
    const bool svg = endsWithNoCase(options->output, ".svg");
    const bool written =
        svg ? writeSvg(*options, *displayed, *project) : writePng(*options, *displayed, *project);
    return written && calculated ? ExitOk : ExitFailed;
}

void PrintRenderHelp(std::FILE* out) {
    std::fputs(
        "usage: tavrel-cli render PROJECT CHART -o FILE.png|FILE.svg [--width W --height H]\n"
        "                         [--plain] [--force]\n"
        "       tavrel-cli render PROJECT schematic A -o FILE.png|FILE.svg [--print-view]\n"
        "                         [--plain]\n\n"
        "Loads PROJECT, runs one full calculation and draws one chart as the desktop\n"
        "program shows it (default size 1000 x 640 pixels). No display is needed. When the\n"
        "calculation reports errors, they are listed on standard error and nothing is\n"
        "written.\n\n"
        "charts: response, directions-up, directions-left, directions-down,\n"
        "        directions-right, driver N, phase, umax, maxspl, voltage, directivity,\n"
        "        excursion, ventvelocity (at 2.83 V, limit 17 m/s), groupdelay, impulse, step,\n"
        "        polar K (K = grid index of the frequency)\n"
        "schematic A draws amplifier A's crossover network as the editor paints it (no\n"
        "calculation); --print-view draws it without the grid, as printed.\n\n"
        "  -o FILE        the picture to write; .png or .svg\n"
        "  --width W      width in pixels (16 to 8000)\n"
        "  --height H     height in pixels (16 to 8000)\n"
        "  --plain        accepted, not needed: PROJECT may be plain or coded\n"
        "  --force        draw the chart even when the calculation reported errors (the\n"
        "                 exit status stays 1)\n\n"
        "exit status: 0 written, 1 the project or chart cannot be drawn or the calculation\n"
        "reported errors, 2 wrong command line\n",
        out);
}

} // namespace tavrel::cli
