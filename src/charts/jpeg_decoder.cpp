#include "charts/jpeg_decoder.h"

#include <csetjmp>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <jpeglib.h>

namespace tavrel {

namespace {

// Larger pictures are refused rather than allocated: no placeholder needs more.
constexpr long long MaxPixels = 64LL * 1024 * 1024;

/// libjpeg reports fatal errors through error_exit, which must not return: it jumps back
/// into decode() with the message kept here.
struct ErrorManager {
    jpeg_error_mgr base;
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
};

void onError(j_common_ptr info) {
    auto* manager = reinterpret_cast<ErrorManager*>(info->err);
    (*info->err->format_message)(info, manager->message);
    std::longjmp(manager->jump, 1);
}

void onMessage(j_common_ptr info, int level) {
    // Warnings (level -1) are only counted: a truncated file merely warns, and is refused
    // after decoding. Trace messages are dropped instead of going to stderr.
    if (level < 0) {
        ++info->err->num_warnings;
    }
}

/// Only plain data lives between setjmp and the possible longjmp, as the jump requires.
bool decode(jpeg_decompress_struct& info, ErrorManager& errors,
            const std::vector<std::uint8_t>& bytes, DecodedImage& image) {
    if (setjmp(errors.jump) != 0) {
        image.error = errors.message;
        return false;
    }
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, bytes.data(), static_cast<unsigned long>(bytes.size()));
    jpeg_read_header(&info, TRUE);
    info.out_color_space = JCS_RGB;
    jpeg_start_decompress(&info);
    const long long pixels = static_cast<long long>(info.output_width) * info.output_height;
    if (info.output_components != 3 || pixels <= 0 || pixels > MaxPixels) {
        image.error = "unsupported JPEG picture size or colour format";
        return false;
    }
    image.width = static_cast<int>(info.output_width);
    image.height = static_cast<int>(info.output_height);
    image.rgb.resize(static_cast<std::size_t>(pixels) * 3);
    const std::size_t stride = static_cast<std::size_t>(image.width) * 3;
    while (info.output_scanline < info.output_height) {
        JSAMPROW row = image.rgb.data() + stride * info.output_scanline;
        jpeg_read_scanlines(&info, &row, 1);
    }
    jpeg_finish_decompress(&info);
    if (errors.base.num_warnings > 0) {
        image.error = "truncated or damaged JPEG data";
        return false;
    }
    return true;
}

} // namespace

DecodedImage DecodeJpeg(const std::vector<std::uint8_t>& bytes) {
    DecodedImage image;
    if (bytes.empty()) {
        image.error = "empty JPEG data";
        return image;
    }
    jpeg_decompress_struct info{};
    ErrorManager errors{};
    info.err = jpeg_std_error(&errors.base);
    errors.base.error_exit = onError;
    errors.base.emit_message = onMessage;
    image.ok = decode(info, errors, bytes, image);
    jpeg_destroy_decompress(&info);
    if (!image.ok) {
        image.width = 0;
        image.height = 0;
        image.rgb.clear();
    }
    return image;
}

DecodedImage DecodeJpegFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        DecodedImage image;
        image.error = "cannot open " + path;
        return image;
    }
    const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(file),
                                          std::istreambuf_iterator<char>()};
    DecodedImage image = DecodeJpeg(bytes);
    if (!image.ok) {
        image.error = path + ": " + image.error;
    }
    return image;
}

} // namespace tavrel
