// Loading a project for the calculating commands exactly as the desktop program loads it.
#pragma once

#include "model/projekt.h"

#include <memory>
#include <string>

namespace tavrel::cli {

/// The project at `path` (coded, or plain store text with `plain`), or nothing after printing
/// why it could not be read, prefixed with `command`.
std::unique_ptr<TProjekt> LoadProjectInput(const std::string& command, const std::string& path,
                                           bool plain);

} // namespace tavrel::cli
