// The driver input and output of the driver commands (import, fit): a driver file read as the
// driver editor reads it, written as it writes it, and texts printed for a UTF-8 terminal.
#pragma once

#include "model/chassis.h"

#include <cstdio>
#include <memory>
#include <string>

namespace tavrel::cli {

/// The driver at `path`, stored plain or coded, with its derived data, or nothing after
/// printing why not. `coded` receives the file's form.
std::unique_ptr<TChassis> LoadDriverInput(const std::string& command, const std::string& path,
                                          bool& coded);
/// Writes `driver` to `path` in the given form; false after printing why not.
bool SaveDriverOutput(const std::string& command, const TChassis& driver, const std::string& path,
                      bool coded);
/// Prints a Windows-1252 text with its line breaks (CR LF, lone CR) as newlines, in UTF-8.
void PrintStoreText(std::FILE* out, const std::string& text);

} // namespace tavrel::cli
