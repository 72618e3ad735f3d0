// The input of the calculating commands: their command line, and the project loaded exactly
// as the desktop program loads it.
#pragma once

#include "commands.h"
#include "engine/calc_engine.h"
#include "model/projekt.h"

#include <functional>
#include <initializer_list>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace tavrel::cli {

/// The command line of a calculating command: options may stand anywhere among the words.
struct CommandLine {
    std::vector<std::string> positional;
    bool plain = false; ///< --plain: reading needs it no longer; writers take it as the form
    bool force = false; ///< --force
    std::map<std::string, std::string, std::less<>> values; ///< options that take a value
    std::set<std::string, std::less<>> switches;            ///< options without a value given

    bool Has(std::string_view option) const { return switches.contains(option); }
};

/// Splits `args` into positional words, --plain, the `valueOptions` with their values and the
/// `switchOptions`. A word like "-5" is a positional number. Prints the problem, prefixed
/// with `command`, and gives nothing for an unknown option or an option without its value.
std::optional<CommandLine>
ParseCommandLine(const std::string& command, Arguments args,
                 std::initializer_list<std::string_view> valueOptions,
                 std::initializer_list<std::string_view> switchOptions = {});

/// The whole number that `text` is (digits with an optional sign and nothing else) when it
/// lies from `low` to `high`.
std::optional<int> WholeNumber(std::string_view text, int low, int high);

/// The project at `path`, stored plain or coded, or nothing after printing why it could not be
/// read, prefixed with `command`. `coded`, when given, receives the file's form.
std::unique_ptr<TProjekt> LoadProjectInput(const std::string& command, const std::string& path,
                                           bool* coded = nullptr);

/// Writes `text` to standard output when `path` is empty, else to the file `path` atomically.
/// False after printing why not, prefixed with `command`.
bool WriteOutput(const std::string& command, const std::string& path, const std::string& text);

/// Prints the error list as the calculation window shows it, one line per text.
void PrintErrorList(std::FILE* out, const std::vector<std::string>& errors);

/// One full calculation of `project` in `engine`. When a job failed, prints the error list on
/// standard error after a line naming `command`, and gives false.
bool CalculateProject(const std::string& command, const TProjekt& project, TCalcEngine& engine);

} // namespace tavrel::cli
