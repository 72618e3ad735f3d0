// tavrel-cli render: one chart of a full calculation as a PNG or SVG picture, drawn by the
// same code as the desktop program's charts, without a display.
#include "app/data_directory.h"
#include "charts/ui/chart_painter.h"
#include "charts/ui/chart_render.h"
#include "commands.h"
#include "engine/calc_engine.h"
#include "foundation/number_text.h"
#include "project_input.h"

#include <QGuiApplication>
#include <QPainter>
#include <QSvgGenerator>
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
    bool plain = false;
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

std::optional<int> sizeValue(std::string_view text) {
    const ParsedInt parsed = ParseInt(text);
    if (parsed.consumed != static_cast<int>(text.size()) || parsed.value < 16 ||
        parsed.value > MaxPixels) {
        return std::nullopt;
    }
    return parsed.value;
}

std::optional<RenderOptions> parseOptions(Arguments args) {
    const auto line = ParseCommandLine("render", args, {"-o", "--width", "--height"});
    if (!line) {
        return std::nullopt;
    }
    RenderOptions options;
    options.plain = line->plain;
    options.force = line->force;
    for (const auto& [option, text] : line->values) {
        if (option == "-o") {
            options.output = text;
            continue;
        }
        const auto value = sizeValue(text);
        if (!value) {
            fail(option + " needs a number of pixels from 16 to " + std::to_string(MaxPixels));
            return std::nullopt;
        }
        (option == "--width" ? options.width : options.height) = *value;
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
    return options;
}

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

    const auto project = LoadProjectInput("render", options->project, options->plain);
    if (!project) {
        return ExitFailed;
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
        "                         [--plain] [--force]\n\n"
        "Loads PROJECT, runs one full calculation and draws one chart as the desktop\n"
        "program shows it (default size 1000 x 640 pixels). No display is needed. When the\n"
        "calculation reports errors, they are listed on standard error and nothing is\n"
        "written.\n\n"
        "charts: response, directions-up, directions-left, directions-down,\n"
        "        directions-right, driver N, phase, umax, maxspl, voltage, directivity,\n"
        "        polar K (K = grid index of the frequency)\n\n"
        "  -o FILE        the picture to write; .png or .svg\n"
        "  --width W      width in pixels (16 to 8000)\n"
        "  --height H     height in pixels (16 to 8000)\n"
        "  --plain        PROJECT is plain store text instead of the coded form\n"
        "  --force        draw the chart even when the calculation reported errors (the\n"
        "                 exit status stays 1)\n\n"
        "exit status: 0 written, 1 the project or chart cannot be drawn or the calculation\n"
        "reported errors, 2 wrong command line\n",
        out);
}

} // namespace tavrel::cli
