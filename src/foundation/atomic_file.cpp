#include "foundation/atomic_file.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <unistd.h>

namespace tavrel {

namespace {

struct InjectedFailure {
    std::optional<AtomicWriteStep> step;
    int error = 0;
};

InjectedFailure& injected() {
    static InjectedFailure failure;
    return failure;
}

/// The injected errno when `step` is the step to fail, else `result`'s own outcome.
int outcome(AtomicWriteStep step, bool failed) {
    if (injected().step == step) {
        return injected().error;
    }
    return failed ? errno : 0;
}

std::string systemError(const char* what, const std::string& path, int error) {
    return std::string(what) + " \"" + path + "\": " + std::strerror(error);
}

/// Writes and flushes to the disk, so the rename never publishes a half-written file.
std::string writeWhole(const std::string& path, std::string_view bytes) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (const int error = outcome(AtomicWriteStep::Create, file == nullptr); error != 0) {
        if (file != nullptr) {
            std::fclose(file);
        }
        return systemError("Cannot create", path, error);
    }
    // An injected write failure stops half way, as a full disk does.
    const bool failWrite = injected().step == AtomicWriteStep::Write;
    const std::size_t wanted = failWrite ? bytes.size() / 2 : bytes.size();
    const std::size_t written = std::fwrite(bytes.data(), 1, wanted, file);
    int error = outcome(AtomicWriteStep::Write, written != bytes.size());
    if (error == 0) {
        const bool synced = std::fflush(file) == 0 && ::fsync(::fileno(file)) == 0;
        error = outcome(AtomicWriteStep::Sync, !synced);
    }
    const int closeError = outcome(AtomicWriteStep::Close, std::fclose(file) != 0);
    error = error != 0 ? error : closeError;
    return error == 0 ? std::string() : systemError("Cannot write", path, error);
}

} // namespace

std::string WriteFileAtomically(const std::string& path, std::string_view bytes) {
    const std::string temporary = path + ".tmp~";
    std::string error = writeWhole(temporary, bytes);
    if (error.empty()) {
        std::error_code ec;
        if (injected().step == AtomicWriteStep::Rename) {
            ec.assign(injected().error, std::generic_category());
        } else {
            std::filesystem::rename(temporary, path, ec);
        }
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

void InjectAtomicWriteFailure(std::optional<AtomicWriteStep> step, int error) {
    injected() = {step, error};
}

} // namespace tavrel
