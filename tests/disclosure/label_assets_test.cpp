// Artwork lookup, aspect, overlay and PNG writing against the shipped artwork and broken copies.
#include "disclosure/label_assets.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <iterator>

#include "raised_message.h"
#include "disclosure/png_codec.h"
#include "disclosure/temporary_folder.h"
#include "resource_folder.h"

namespace marrowick {
namespace {

constexpr LabelStyle kStyles[] = {LabelStyle::white, LabelStyle::black, LabelStyle::white50, LabelStyle::black50};

RgbaImage readPng(const std::filesystem::path& path) {
    std::ifstream stream(path, std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(stream), {}};
    const auto image =
        PngCodec::decodePng({reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()});
    if (!image) throw std::runtime_error("not a PNG: " + path.string());
    return *image;
}

void writeText(const std::filesystem::path& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

TEST(LabelAssets, EveryLabelledDecisionAndStyleHasArtworkInLabels) {
    for (LabelStyle style : kStyles) {
        EXPECT_FALSE(LabelAssets::url(kResources, Disclosure::none, style));
        EXPECT_FALSE(LabelAssets::url(kResources, Disclosure::unreviewed, style));
        for (Disclosure decision : {Disclosure::modified, Disclosure::generated}) {
            const auto url = LabelAssets::url(kResources, decision, style);
            ASSERT_TRUE(url);
            EXPECT_EQ(url->parent_path().filename(), "Labels");
            const RgbaImage artwork = readPng(*url);
            EXPECT_GT(artwork.width, 1000);
            // The pictures are trimmed to the icon: transparent corners, an opaque-ish middle row.
            EXPECT_EQ(artwork.pixels[3], 0);
            EXPECT_GT(artwork.pixels[(static_cast<std::size_t>(artwork.height / 2) * artwork.width + 2) * 4 + 3], 0);
        }
    }
    EXPECT_EQ(LabelAssets::fileName(Disclosure::generated, LabelStyle::black50), "EU_generated_black_50.png");
}

TEST(LabelAssets, TopLevelArtworkIsFoundBeforeTheLabelsFolder) {
    const TemporaryFolder root;
    std::filesystem::create_directories(root.path() / "Labels");
    const auto name = *LabelAssets::fileName(Disclosure::modified, LabelStyle::white);
    writeText(root.path() / "Labels" / name, "x");
    EXPECT_EQ(LabelAssets::url(root.path(), Disclosure::modified, LabelStyle::white), root.path() / "Labels" / name);
    writeText(root.path() / name, "x");
    EXPECT_EQ(LabelAssets::url(root.path(), Disclosure::modified, LabelStyle::white), root.path() / name);
    EXPECT_FALSE(LabelAssets::url(root.path(), Disclosure::generated, LabelStyle::white));
}

TEST(LabelAssets, AspectIsThePicturesOwnWidthOverHeight) {
    const RgbaImage artwork = readPng(*LabelAssets::url(kResources, Disclosure::generated, LabelStyle::white));
    EXPECT_DOUBLE_EQ(LabelAssets::aspect(kResources, Disclosure::generated, LabelStyle::white),
                     static_cast<double>(artwork.width) / artwork.height);
}

TEST(LabelAssets, MissingOrBrokenArtworkFailsWithEachOperationsMessage) {
    const TemporaryFolder root;
    const auto name = *LabelAssets::fileName(Disclosure::generated, LabelStyle::black);
    const auto out = root.path() / "out.png";
    const auto checkAll = [&] {
        EXPECT_EQ(testing::raisedMessage([&] { LabelAssets::aspect(root.path(), Disclosure::generated, LabelStyle::black); }),
                  "Official label artwork missing.");
        EXPECT_EQ(testing::raisedMessage([&] {
                      LabelAssets::overlay(root.path(), Disclosure::generated, {0, 0, 10, 2}, LabelStyle::black);
                  }),
                  "Official label artwork missing.");
        EXPECT_EQ(testing::raisedMessage([&] {
                      LabelAssets::write(root.path(), Disclosure::generated, LabelStyle::black, 10, out);
                  }),
                  "Official label asset missing.");
    };
    checkAll();  // absent
    writeText(root.path() / name, "\x89PNG\r\n\x1a\n truncated");
    checkAll();  // undecodable
    EXPECT_FALSE(std::filesystem::exists(out));
    EXPECT_EQ(testing::raisedMessage([&] { LabelAssets::aspect(kResources, Disclosure::none, LabelStyle::white); }),
              "Official label artwork missing.");
}

TEST(LabelAssets, WriteScalesToTheRoundedWidthWithSoftEdges) {
    const TemporaryFolder root;
    const auto out = root.path() / "label.png";
    const double aspect = LabelAssets::aspect(kResources, Disclosure::modified, LabelStyle::white);

    LabelAssets::write(kResources, Disclosure::modified, LabelStyle::white, 345.5, out);
    const RgbaImage label = readPng(out);
    EXPECT_EQ(label.width, 346);
    EXPECT_EQ(label.height, static_cast<int>(std::round(346 / aspect)));
    int partial = 0;
    for (std::size_t i = 3; i < label.pixels.size(); i += 4) partial += label.pixels[i] > 0 && label.pixels[i] < 255;
    EXPECT_GT(partial, 50);  // anti-aliased rounded ends, not a hard cut-out

    LabelAssets::write(kResources, Disclosure::modified, LabelStyle::white, 0.4, out);
    const RgbaImage tiny = readPng(out);
    EXPECT_EQ(tiny.width, 1);
    EXPECT_EQ(tiny.height, 1);
}

TEST(LabelAssets, WriteRefusesWidthsNoBitmapCanHoldAndPassesOnWriteErrors) {
    const TemporaryFolder root;
    EXPECT_EQ(testing::raisedMessage([&] {
                  LabelAssets::write(kResources, Disclosure::generated, LabelStyle::white, 1e12, root.path() / "a.png");
              }),
              "Cannot allocate label renderer.");
    const std::string message = testing::raisedMessage([&] {
        LabelAssets::write(kResources, Disclosure::generated, LabelStyle::white, 64, root.path() / "no" / "a.png");
    });
    EXPECT_NE(message.find("a.png"), std::string::npos) << message;
}

TEST(LabelAssets, OverlayHasTheRectanglesSize) {
    const RgbaImage picture = LabelAssets::overlay(kResources, Disclosure::generated, {1526, 955, 346, 77},
                                                   LabelAssets::styleOrWhite(std::nullopt));
    EXPECT_EQ(picture.width, 346);
    EXPECT_EQ(picture.height, 77);
    EXPECT_EQ(picture.pixels.size(), 346u * 77u * 4u);
}

}  // namespace
}  // namespace marrowick
