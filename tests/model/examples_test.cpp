// The bundled example files: they must be exactly what the writer makes of their records, and
// survive plain → coded → plain through tavrel-cli. Running this test program with
// TAVREL_WRITE_EXAMPLES=1 rewrites data/examples from the records first.
#include "example_records.h"
#include "model/chassis_file.h"
#include "model/projekt_file.h"
#include "model_test_support.h"

#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <sstream>

namespace tavrel {
namespace {

namespace fs = std::filesystem;

const fs::path ExamplesDir = fs::path(TAVREL_SOURCE_DIR) / "data" / "examples";

bool writeRequested() {
    const char* flag = std::getenv("TAVREL_WRITE_EXAMPLES");
    return flag != nullptr && std::string(flag) == "1";
}

std::string plainBytesOf(const TChassis& driver) {
    TMyIniFile store("", false, true, false);
    WriteChassisFileStore(driver, store);
    return store.ToBytes();
}

std::string plainBytesOf(const TProjekt& projekt) {
    TMyIniFile store("", false, true, false);
    WriteProjektStore(projekt, store);
    return store.ToBytes();
}

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

int runCli(const std::string& arguments) {
    const std::string command = std::string("\"") + TAVREL_CLI + "\" " + arguments;
    return std::system(command.c_str());
}

std::string quoted(const std::string& path) {
    return "\"" + path + "\"";
}

TEST(BundledExamples, AreWhatTheWriterMakesOfTheirRecords) {
    if (writeRequested()) {
        fs::create_directories(ExamplesDir);
        for (const test::ExampleDriver& e : test::ExampleDrivers()) {
            test::WriteFileBytes((ExamplesDir / (e.fileName + ".plain")).string(),
                                 plainBytesOf(*e.driver));
        }
        for (const test::ExampleProject& e : test::ExampleProjects()) {
            test::WriteFileBytes((ExamplesDir / (e.fileName + ".plain")).string(),
                                 plainBytesOf(*e.projekt));
        }
    }
    for (const test::ExampleDriver& e : test::ExampleDrivers()) {
        const std::string path = (ExamplesDir / (e.fileName + ".plain")).string();
        EXPECT_EQ(withoutSaveStamps(test::ReadFileBytes(path)),
                  withoutSaveStamps(plainBytesOf(*e.driver)))
            << path;
        auto read = std::make_unique<TChassis>();
        ASSERT_TRUE(LoadChassisFile(*read, path, false).ok) << path;
        EXPECT_EQ(read->Name, e.driver->Name);
        EXPECT_EQ(read->fs, e.driver->fs);
    }
    for (const test::ExampleProject& e : test::ExampleProjects()) {
        const std::string path = (ExamplesDir / (e.fileName + ".plain")).string();
        EXPECT_EQ(test::ReadFileBytes(path), plainBytesOf(*e.projekt)) << path;
        auto read = std::make_unique<TProjekt>();
        ASSERT_TRUE(ReadProjekt(*read, path, false).ok) << path;
        EXPECT_EQ(*read, *e.projekt) << path;
    }
}

TEST(BundledExamples, SurvivePlainCodedPlainThroughTheCommandLine) {
    test::TempDir dir;
    int checked = 0;
    for (const fs::directory_entry& entry : fs::directory_iterator(ExamplesDir)) {
        const fs::path plain = entry.path();
        if (plain.extension() != ".plain") {
            continue;
        }
        const std::string name = plain.stem().string(); // NAME.EXT
        const std::string coded = dir.path(name);
        const std::string back = dir.path(name + ".plain");
        ASSERT_EQ(runCli("convert " + quoted(plain.string()) + " " + quoted(coded) +
                         " --from plain --to coded"),
                  0)
            << name;
        ASSERT_EQ(runCli("convert " + quoted(coded) + " " + quoted(back) + " --to plain"), 0)
            << name;
        const std::string original = test::ReadFileBytes(plain.string());
        EXPECT_NE(test::ReadFileBytes(coded), original);
        if (name.ends_with(".TVC")) {
            EXPECT_EQ(withoutSaveStamps(test::ReadFileBytes(back)), withoutSaveStamps(original))
                << name;
        } else {
            EXPECT_EQ(test::ReadFileBytes(back), original) << name;
        }
        ++checked;
    }
    EXPECT_GE(checked, 10);
}

} // namespace
} // namespace tavrel
