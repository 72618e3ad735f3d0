#include "project_input.h"

#include "app/project_load.h"
#include "foundation/atomic_file.h"
#include "foundation/number_text.h"

#include <algorithm>
#include <cstdio>

namespace tavrel::cli {

std::optional<CommandLine> ParseCommandLine(const std::string& command, Arguments args,
                                            std::initializer_list<std::string_view> valueOptions,
                                            std::initializer_list<std::string_view> switchOptions) {
    CommandLine line;
    const auto listed = [](std::initializer_list<std::string_view> list, std::string_view arg) {
        return std::find(list.begin(), list.end(), arg) != list.end();
    };
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string_view arg = args[i];
        const bool takesValue = listed(valueOptions, arg);
        if (arg == "--plain") {
            line.plain = true;
        } else if (arg == "--force") {
            line.force = true;
        } else if (listed(switchOptions, arg)) {
            line.switches.emplace(arg);
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

std::optional<int> WholeNumber(std::string_view text, int low, int high) {
    const ParsedInt parsed = ParseInt(text);
    const bool whole = parsed.consumed == static_cast<int>(text.size()) &&
                       std::any_of(text.begin(), text.end(), IsDigitChar);
    if (!whole || parsed.value < low || parsed.value > high) {
        return std::nullopt;
    }
    return parsed.value;
}

std::unique_ptr<TProjekt> LoadProjectInput(const std::string& command, const std::string& path,
                                           bool* coded) {
    auto project = std::make_unique<TProjekt>();
    ResetProject(*project);
    const ProjectLoadResult loaded = LoadProjectFile(*project, path);
    if (coded != nullptr) {
        *coded = loaded.coded;
    }
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

bool WriteOutput(const std::string& command, const std::string& path, const std::string& text) {
    if (path.empty()) {
        if (std::fwrite(text.data(), 1, text.size(), stdout) == text.size()) {
            return true;
        }
        std::fprintf(stderr, "tavrel-cli %s: cannot write to standard output\n", command.c_str());
        return false;
    }
    const std::string error = WriteFileAtomically(path, text);
    if (!error.empty()) {
        std::fprintf(stderr, "tavrel-cli %s: %s\n", command.c_str(), error.c_str());
    }
    return error.empty();
}

void PrintErrorList(std::FILE* out, const std::vector<std::string>& errors) {
    for (const std::string& error : errors) {
        std::string text;
        for (const char c : error) {
            if (c != '\r') {
                text.push_back(c);
            }
        }
        std::fprintf(out, "%s\n", text.c_str());
    }
}

bool CalculateProject(const std::string& command, const TProjekt& project, TCalcEngine& engine) {
    engine.CalculateAll(project);
    const auto errors = CollectErrors(engine.Status(), project);
    if (errors.empty()) {
        return true;
    }
    std::fprintf(stderr, "tavrel-cli %s: the calculation reported errors:\n", command.c_str());
    PrintErrorList(stderr, errors);
    return false;
}

} // namespace tavrel::cli
