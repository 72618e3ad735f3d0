// Outcomes of reading and writing driver and project files. The readers and writers never talk
// to the user; they return what happened and the UI decides how to show it.
#pragma once

#include "foundation/ascii_case.h"
#include "foundation/my_ini_file.h"

#include <string>
#include <string_view>
#include <utility>

namespace tavrel {

/// The message of a reader that met a version it does not accept.
inline constexpr const char* WrongFormatMessage = "File has wrong format..";

/// The version written into every driver and project file.
constexpr int CurrentFileVersion = 1200;

struct FileReadResult {
    bool ok = false;          ///< the version was accepted and the record was read
    int version = 0;          ///< the version found in the file (0 when missing)
    bool wrongHeader = false; ///< the file exists but is no store (the store reported it)
    bool coded = true;        ///< the file's store form, which a save should keep
    std::string message;      ///< WrongFormatMessage when ok is false
};

struct FileWriteResult {
    bool ok = false;   ///< the file was written completely
    std::string error; ///< why not, when ok is false
};

/// Closes a store opened for writing and tells whether the file really was written.
inline FileWriteResult CloseWrittenStore(TMyIniFile& store) {
    const StoreCloseResult closed = store.Close();
    if (closed.ok && closed.saved) {
        return {true, {}};
    }
    return {false, closed.error.empty() ? "The file " + store.FileName() + " was not written."
                                        : closed.error};
}

/// `chosen` without a trailing ".plain" (any case), and that suffix: "X.TVP.plain" is a project
/// kept as plain text, and the extension rules look through the suffix.
inline std::pair<std::string_view, std::string_view> SplitPlainSuffix(std::string_view chosen) {
    constexpr std::string_view suffix = ".plain";
    if (chosen.size() > suffix.size() &&
        AsciiLower(chosen.substr(chosen.size() - suffix.size())) == suffix) {
        return {chosen.substr(0, chosen.size() - suffix.size()),
                chosen.substr(chosen.size() - suffix.size())};
    }
    return {chosen, {}};
}

/// The file-name part of a path: the text after the last "\", "/" or ":".
inline std::string FileNamePart(std::string_view path) {
    const std::size_t cut = path.find_last_of("\\/:");
    return std::string(cut == std::string_view::npos ? path : path.substr(cut + 1));
}

} // namespace tavrel
