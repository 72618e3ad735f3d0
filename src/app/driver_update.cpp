#include "app/driver_update.h"

#include "foundation/ascii_case.h"
#include "foundation/number_text.h"
#include "model/chassis_file.h"

#include <algorithm>
#include <filesystem>
#include <memory>
#include <vector>

namespace tavrel {

namespace {

bool isDriverFile(const std::filesystem::path& path) {
    return AsciiUpper(path.extension().string()) == ".TVC";
}

/// Later means a later calendar day; a date that cannot be read counts as the oldest.
bool isLater(std::string_view candidate, std::string_view current) {
    const DateResult a = TextToDate(candidate);
    const DateResult b = TextToDate(current);
    if (!a.valid) {
        return false;
    }
    return !b.valid || DaysBetween(b.date, a.date) > 0;
}

std::vector<std::filesystem::path> driverFiles(const std::string& driverDir) {
    std::vector<std::filesystem::path> files;
    std::error_code error;
    for (std::filesystem::directory_iterator it(driverDir, error), end; !error && it != end;
         it.increment(error)) {
        if (it->is_regular_file(error) && isDriverFile(it->path())) {
            files.push_back(it->path());
        }
    }
    std::sort(files.begin(), files.end()); // a stable order, whatever the file system's is
    return files;
}

} // namespace

std::string NormalizedDriverName(std::string_view name) {
    std::string normal;
    for (const char c : name) {
        if (c == ' ' || c == '-' || c == '_' || c == '(' || c == ')') {
            continue;
        }
        normal.push_back(UpperAscii(c));
    }
    return normal;
}

std::optional<std::string> FindNewerDriverFile(const TChassis& driver,
                                               const std::string& driverDir) {
    const std::string name = NormalizedDriverName(driver.Name.view());
    auto candidate = std::make_unique<TChassis>();
    for (const auto& path : driverFiles(driverDir)) {
        if (!LoadChassisFile(*candidate, path.string()).ok) {
            continue;
        }
        if (NormalizedDriverName(candidate->Name.view()) == name &&
            isLater(candidate->pubdate.view(), driver.pubdate.view())) {
            return path.string();
        }
    }
    return std::nullopt;
}

std::string DriverUpdateQuestion(const TChassis& driver) {
    return "The project file may contain an elder version of \r\nthe driver \"" +
           driver.Name.str() + "\"Load updated driver file?";
}

} // namespace tavrel
