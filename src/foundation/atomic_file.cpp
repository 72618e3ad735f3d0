#include "foundation/atomic_file.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <unistd.h>

namespace tavrel {

namespace {

std::string systemError(const char* what, const std::string& path, int error) {
    return std::string(what) + " \"" + path + "\": " + std::strerror(error);
}

/// Writes and flushes to the disk, so the rename never publishes a half-written file.
std::string writeWhole(const std::string& path, std::string_view bytes) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) {
        return systemError("Cannot create", path, errno);
    }
    const std::size_t written = std::fwrite(bytes.data(), 1, bytes.size(), file);
    int error = written == bytes.size() ? 0 : errno;
    if (error == 0 && std::fflush(file) != 0) {
        error = errno;
    }
    if (error == 0 && ::fsync(::fileno(file)) != 0) {
        error = errno;
    }
    if (std::fclose(file) != 0 && error == 0) {
        error = errno;
    }
    return error == 0 ? std::string() : systemError("Cannot write", path, error);
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
