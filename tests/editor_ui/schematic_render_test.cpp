// tavrel-cli render PROJECT schematic A: the picture is the one the editor's painter makes,
// and wrong arguments are refused with a usage status.
#include "editor/ui/schematic_painter.h"
#include "model/projekt_file.h"
#include "support/cli_run.h"
#include "support/qt_application.h"

#include <QImage>
#include <filesystem>
#include <gtest/gtest.h>
#include <memory>

namespace tavrel {
namespace {

namespace fs = std::filesystem;

const std::string DefaultProject = std::string("\"") + TAVREL_EXAMPLES_DIR + "/Default.TVP\"";

TEST(SchematicRender, PngIsTheEditorsPaintingAndSvgIsWritten) {
    test::TestApplication();
    const test::ScratchDir dir{"schematic-render"};
    const fs::path png = dir / "s.png", svg = dir / "s.svg";
    for (const char* extra : {"", " --print-view"}) {
        ASSERT_EQ(test::RunCli(dir, "render " + DefaultProject + " schematic 1 -o \"" +
                                        png.string() + "\"" + extra)
                      .status,
                  0);
        auto projekt = std::make_unique<TProjekt>();
        ASSERT_TRUE(ReadProjekt(*projekt, std::string(TAVREL_EXAMPLES_DIR) + "/Default.TVP").ok);
        const SchematicOptions options{{extra[0] != '\0', LabelMode::RValue}, false};
        const QImage expected = RenderSchematicImage(*projekt, 0, 2, options);
        EXPECT_EQ(QImage(QString::fromStdString(png.string())).convertToFormat(expected.format()),
                  expected);
    }
    EXPECT_EQ(
        test::RunCli(dir, "render " + DefaultProject + " schematic 1 -o \"" + svg.string() + "\"")
            .status,
        0);
    EXPECT_NE(test::ReadWholeFile(svg).find("<svg"), std::string::npos);
}

class SchematicRenderArguments : public ::testing::TestWithParam<const char*> {};

TEST_P(SchematicRenderArguments, AreRefusedWithAUsageStatus) {
    const test::ScratchDir dir{"schematic-render"};
    const test::CliRun run =
        test::RunCli(dir, "render " + DefaultProject + " " + GetParam() + " -o x.png");
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.err.find("tavrel-cli render: "), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(Wrong, SchematicRenderArguments,
                         ::testing::Values("schematic 0", "schematic 2", "schematic x",
                                           "schematic 1 --width 300", "response --print-view"));

} // namespace
} // namespace tavrel
