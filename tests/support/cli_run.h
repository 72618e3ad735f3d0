// Runs tavrel-cli as a user would, capturing its exit status and both output streams.
#pragma once

#include "support/scratch_dir.h"

#include <cstdlib>
#include <filesystem>
#include <string>
#include <sys/wait.h>

namespace tavrel::test {

struct CliRun {
    int status = -1;
    std::string out;
    std::string err;
};

/// `arguments` are appended to the program path as they stand (quote paths yourself); the
/// output streams are kept in `scratchDir`.
inline CliRun RunCli(const std::filesystem::path& scratchDir, const std::string& arguments) {
    const std::filesystem::path out = scratchDir / "stdout.txt", err = scratchDir / "stderr.txt";
    const std::string command = std::string("\"") + TAVREL_CLI + "\" " + arguments + " >\"" +
                                out.string() + "\" 2>\"" + err.string() + "\"";
    const int raw = std::system(command.c_str());
    return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, ReadWholeFile(out), ReadWholeFile(err)};
}

/// A test of tavrel-cli with a scratch folder of its own.
class CliTest : public ::testing::Test {
protected:
    CliRun run(const std::string& arguments) const { return RunCli(dir.path(), arguments); }
    static std::string quoted(const std::filesystem::path& path) {
        return "\"" + path.string() + "\"";
    }
    static std::string example(const std::string& name) {
        return quoted(std::filesystem::path(TAVREL_EXAMPLES_DIR) / name);
    }

    ScratchDir dir{"cli"};
};

} // namespace tavrel::test
