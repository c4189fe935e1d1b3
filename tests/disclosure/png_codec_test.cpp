// PNG round trips, other PNG colour types, and refusal of damaged or oversized files.
#include "disclosure/png_codec.h"

#include <gtest/gtest.h>
#include <png.h>
#include <zlib.h>

#include <cstring>
#include <string>
#include <vector>

namespace marrowick {
namespace {

std::span<const std::uint8_t> asBytes(const std::string& text) {
    return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}

RgbaImage gradient(int width, int height) {
    RgbaImage image{width, height, {}};
    image.pixels.resize(image.byteCount());
    for (std::size_t i = 0; i < image.pixels.size(); ++i) image.pixels[i] = static_cast<std::uint8_t>(i * 7);
    return image;
}

// A PNG in another colour format, written by libpng itself.
std::string encodeAs(std::uint32_t format, int width, int height, const std::vector<std::uint8_t>& pixels) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(width);
    image.height = static_cast<png_uint_32>(height);
    image.format = format;
    png_alloc_size_t size = PNG_IMAGE_PNG_SIZE_MAX(image);
    std::string bytes(size, '\0');
    EXPECT_TRUE(png_image_write_to_memory(&image, bytes.data(), &size, 0, pixels.data(), 0, nullptr));
    bytes.resize(size);
    return bytes;
}

TEST(PngCodec, RoundTripKeepsEveryByteIncludingPartialAlpha) {
    const RgbaImage image = gradient(13, 5);
    const auto png = PngCodec::encodePng(image);
    ASSERT_TRUE(png);
    const auto decoded = PngCodec::decodePng(asBytes(*png));
    ASSERT_TRUE(decoded);
    EXPECT_EQ(decoded->width, 13);
    EXPECT_EQ(decoded->height, 5);
    EXPECT_EQ(decoded->pixels, image.pixels);
}

TEST(PngCodec, GreyPicturesDecodeToOpaqueRgba) {
    const auto decoded = PngCodec::decodePng(asBytes(encodeAs(PNG_FORMAT_GRAY, 2, 1, {0, 200})));
    ASSERT_TRUE(decoded);
    EXPECT_EQ(decoded->pixels, (std::vector<std::uint8_t>{0, 0, 0, 255, 200, 200, 200, 255}));
}

TEST(PngCodec, RefusesEmptyGarbageAndTruncatedFiles) {
    EXPECT_FALSE(PngCodec::decodePng({}));
    EXPECT_FALSE(PngCodec::decodePng(asBytes("not a picture at all")));
    const std::string png = *PngCodec::encodePng(gradient(40, 40));
    for (std::size_t length : {std::size_t{8}, std::size_t{33}, png.size() / 2, png.size() - 13})
        EXPECT_FALSE(PngCodec::decodePng(asBytes(png.substr(0, length)))) << "length " << length;
}

TEST(PngCodec, RefusesPicturesBeyondTheSizeLimitBeforeAllocating) {
    // A valid header (with its checksum) claiming 20000 x 20000 pixels; the data is 1 x 1.
    std::string png = *PngCodec::encodePng(gradient(1, 1));
    const char side[4] = {0x00, 0x00, 0x4E, 0x20};
    std::memcpy(png.data() + 16, side, 4);
    std::memcpy(png.data() + 20, side, 4);
    const auto* header = reinterpret_cast<const Bytef*>(png.data() + 12);  // "IHDR" and its 13 bytes
    const auto sum = static_cast<std::uint32_t>(crc32(crc32(0, nullptr, 0), header, 17));
    for (std::size_t i = 0; i < 4; ++i) png[29 + i] = static_cast<char>(sum >> (24 - 8 * i));
    EXPECT_FALSE(PngCodec::decodePng(asBytes(png)));
}

TEST(PngCodec, EncodeRefusesInconsistentPictures) {
    EXPECT_FALSE(PngCodec::encodePng(RgbaImage{}));
    RgbaImage wrongSize = gradient(4, 4);
    wrongSize.pixels.pop_back();
    EXPECT_FALSE(PngCodec::encodePng(wrongSize));
}

}  // namespace
}  // namespace marrowick
