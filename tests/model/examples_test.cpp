// The bundled example files survive plain → coded → plain through tavrel-cli byte for byte: the
// reader takes every key the writer wrote, and the writer still writes what the files hold.
#include "model_test_support.h"
#include "support/cli_run.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <sstream>

namespace tavrel {
namespace {

namespace fs = std::filesystem;

const fs::path ExamplesDir = fs::path(TAVREL_SOURCE_DIR) / "data" / "examples";

// Drops the lines a driver save stamps anew (date and file name).
std::string withoutSaveStamps(const std::string& bytes) {
    std::istringstream in(bytes);
    std::string line, kept;
    while (std::getline(in, line)) {
        if (!line.starts_with("pubdate=") && !line.starts_with("OrgFilename=")) {
            kept += line + "\n";
        }
    }
    return kept;
}

using BundledExamples = test::CliTest;

TEST_F(BundledExamples, SurvivePlainCodedPlainThroughTheCommandLine) {
    int checked = 0;
    for (const fs::directory_entry& entry : fs::directory_iterator(ExamplesDir)) {
        const fs::path plain = entry.path();
        if (plain.extension() != ".plain") {
            continue;
        }
        const std::string name = plain.stem().string(); // NAME.EXT
        const std::string coded = dir.file(name);
        const std::string back = dir.file(name + ".plain");
        ASSERT_EQ(run("convert " + quoted(plain) + " " + quoted(coded) + " --from plain --to coded")
                      .status,
                  0)
            << name;
        ASSERT_EQ(run("convert " + quoted(coded) + " " + quoted(back) + " --to plain").status, 0)
            << name;
        const std::string original = test::ReadWholeFile(plain.string());
        EXPECT_NE(test::ReadWholeFile(coded), original);
        if (name.ends_with(".TVC")) {
            EXPECT_EQ(withoutSaveStamps(test::ReadWholeFile(back)), withoutSaveStamps(original))
                << name;
        } else {
            EXPECT_EQ(test::ReadWholeFile(back), original) << name;
        }
        ++checked;
    }
    EXPECT_GE(checked, 10);
}

} // namespace
} // namespace tavrel
