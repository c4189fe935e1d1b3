// The exact scaler against a plain average of every sample of each area, on made-up pictures.
#include "analysis/tiny_frame_scaler.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>

extern "C" {
#include <libavutil/frame.h>
}

namespace marrowick {
namespace {

struct FrameFree {
    void operator()(AVFrame* frame) const { av_frame_free(&frame); }
};
using FramePtr = std::unique_ptr<AVFrame, FrameFree>;

// Full-range 4:2:0 with neutral colour, so that every channel of a cell is its mean brightness;
// the brightness is a pattern that differs from sample to sample.
FramePtr greyFrame(int width, int height) {
    FramePtr frame(av_frame_alloc());
    frame->format = AV_PIX_FMT_YUVJ420P;
    frame->width = width;
    frame->height = height;
    frame->color_range = AVCOL_RANGE_JPEG;
    if (av_frame_get_buffer(frame.get(), 0) < 0) return nullptr;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) frame->data[0][y * frame->linesize[0] + x] = static_cast<std::uint8_t>((x * 37 + y * 101 + x * y) % 256);
    for (int plane = 1; plane < 3; ++plane)
        for (int y = 0; y < (height + 1) / 2; ++y)
            for (int x = 0; x < (width + 1) / 2; ++x) frame->data[plane][y * frame->linesize[plane] + x] = 128;
    return frame;
}

// The mean of every sample of cell (column, row), cells spread as the scaler spreads them.
double cellMean(const AVFrame& frame, int column, int row) {
    const auto span = [](int cell, int cells, int samples) {
        const int first = cell * samples / cells;
        return std::pair{first, std::max(first + 1, (cell + 1) * samples / cells)};
    };
    const auto [left, right] = span(column, kTinyWidth, frame.width);
    const auto [top, bottom] = span(row, kTinyHeight, frame.height);
    double sum = 0;
    for (int y = top; y < bottom; ++y)
        for (int x = left; x < right; ++x) sum += frame.data[0][y * frame.linesize[0] + x];
    return sum / ((right - left) * (bottom - top));
}

TEST(TinyFrameScaler, EverySampleIsTheMeanOfTheWholeArea) {
    // Widths below, at and between multiples of sixteen, and a high-definition one.
    const std::pair<int, int> sizes[] = {{48, 27}, {50, 30}, {333, 187}, {352, 200}, {1920, 1080}};
    for (const auto& [width, height] : sizes) {
        const FramePtr frame = greyFrame(width, height);
        ASSERT_TRUE(frame);
        TinyFrameScaler scaler(0, TinyFrameScaler::kEverySample);
        const auto rgb = scaler.shrink(*frame);
        for (int row = 0; row < kTinyHeight; ++row)
            for (int column = 0; column < kTinyWidth; ++column)
                ASSERT_NEAR(rgb[static_cast<std::size_t>((row * kTinyWidth + column) * 3 + 1)],
                            cellMean(*frame, column, row), 0.51)
                    << width << " x " << height << " cell " << column << ", " << row;
    }
}

}  // namespace
}  // namespace marrowick
