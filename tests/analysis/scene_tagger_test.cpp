// Scene labels: each one appears for the picture it describes, and not for the others.
#include "analysis/scene_tagger.h"

#include <gtest/gtest.h>

#include <functional>

namespace marrowick {
namespace {

RgbaImage picture(const std::function<void(int x, int y, std::uint8_t* rgb)>& paint) {
    RgbaImage image{160, 90, std::vector<std::uint8_t>(160 * 90 * 4, 255)};
    for (int y = 0; y < 90; ++y)
        for (int x = 0; x < 160; ++x) paint(x, y, &image.pixels[(std::size_t(y) * 160 + x) * 4]);
    return image;
}

std::vector<std::string> names(const RgbaImage& image) {
    std::vector<std::string> result;
    for (const SceneLabel& label : SceneTagger::labels(image)) {
        EXPECT_GT(label.confidence, 0.0f);
        EXPECT_LE(label.confidence, 1.0f);
        result.push_back(label.identifier);
    }
    return result;
}

void grey(std::uint8_t* rgb, int value) { rgb[0] = rgb[1] = rgb[2] = std::uint8_t(value); }

TEST(SceneTagger, LabelsOnlyWhatItMeasures) {
    EXPECT_EQ(names(picture([](int, int, std::uint8_t* rgb) { grey(rgb, 8); })),
              (std::vector<std::string>{"dark", "monochrome"}));
    EXPECT_EQ(names(picture([](int, int, std::uint8_t* rgb) { grey(rgb, 240); })),
              (std::vector<std::string>{"bright", "monochrome"}));
    EXPECT_EQ(names(picture([](int, int, std::uint8_t* rgb) { grey(rgb, 128); })), (std::vector<std::string>{"monochrome"}));
    EXPECT_EQ(names(picture([](int x, int, std::uint8_t* rgb) { grey(rgb, x < 80 ? 0 : 255); })),
              (std::vector<std::string>{"monochrome", "high_contrast"}));

    // Smooth blue above textured green: sky and vegetation, most confident first.
    const auto landscape = names(picture([](int x, int y, std::uint8_t* rgb) {
        if (y < 35) {
            rgb[0] = 100, rgb[1] = 160, rgb[2] = 235;
        } else {
            const int leaf = (x * 13 + y * 7) % 40;
            rgb[0] = std::uint8_t(30 + leaf), rgb[1] = std::uint8_t(110 + 2 * leaf), rgb[2] = 30;
        }
    }));
    EXPECT_NE(std::find(landscape.begin(), landscape.end(), "sky"), landscape.end());
    EXPECT_NE(std::find(landscape.begin(), landscape.end(), "vegetation"), landscape.end());
    EXPECT_EQ(std::find(landscape.begin(), landscape.end(), "text_or_graphics"), landscape.end());

    // Flat colour fields with hard borders: a title card or chart.
    const auto card = names(picture([](int x, int y, std::uint8_t* rgb) {
        const bool bar = (x / 20) % 2 == 0 && y > 20 && y < 70;
        rgb[0] = bar ? 230 : 60, rgb[1] = bar ? 200 : 60, rgb[2] = bar ? 40 : 140;
    }));
    EXPECT_NE(std::find(card.begin(), card.end(), "text_or_graphics"), card.end());
}

}  // namespace
}  // namespace marrowick
