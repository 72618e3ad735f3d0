#include "project_input.h"

#include "app/project_load.h"
#include "foundation/number_text.h"

#include <algorithm>
#include <cstdio>

namespace tavrel::cli {

std::optional<CommandLine> ParseCommandLine(const std::string& command, Arguments args,
                                            std::initializer_list<std::string_view> valueOptions) {
    CommandLine line;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string_view arg = args[i];
        const bool takesValue =
            std::find(valueOptions.begin(), valueOptions.end(), arg) != valueOptions.end();
        if (arg == "--plain") {
            line.plain = true;
        } else if (takesValue && i + 1 < args.size()) {
            line.values[std::string(arg)] = args[++i];
        } else if (arg.size() > 1 && arg.starts_with("-") && !IsDigitChar(arg[1])) {
            std::fprintf(stderr, "tavrel-cli %s: unknown or incomplete option '%.*s'\n",
                         command.c_str(), static_cast<int>(arg.size()), arg.data());
            return std::nullopt;
        } else {
            line.positional.emplace_back(arg);
        }
    }
    return line;
}

std::unique_ptr<TProjekt> LoadProjectInput(const std::string& command, const std::string& path,
                                           bool plain) {
    auto project = std::make_unique<TProjekt>();
    ResetProject(*project);
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
