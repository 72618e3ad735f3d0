#include "foundation/atomic_file.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>

namespace tavrel {

namespace {

std::string writeWhole(const std::string& path, std::string_view bytes) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) {
        return "Cannot create \"" + path + "\": " + std::strerror(errno);
    }
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    const int writeErrno = errno;
    const bool closed = std::fclose(file) == 0;
    if (!written || !closed) {
        return "Cannot write \"" + path + "\": " + std::strerror(written ? errno : writeErrno);
    }
    return {};
}

} // namespace

std::string WriteFileAtomically(const std::string& path, std::string_view bytes) {
    const std::string temporary = path + ".tmp~";
    std::string error = writeWhole(temporary, bytes);
    if (error.empty()) {
        std::error_code ec;
        std::filesystem::rename(temporary, path, ec);
        if (ec) {
            error = "Cannot replace \"" + path + "\": " + ec.message();
        }
    }
    if (!error.empty()) {
        std::error_code ignored;
        std::filesystem::remove(temporary, ignored);
    }
    return error;
}

} // namespace tavrel
