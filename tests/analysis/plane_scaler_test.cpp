// Conversion of player pictures to RGB at the shown size: colours, layouts, odd sizes, strides.
#include "analysis/plane_scaler.h"

#include <cstdint>
#include <cstdlib>
#include <vector>

#include <gtest/gtest.h>

#include "model/review_error.h"

namespace marrowick {
namespace {

struct Yuv {
    std::uint8_t y, u, v;
};
struct Rgb {
    int r, g, b;
};

// BT.709 video-range codes of pure colours.
constexpr Yuv kWhite{235, 128, 128}, kBlack{16, 128, 128}, kRed{63, 102, 240}, kBlue{32, 240, 118};

// A picture of one colour per vertical bar, in planar 4:2:0 with rows `padding` bytes longer
// than the picture; the padding holds bright garbage that must never show.
struct BarPicture {
    int width, height;
    std::vector<std::uint8_t> y, u, v;
    int yStride, cStride;

    BarPicture(std::initializer_list<Yuv> bars, int width_, int height_, int padding = 0)
        : width(width_), height(height_), yStride(width_ + padding), cStride((width_ + 1) / 2 + padding) {
        const int chromaHeight = (height + 1) / 2;
        y.assign(static_cast<std::size_t>(yStride) * height, 255);
        u.assign(static_cast<std::size_t>(cStride) * chromaHeight, 255);
        v.assign(static_cast<std::size_t>(cStride) * chromaHeight, 255);
        const std::vector<Yuv> colours(bars);
        const auto barAt = [&](int x, int across) { return colours[x * colours.size() / across]; };
        for (int row = 0; row < height; ++row)
            for (int x = 0; x < width; ++x) y[row * yStride + x] = barAt(x, width).y;
        for (int row = 0; row < chromaHeight; ++row)
            for (int x = 0; x < (width + 1) / 2; ++x) {
                u[row * cStride + x] = barAt(x, (width + 1) / 2).u;
                v[row * cStride + x] = barAt(x, (width + 1) / 2).v;
            }
    }
    VideoPlanes planes() const {
        VideoPlanes planes;
        planes.format = PlaneFormat::yuv420p;
        planes.width = width;
        planes.height = height;
        planes.data = {y.data(), u.data(), v.data()};
        planes.strides = {yStride, cStride, cStride};
        planes.matrix = ColourMatrix::bt709;
        return planes;
    }
};

struct Scaled {
    int width, height;
    std::vector<std::uint32_t> pixels;

