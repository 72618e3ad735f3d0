// Runs tavrel-cli as a user would, capturing its exit status and both output streams.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/wait.h>

namespace tavrel::test {

struct CliRun {
    int status = -1;
    std::string out;
    std::string err;
};

inline std::string ReadWholeFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

/// `arguments` are appended to the program path as they stand (quote paths yourself); the
/// output streams are kept in `scratchDir`.
inline CliRun RunCli(const std::filesystem::path& scratchDir, const std::string& arguments) {
    const std::filesystem::path out = scratchDir / "stdout.txt", err = scratchDir / "stderr.txt";
    const std::string command = std::string("\"") + TAVREL_CLI + "\" " + arguments + " >\"" +
                                out.string() + "\" 2>\"" + err.string() + "\"";
    const int raw = std::system(command.c_str());
    return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, ReadWholeFile(out), ReadWholeFile(err)};
}

} // namespace tavrel::test
