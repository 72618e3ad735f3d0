#include "project_input.h"

#include "app/project_load.h"

#include <cstdio>
#include <filesystem>

namespace tavrel::cli {

std::unique_ptr<TProjekt> LoadProjectInput(const std::string& command, const std::string& path,
                                           bool plain) {
    auto project = std::make_unique<TProjekt>();
    ResetProject(*project);
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) {
        std::fprintf(stderr, "tavrel-cli %s: %s: cannot read the file\n", command.c_str(),
                     path.c_str());
        return nullptr;
    }
    const ProjectLoadResult loaded = LoadProjectFile(*project, path, !plain);
    if (!loaded.loaded) {
        std::string message = loaded.message;
        for (char& c : message) {
            c = c == '\n' ? ' ' : c;
        }
        std::fprintf(stderr, "tavrel-cli %s: %s: %s\n", command.c_str(), path.c_str(),
                     message.empty() ? "cannot read the file" : message.c_str());
        return nullptr;
    }
    return project;
}

} // namespace tavrel::cli
