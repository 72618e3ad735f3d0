// Whole-file writes that never destroy the old file: the bytes go to a temporary file beside
// the target, which is then renamed over it.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tavrel {

/// Returns an empty text on success, otherwise why the file could not be written (the old
/// file, if any, is then unchanged and no temporary file is left behind).
std::string WriteFileAtomically(const std::string& path, std::string_view bytes);

/// The steps of WriteFileAtomically in their order.
enum class AtomicWriteStep { Create, Write, Sync, Close, Rename };

/// Test seam: from now on `step` fails as the system would with `error` (an errno value);
/// nothing fails after InjectAtomicWriteFailure(std::nullopt). Not for threads that write.
void InjectAtomicWriteFailure(std::optional<AtomicWriteStep> step, int error = 0);

} // namespace tavrel
