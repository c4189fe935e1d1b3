// Converts video pictures from their planes straight to 32-bit RGB at the size they are shown.
#pragma once

#include <array>
#include <cstdint>
#include <memory>

namespace marrowick {

// The sample layouts of pictures handed over by players. Packed RGB layouts are named by their
// byte order; their fourth byte is ignored. YVU 4:2:0 is YUV 4:2:0 with the two chroma planes
// swapped, so callers pass its planes in Y, U, V order.
enum class PlaneFormat {
    yuv420p,
    yuv422p,
    yuv444p,
    nv12,
    nv21,
    uyvy,
    yuyv,
    gray8,
    gray16,
    p010,
    p016,
    yuv420p10,
    bgrx,
    rgbx,
    xrgb,
    xbgr,
};

enum class ColourMatrix { bt601, bt709, bt2020 };

// One decoded picture as the player holds it: up to three planes, each with its own stride in
// bytes. Samples are read, never written.
struct VideoPlanes {
    PlaneFormat format = PlaneFormat::yuv420p;
    int width = 0;
    int height = 0;
    std::array<const std::uint8_t*, 3> data{};
    std::array<int, 3> strides{};
    ColourMatrix matrix = ColourMatrix::bt601;
    bool fullRange = false;
};

// Keeps the scaling set-up between pictures of one size and format, so that converting a
// stream of frames costs only the conversion. Not thread-safe: one scaler per thread.
class PlaneScaler {
public:
    PlaneScaler();
    ~PlaneScaler();
    PlaneScaler(const PlaneScaler&) = delete;
    PlaneScaler& operator=(const PlaneScaler&) = delete;

    // Writes the picture scaled to width x height (aspect not kept) as native-endian 32-bit
    // 0xffRRGGBB words, `stride` bytes apart row to row, with bilinear filtering. Throws
    // ReviewError when the sizes or planes cannot be converted.
    void scale(const VideoPlanes& picture, int width, int height, std::uint32_t* target, int stride);

private:
    struct Context;
    std::unique_ptr<Context> context_;
};

}  // namespace marrowick
