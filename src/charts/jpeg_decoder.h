// Decodes a JPEG file into 8-bit RGB pixels with libjpeg. Used for the picture an empty
// chart shows; a damaged or missing file is an error result, never a crash or an exit.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tavrel {

struct DecodedImage {
    bool ok = false;
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgb; ///< width · height · 3 bytes, rows top to bottom
    std::string error;
};

DecodedImage DecodeJpegFile(const std::string& path);
DecodedImage DecodeJpeg(const std::vector<std::uint8_t>& bytes);

/// Name of the placeholder picture inside the program's data directory.
constexpr const char* PlaceholderFileName = "placeholder.jpg";

} // namespace tavrel
