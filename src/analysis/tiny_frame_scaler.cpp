// Area averaging of decoded pictures down to 48 x 27, straight from planar YUV where possible.
#include "analysis/tiny_frame_scaler.h"

#include <algorithm>
#include <cmath>
#include <vector>

extern "C" {
#include <libavutil/frame.h>
#include <libavutil/pixdesc.h>
#include <libswscale/swscale.h>
}

#include "analysis/internal/planar_yuv.h"
#include "analysis/internal/quarter_turn.h"
#include "model/review_error.h"

namespace marrowick {

namespace {

// The span [first, last) of source samples that output cell `cell` of `cells` averages.
void cellSpan(int cell, int cells, int samples, int& first, int& last) {
    first = static_cast<int>(static_cast<long long>(cell) * samples / cells);
    last = std::max(first + 1, static_cast<int>(static_cast<long long>(cell + 1) * samples / cells));
}

// Adds every step-th sample of a line to the column sums; every sample (step 1: the exact scaler,
// and small pictures) sixteen at a time, which the compiler turns into vector additions.
void addSamples(const std::uint8_t* __restrict samples, int width, int step, std::uint32_t* __restrict sums) {
    int x = 0;
    if (step == 1)
        for (; x + 16 <= width; x += 16)
            for (int k = 0; k < 16; ++k) sums[x + k] += samples[x + k];
    for (; x < width; x += step) sums[x] += samples[x];
}

// Averages one plane of width x height samples into columns x rows cells. A cell averages an even
// grid of at most perSide x perSide of its samples: a 1080p cell is 40 x 40, and 4 x 4 of them
// estimate its mean closely enough for cut detection from a hundredth of the samples.
void averagePlane(const std::uint8_t* data, int linesize, int width, int height, int columns, int rows, int perSide,
                  float* out) {
    const int step = std::max(1, width / columns / perSide);
    std::vector<std::uint32_t> columnSums(width);
    for (int row = 0; row < rows; ++row) {
        int top = 0, bottom = 0;
        cellSpan(row, rows, height, top, bottom);
        const int lines = std::min(bottom - top, perSide);
        std::fill(columnSums.begin(), columnSums.end(), 0u);
        for (int k = 0; k < lines; ++k) {
            const int line = top + (2 * k + 1) * (bottom - top) / (2 * lines);
            addSamples(data + static_cast<std::ptrdiff_t>(line) * linesize, width, step, columnSums.data());
        }
        for (int column = 0; column < columns; ++column) {
            int left = 0, right = 0;
            cellSpan(column, columns, width, left, right);
            std::uint32_t sum = 0, count = 0;
            for (int x = (left + step - 1) / step * step; x < right; x += step, ++count) sum += columnSums[x];
            out[row * columns + column] = static_cast<float>(sum) / static_cast<float>(lines * count);
        }
    }
}

std::uint8_t toByte(float value) {
    return static_cast<std::uint8_t>(std::clamp(std::lround(value), 0L, 255L));
}

// Luma weights of the frame's colour matrix (BT.601 when untagged, as FFmpeg's scaler assumes).
void lumaWeights(const AVFrame& frame, float& kr, float& kb) {
    kr = 0.299f;
    kb = 0.114f;
    if (frame.colorspace == AVCOL_SPC_BT709) {
        kr = 0.2126f;
        kb = 0.0722f;
    } else if (frame.colorspace == AVCOL_SPC_BT2020_NCL || frame.colorspace == AVCOL_SPC_BT2020_CL) {
        kr = 0.2627f;
        kb = 0.0593f;
    }
}

bool isFullRange(const AVFrame& frame) {
    if (frame.color_range == AVCOL_RANGE_JPEG) return true;
    const auto format = static_cast<AVPixelFormat>(frame.format);
    return format == AV_PIX_FMT_YUVJ420P || format == AV_PIX_FMT_YUVJ422P || format == AV_PIX_FMT_YUVJ444P ||
           format == AV_PIX_FMT_YUVJ440P || format == AV_PIX_FMT_YUVJ411P;
}

// Averages the three planes and converts the cell means to RGB bytes.
void shrinkPlanarYuv(const AVFrame& frame, const AVPixFmtDescriptor& desc, int columns, int rows, int samples,
                     std::uint8_t* rgb) {
    std::array<float, kTinyPixels> y{}, u{}, v{};
    const int chromaWidth = AV_CEIL_RSHIFT(frame.width, desc.log2_chroma_w);
    const int chromaHeight = AV_CEIL_RSHIFT(frame.height, desc.log2_chroma_h);
    averagePlane(frame.data[0], frame.linesize[0], frame.width, frame.height, columns, rows, samples, y.data());
    averagePlane(frame.data[1], frame.linesize[1], chromaWidth, chromaHeight, columns, rows, samples, u.data());
    averagePlane(frame.data[2], frame.linesize[2], chromaWidth, chromaHeight, columns, rows, samples, v.data());
    float kr = 0, kb = 0;
    lumaWeights(frame, kr, kb);
    const float kg = 1.0f - kr - kb;
    const bool full = isFullRange(frame);
    const float lumaScale = full ? 1.0f : 255.0f / 219.0f;
    const float chromaScale = full ? 1.0f : 255.0f / 224.0f;
    const float lumaOffset = full ? 0.0f : 16.0f;
    for (int i = 0; i < columns * rows; ++i) {
        const float luma = (y[i] - lumaOffset) * lumaScale;
        const float cb = (u[i] - 128.0f) * chromaScale;
        const float cr = (v[i] - 128.0f) * chromaScale;
        rgb[i * 3] = toByte(luma + 2.0f * (1.0f - kr) * cr);
        rgb[i * 3 + 1] = toByte(luma - (2.0f * kb * (1.0f - kb) * cb + 2.0f * kr * (1.0f - kr) * cr) / kg);
        rgb[i * 3 + 2] = toByte(luma + 2.0f * (1.0f - kb) * cb);
    }
}

}  // namespace

struct TinyFrameScaler::Converter {
    SwsContext* context = nullptr;
    ~Converter() { sws_freeContext(context); }
};

TinyFrameScaler::TinyFrameScaler(int quarterTurns, int samples)
    : converter_(std::make_unique<Converter>()), quarterTurns_(quarterTurns & 3), samples_(std::max(1, samples)) {}

TinyFrameScaler::~TinyFrameScaler() = default;

std::span<const std::uint8_t, kTinyValues> TinyFrameScaler::shrink(const AVFrame& frame) {
    if (frame.width <= 0 || frame.height <= 0 || !frame.data[0]) throw ReviewError("Missing decoded frame.");
    const bool sideways = (quarterTurns_ & 1) != 0;
    const int columns = sideways ? kTinyHeight : kTinyWidth;
    const int rows = sideways ? kTinyWidth : kTinyHeight;
    const AVPixFmtDescriptor* desc = av_pix_fmt_desc_get(static_cast<AVPixelFormat>(frame.format));
    if (isPlanarYuv8(desc)) {
        shrinkPlanarYuv(frame, *desc, columns, rows, samples_, stored_.data());
    } else {
        converter_->context = sws_getCachedContext(converter_->context, frame.width, frame.height,
                                                   static_cast<AVPixelFormat>(frame.format), columns, rows,
                                                   AV_PIX_FMT_RGB24, SWS_AREA, nullptr, nullptr, nullptr);
        if (!converter_->context) throw ReviewError("Missing decoded frame.");
        std::uint8_t* planes[4] = {stored_.data(), nullptr, nullptr, nullptr};
        const int strides[4] = {columns * 3, 0, 0, 0};
        if (sws_scale(converter_->context, frame.data, frame.linesize, 0, frame.height, planes, strides) <= 0)
            throw ReviewError("Missing decoded frame.");
    }
    if (quarterTurns_ == 0) return std::span<const std::uint8_t, kTinyValues>(stored_);
    quarterTurn(stored_.data(), columns, rows, 3, quarterTurns_, upright_.data());
    return std::span<const std::uint8_t, kTinyValues>(upright_);
}

}  // namespace marrowick
