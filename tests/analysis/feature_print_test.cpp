// Feature prints: what stays close, what moves apart, and the byte form.
#include "analysis/feature_print.h"

#include <gtest/gtest.h>

#include <functional>

#include "model/review_error.h"

namespace marrowick {
namespace {

using Paint = std::function<void(int x, int y, std::uint8_t* rgb)>;

RgbaImage picture(int width, int height, const Paint& paint) {
    RgbaImage image{width, height, std::vector<std::uint8_t>(std::size_t(width) * height * 4, 255)};
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) paint(x, y, &image.pixels[(std::size_t(y) * width + x) * 4]);
    return image;
}

void fill(std::uint8_t* rgb, int r, int g, int b) {
    rgb[0] = std::uint8_t(r);
    rgb[1] = std::uint8_t(g);
    rgb[2] = std::uint8_t(b);
}

// A blue sky over a green field with a red house left of the middle.
const Paint landscape = [](int x, int y, std::uint8_t* rgb) {
    if (y < 40) return fill(rgb, 90, 140, 230 - y);
    if (x > 60 && x < 100 && y < 80) return fill(rgb, 200, 40, 30);
    fill(rgb, 40 + (x * 7 % 30), 150 - y / 2, 40);
};

// A dark room with a bright window on the right.
const Paint room = [](int x, int y, std::uint8_t* rgb) {
    if (x > 120 && y > 20 && y < 70) return fill(rgb, 250, 240, 200);
    fill(rgb, 40 + y / 4, 30, 25);
};

TEST(FeaturePrint, SurvivesRegradingReframingAndScalingButSeparatesScenes) {
    const RgbaImage original = picture(160, 90, landscape);
    const FeaturePrint print = FeaturePrint::of(original);
    EXPECT_EQ(FeaturePrint::distance(print, print), 0.0f);

    // Brighter, flatter, less saturated, at another size.
    const RgbaImage graded = picture(320, 180, [](int x, int y, std::uint8_t* rgb) {
        landscape(x / 2, y / 2, rgb);
        const int luma = (rgb[0] * 299 + rgb[1] * 587 + rgb[2] * 114) / 1000;
        for (int c = 0; c < 3; ++c) rgb[c] = std::uint8_t(std::clamp((luma + (rgb[c] - luma) * 8 / 10) * 9 / 10 + 30, 0, 255));
    });
    EXPECT_LT(FeaturePrint::distance(print, FeaturePrint::of(graded)), 0.2f);
    // The same picture cropped by 8 % on the left and top.
    const RgbaImage cropped = picture(147, 83, [](int x, int y, std::uint8_t* rgb) { landscape(x + 13, y + 7, rgb); });
    EXPECT_LT(FeaturePrint::distance(print, FeaturePrint::of(cropped)), 0.2f);

    EXPECT_GT(FeaturePrint::distance(print, FeaturePrint::of(picture(160, 90, room))), 0.5f);
    // Black and white frames are not one scene, although both are flat.
    const FeaturePrint black = FeaturePrint::of(picture(16, 9, [](int, int, std::uint8_t* rgb) { fill(rgb, 0, 0, 0); }));
    const FeaturePrint white = FeaturePrint::of(picture(16, 9, [](int, int, std::uint8_t* rgb) { fill(rgb, 255, 255, 255); }));
    EXPECT_GT(FeaturePrint::distance(black, white), 0.35f);
    EXPECT_EQ(FeaturePrint::distance(black, white), FeaturePrint::distance(white, black));
}

TEST(FeaturePrint, ALimitedDistanceAgreesWithTheFullOneUpToTheLimit) {
    const FeaturePrint a = FeaturePrint::of(picture(160, 90, landscape));
    const FeaturePrint b = FeaturePrint::of(picture(160, 90, room));
    const float full = FeaturePrint::distance(a, b);
    EXPECT_EQ(FeaturePrint::distanceWithin(a, b, full), full);
    EXPECT_EQ(FeaturePrint::distanceWithin(a, b, 2.0f), full);
    EXPECT_GT(FeaturePrint::distanceWithin(a, b, full / 4), full / 4);
}

TEST(FeaturePrint, DecodesItsOwnBytesAndRefusesEveryOtherForm) {
    const FeaturePrint print = FeaturePrint::of(picture(64, 36, landscape));
    std::vector<std::uint8_t> bytes = print.encode();
    ASSERT_EQ(bytes.size(), FeaturePrint::kEncodedSize);
    EXPECT_EQ(FeaturePrint::decode(bytes), print);

    const auto refused = [](std::vector<std::uint8_t> changed) {
        EXPECT_THROW(FeaturePrint::decode(changed), ReviewError);
    };
    refused({});
    refused(std::vector<std::uint8_t>(bytes.begin(), bytes.end() - 1));
    std::vector<std::uint8_t> longer = bytes;
    longer.push_back(0);
    refused(longer);
    std::vector<std::uint8_t> newer = bytes;
    newer[4] = FeaturePrint::kVersion + 1;
    refused(newer);
    std::vector<std::uint8_t> foreign = bytes;
    foreign[0] = 'b';  // for example a keyed archive ("bplist00...")
    refused(foreign);
}

}  // namespace
}  // namespace marrowick
