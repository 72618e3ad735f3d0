// Every write step of every save failing in turn: the old file stays byte for byte, no
// temporary file is left, and the caller gets the reason.
#include "app/project_load.h"
#include "export/result_export.h"
#include "foundation/atomic_file.h"
#include "foundation/settings.h"
#include "model/chassis_file.h"
#include "model/projekt_file.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <sstream>
#include <string>
#include <unistd.h>

namespace tavrel {
namespace {

namespace fs = std::filesystem;

struct Save {
    const char* name;
    const char* file;
    /// Saves into `dir`/file; returns the error text (empty when saved).
    std::function<std::string(const fs::path& dir)> run;
};

std::string saveProject(const fs::path& dir) {
    auto project = std::make_unique<TProjekt>();
    ResetProject(*project);
    return WriteProjekt(*project, (dir / "p.TVP").string(), true).error;
}

std::string saveDriver(const fs::path& dir) {
    auto project = std::make_unique<TProjekt>();
    ResetProject(*project);
    return SaveChassisFile(project->Chassis[0], (dir / "d.TVC").string(), true).error;
}

std::string saveSettings(const fs::path& dir) {
    TSettings settings;
    settings.ProgramDir = dir.string();
    LoadSettings(settings);
    settings.WEsize = 3;
    return SaveSettings(settings).error;
}

std::string saveExport(const fs::path& dir) {
    auto result = MakeResult();
    result->Freq[0] = 20;
    return WriteExport((dir / "e.exp").string(), *result, {}, ExportFormat::Exp);
}

std::string bytesOf(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

class SaveFault : public ::testing::TestWithParam<std::tuple<Save, AtomicWriteStep>> {
protected:
    void TearDown() override {
        InjectAtomicWriteFailure(std::nullopt);
        fs::remove_all(dir);
    }
    fs::path dir = fs::temp_directory_path() / ("tavrel-save-fault-" + std::to_string(::getpid()));
};

TEST_P(SaveFault, KeepsTheOldFileAndSaysWhy) {
    const auto& [save, step] = GetParam();
    fs::remove_all(dir);
    fs::create_directories(dir);
    const std::string old = "## MyIniFile 1.0 by ZQ 2004 ##\r\n#Old\r\nkept=\t1\r\n";
    std::ofstream(dir / save.file, std::ios::binary) << old;

    InjectAtomicWriteFailure(step, ENOSPC);
    const std::string error = save.run(dir);
    InjectAtomicWriteFailure(std::nullopt);

    EXPECT_NE(error.find(std::strerror(ENOSPC)), std::string::npos) << error;
    EXPECT_EQ(bytesOf(dir / save.file), old);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 1)
        << "a temporary file was left";
    // The same save without a fault replaces the file.
    EXPECT_EQ(save.run(dir), "");
    EXPECT_NE(bytesOf(dir / save.file), old);
}

const Save Saves[] = {{"project", "p.TVP", saveProject},
                      {"driver", "d.TVC", saveDriver},
                      {"settings", "Tavrel.ini", saveSettings},
                      {"export", "e.exp", saveExport}};

std::string stepName(const ::testing::TestParamInfo<std::tuple<Save, AtomicWriteStep>>& row) {
    static const char* const names[] = {"Create", "Write", "Sync", "Close", "Rename"};
    return std::string(std::get<0>(row.param).name) + "_" +
           names[static_cast<int>(std::get<1>(row.param))];
}

INSTANTIATE_TEST_SUITE_P(
    EveryStep, SaveFault,
    ::testing::Combine(::testing::ValuesIn(Saves),
                       ::testing::Values(AtomicWriteStep::Create, AtomicWriteStep::Write,
                                         AtomicWriteStep::Sync, AtomicWriteStep::Close,
                                         AtomicWriteStep::Rename)),
    stepName);

} // namespace
} // namespace tavrel
