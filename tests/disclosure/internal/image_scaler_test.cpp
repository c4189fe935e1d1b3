// Resizing keeps flat colours flat and transparent pixels out of the visible colour.
#include "disclosure/internal/image_scaler.h"

#include <gtest/gtest.h>

namespace marrowick {
namespace {

RgbaImage filled(int width, int height, std::uint8_t r, std::uint8_t g, std::uint8_t b, std::uint8_t a) {
    RgbaImage image{width, height, {}};
    for (int i = 0; i < width * height; ++i) image.pixels.insert(image.pixels.end(), {r, g, b, a});
    return image;
}

TEST(ImageScaler, FlatPicturesStayFlatAtAnySize) {
    const RgbaImage source = filled(37, 11, 200, 100, 50, 128);
    for (const auto& [width, height] : {std::pair{5, 3}, std::pair{80, 31}, std::pair{1, 1}}) {
        const RgbaImage scaled = scaleImage(source, width, height);
        ASSERT_EQ(scaled.width, width);
        ASSERT_EQ(scaled.height, height);
        for (std::size_t i = 0; i < scaled.pixels.size(); i += 4) {
            EXPECT_NEAR(scaled.pixels[i], 200, 1);
            EXPECT_NEAR(scaled.pixels[i + 1], 100, 1);
            EXPECT_NEAR(scaled.pixels[i + 2], 50, 1);
            EXPECT_NEAR(scaled.pixels[i + 3], 128, 1);
        }
    }
}

TEST(ImageScaler, TransparentNeighboursDoNotDarkenTheEdge) {
    // White opaque left half, transparent black right half: every visible output pixel stays white,
    // and the edge gets partial alpha.
    RgbaImage source = filled(16, 4, 255, 255, 255, 255);
    for (int y = 0; y < 4; ++y)
        for (int x = 8; x < 16; ++x)
            for (int c = 0; c < 4; ++c) source.pixels[static_cast<std::size_t>((y * 16 + x) * 4 + c)] = 0;
    const RgbaImage scaled = scaleImage(source, 5, 2);
    bool partial = false;
    for (std::size_t i = 0; i < scaled.pixels.size(); i += 4) {
        const std::uint8_t alpha = scaled.pixels[i + 3];
        if (alpha == 0) continue;
        partial = partial || alpha < 255;
        EXPECT_EQ(scaled.pixels[i], 255) << "pixel " << i / 4;
    }
    EXPECT_TRUE(partial);
}

}  // namespace
}  // namespace marrowick
