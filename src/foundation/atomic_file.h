// Whole-file writes that never destroy the old file: the bytes go to a temporary file beside
// the target, which is then renamed over it.
#pragma once

#include <string>
#include <string_view>

namespace tavrel {

/// Returns an empty text on success, otherwise why the file could not be written (the old
/// file, if any, is then unchanged).
std::string WriteFileAtomically(const std::string& path, std::string_view bytes);

} // namespace tavrel
