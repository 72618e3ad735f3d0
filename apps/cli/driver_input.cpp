#include "driver_input.h"

#include "engine/driver_model.h"
#include "model/chassis_file.h"

#include <filesystem>

namespace tavrel::cli {

std::unique_ptr<TChassis> LoadDriverInput(const std::string& command, const std::string& path,
                                          bool& coded) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) {
        std::fprintf(stderr, "tavrel-cli %s: %s: cannot read the file\n", command.c_str(),
                     path.c_str());
        return nullptr;
    }
    auto driver = std::make_unique<TChassis>();
    const FileReadResult read = LoadChassisFile(*driver, path);
    coded = read.coded;
    if (!read.ok) {
        std::fprintf(stderr, "tavrel-cli %s: %s: %s (version %d)\n", command.c_str(), path.c_str(),
                     read.message.c_str(), read.version);
        return nullptr;
    }
    // The fit needs the motional elements; a driver alone is derived as built in nowhere.
    CalcDerived(*driver, TEinbau{}, 1e-10);
    return driver;
}

bool SaveDriverOutput(const std::string& command, const TChassis& driver, const std::string& path,
                      bool coded) {
    const FileWriteResult written = SaveChassisFile(driver, path, coded);
    if (!written.ok) {
        std::fprintf(stderr, "tavrel-cli %s: %s: %s\n", command.c_str(), path.c_str(),
                     written.error.c_str());
    }
    return written.ok;
}

void PrintStoreText(std::FILE* out, const std::string& text) {
    std::string utf8;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c == '\r') {
            utf8 += '\n';
            if (i + 1 < text.size() && text[i + 1] == '\n') {
                ++i;
            }
        } else if (c < 0x80) {
            utf8 += static_cast<char>(c);
        } else {
            // The characters the program's texts use (°, µ) are Latin-1 in Windows-1252.
            utf8 += static_cast<char>(0xC0 | (c >> 6));
            utf8 += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    std::fputs(utf8.c_str(), out);
    std::fputc('\n', out);
}

} // namespace tavrel::cli
