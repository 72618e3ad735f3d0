#include "app/data_directory.h"

#include <filesystem>

namespace tavrel {

std::string DataDirectory(const std::string& programDir) {
    const std::filesystem::path installed =
        std::filesystem::path(programDir) / ".." / "share" / "tavrel";
    std::error_code ec;
    if (std::filesystem::is_regular_file(installed / "Default.TVP", ec)) {
        return installed.lexically_normal().string();
    }
    return programDir;
}

bool SettingsBesideProgram(const std::string& programDir, const std::string& dataDir,
                           bool programDirWritable) {
    return programDirWritable && dataDir == programDir;
}

} // namespace tavrel