    Rgb at(int x, int y) const {
        const std::uint32_t word = pixels[static_cast<std::size_t>(y) * width + x];
        EXPECT_EQ(word >> 24, 0xffu) << "opaque at " << x << "," << y;
        return {static_cast<int>((word >> 16) & 0xff), static_cast<int>((word >> 8) & 0xff),
                static_cast<int>(word & 0xff)};
    }
};

Scaled scale(const VideoPlanes& planes, int width, int height) {
    Scaled result{width, height, std::vector<std::uint32_t>(static_cast<std::size_t>(width) * height)};
    PlaneScaler scaler;
    scaler.scale(planes, width, height, result.pixels.data(), width * 4);
    return result;
}

void expectNear(Rgb actual, Rgb expected, const char* what) {
    constexpr int kTolerance = 4;
    EXPECT_LE(std::abs(actual.r - expected.r), kTolerance) << what << " red " << actual.r;
    EXPECT_LE(std::abs(actual.g - expected.g), kTolerance) << what << " green " << actual.g;
    EXPECT_LE(std::abs(actual.b - expected.b), kTolerance) << what << " blue " << actual.b;
}

TEST(PlaneScaler, ColourBarsKeepTheirColoursAtTheShownSize) {
    const BarPicture bars({kWhite, kRed, kBlue, kBlack}, 256, 64);
    const Scaled shown = scale(bars.planes(), 64, 16);
    expectNear(shown.at(8, 8), {255, 255, 255}, "white");
    expectNear(shown.at(24, 8), {255, 0, 0}, "red");
    expectNear(shown.at(40, 8), {0, 0, 255}, "blue");
    expectNear(shown.at(56, 8), {0, 0, 0}, "black");
}

TEST(PlaneScaler, FollowsTheColourMatrixAndRange) {
    BarPicture grey({Yuv{16, 128, 128}}, 16, 16);
    VideoPlanes planes = grey.planes();
    planes.fullRange = true;
    expectNear(scale(planes, 8, 8).at(4, 4), {16, 16, 16}, "full-range 16");

    const BarPicture red({kRed}, 16, 16);
    planes = red.planes();
    planes.matrix = ColourMatrix::bt601;
    const Rgb asBt601 = scale(planes, 8, 8).at(4, 4);
    EXPECT_LT(asBt601.r, 245) << "BT.709 red read as BT.601 is a darker red";
}

TEST(PlaneScaler, OddSizesAndPaddedRowsShowNoPadding) {
    const BarPicture odd({kBlack}, 33, 17, 15);
    const Scaled shown = scale(odd.planes(), 11, 7);
    for (int y = 0; y < shown.height; ++y)
        for (int x = 0; x < shown.width; ++x) expectNear(shown.at(x, y), {0, 0, 0}, "black");
    const Scaled enlarged = scale(odd.planes(), 67, 35);
    expectNear(enlarged.at(66, 34), {0, 0, 0}, "last pixel");
}

TEST(PlaneScaler, SemiPlanarAndPackedLayoutsMatchPlanar) {
    // A 4 x 2 red picture in each layout: chroma interleaved, swapped, and packed 4:2:2.
    const std::vector<std::uint8_t> luma(8, kRed.y);
    const std::vector<std::uint8_t> uv{kRed.u, kRed.v, kRed.u, kRed.v};
    const std::vector<std::uint8_t> vu{kRed.v, kRed.u, kRed.v, kRed.u};
    std::vector<std::uint8_t> yuyv, uyvy;
    for (int pair = 0; pair < 4; ++pair) {
        yuyv.insert(yuyv.end(), {kRed.y, kRed.u, kRed.y, kRed.v});
        uyvy.insert(uyvy.end(), {kRed.u, kRed.y, kRed.v, kRed.y});
    }
    const auto layout = [](PlaneFormat format, std::array<const std::uint8_t*, 3> data, std::array<int, 3> strides) {
        VideoPlanes planes;
        planes.format = format;
        planes.width = 4;
        planes.height = 2;
        planes.data = data;
        planes.strides = strides;
        planes.matrix = ColourMatrix::bt709;
        return planes;
    };
    expectNear(scale(layout(PlaneFormat::nv12, {luma.data(), uv.data()}, {4, 4}), 2, 2).at(1, 1), {255, 0, 0}, "nv12");
    expectNear(scale(layout(PlaneFormat::nv21, {luma.data(), vu.data()}, {4, 4}), 2, 2).at(1, 1), {255, 0, 0}, "nv21");
    expectNear(scale(layout(PlaneFormat::yuyv, {yuyv.data()}, {8}), 2, 2).at(1, 1), {255, 0, 0}, "yuyv");
    expectNear(scale(layout(PlaneFormat::uyvy, {uyvy.data()}, {8}), 2, 2).at(1, 1), {255, 0, 0}, "uyvy");
    std::vector<std::uint8_t> bgrx;
    for (int pixel = 0; pixel < 8; ++pixel) bgrx.insert(bgrx.end(), {0, 0, 255, 7});
    expectNear(scale(layout(PlaneFormat::bgrx, {bgrx.data()}, {16}), 2, 2).at(1, 1), {255, 0, 0}, "bgrx");
}

TEST(PlaneScaler, RefusesMissingPlanesShortRowsAndEmptySizes) {
    const BarPicture picture({kWhite}, 8, 8);
    std::vector<std::uint32_t> target(64);
    PlaneScaler scaler;
    VideoPlanes noChroma = picture.planes();
    noChroma.data[2] = nullptr;
    EXPECT_THROW(scaler.scale(noChroma, 8, 8, target.data(), 32), ReviewError);
    VideoPlanes shortRows = picture.planes();
    shortRows.strides[1] = 3;
    EXPECT_THROW(scaler.scale(shortRows, 8, 8, target.data(), 32), ReviewError);
    EXPECT_THROW(scaler.scale(picture.planes(), 0, 8, target.data(), 32), ReviewError);
    EXPECT_THROW(scaler.scale(picture.planes(), 8, 8, target.data(), 16), ReviewError);
    VideoPlanes empty = picture.planes();
    empty.height = 0;
    EXPECT_THROW(scaler.scale(empty, 8, 8, target.data(), 32), ReviewError);
}

}  // namespace
}  // namespace marrowick
