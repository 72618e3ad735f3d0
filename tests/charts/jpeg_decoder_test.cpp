#include "charts/jpeg_decoder.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>

namespace tavrel {
namespace {

const std::string Placeholder = std::string(TAVREL_SOURCE_DIR) + "/data/" + PlaceholderFileName;

std::vector<std::uint8_t> readBytes(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

TEST(JpegDecoder, DecodesTheShippedPlaceholderPicture) {
    const DecodedImage image = DecodeJpegFile(Placeholder);
    ASSERT_TRUE(image.ok) << image.error;
    EXPECT_EQ(image.width, 578);
    EXPECT_EQ(image.height, 376);
    ASSERT_EQ(image.rgb.size(), 578u * 376u * 3u);
    // A light background with darker drawing on it: neither blank nor black.
    long long sum = 0;
    std::uint8_t darkest = 255;
    for (std::uint8_t value : image.rgb) {
        sum += value;
        darkest = std::min(darkest, value);
    }
    const double mean = static_cast<double>(sum) / static_cast<double>(image.rgb.size());
    EXPECT_GT(mean, 150.0);
    EXPECT_LT(darkest, 100);
}

TEST(JpegDecoder, TruncatedGarbageEmptyAndMissingFilesFailCleanly) {
    std::vector<std::uint8_t> bytes = readBytes(Placeholder);
    ASSERT_GT(bytes.size(), 1000u);
    for (std::size_t keep : {bytes.size() / 2, std::size_t{400}, std::size_t{10}, std::size_t{2}}) {
        const std::vector<std::uint8_t> cut(bytes.begin(), bytes.begin() + keep);
        const DecodedImage image = DecodeJpeg(cut);
        EXPECT_FALSE(image.ok) << keep;
        EXPECT_FALSE(image.error.empty());
        EXPECT_TRUE(image.rgb.empty());
        EXPECT_EQ(image.width, 0);
    }
    EXPECT_FALSE(DecodeJpeg({}).ok);
    const std::vector<std::uint8_t> text{'n', 'o', 't', ' ', 'a', ' ', 'j', 'p', 'e', 'g'};
    const DecodedImage garbage = DecodeJpeg(text);
    EXPECT_FALSE(garbage.ok);
    EXPECT_FALSE(garbage.error.empty());
    const DecodedImage missing = DecodeJpegFile("/nonexistent/placeholder.jpg");
    EXPECT_FALSE(missing.ok);
    EXPECT_NE(missing.error.find("/nonexistent/placeholder.jpg"), std::string::npos);
}

} // namespace
} // namespace tavrel
