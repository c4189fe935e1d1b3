// Label pixels blended into 8-bit 4:2:0 and 10-bit 4:2:2 frames: values under the rectangle,
// chroma cells shared with the picture, clipping at the frame's edge, nothing else touched.
#include "disclosure/internal/frame_label_blender.h"

#include <gtest/gtest.h>

#include "analysis/av_handles.h"

extern "C" {
#include <libavutil/pixdesc.h>
}

namespace marrowick {
namespace {

// A black video-range frame.
FramePtr blackFrame(AVPixelFormat format, int width, int height) {
    FramePtr frame(av_frame_alloc());
    frame->format = format;
    frame->width = width;
    frame->height = height;
    EXPECT_GE(av_frame_get_buffer(frame.get(), 0), 0);
    const AVPixFmtDescriptor* d = av_pix_fmt_desc_get(format);
    const int depth = d->comp[0].depth;
    for (int plane = 0; plane < 3; ++plane) {
        const int rows = plane ? AV_CEIL_RSHIFT(height, d->log2_chroma_h) : height;
        const int columns = plane ? AV_CEIL_RSHIFT(width, d->log2_chroma_w) : width;
        const int value = (plane ? 128 : 16) << (depth - 8);
        for (int y = 0; y < rows; ++y)
            for (int x = 0; x < columns; ++x) {
                std::uint8_t* row = frame->data[plane] + static_cast<std::ptrdiff_t>(y) * frame->linesize[plane];
                if (depth > 8)
                    reinterpret_cast<std::uint16_t*>(row)[x] = static_cast<std::uint16_t>(value);
                else
                    row[x] = static_cast<std::uint8_t>(value);
            }
    }
    return frame;
}

int sampleAt(const AVFrame& frame, int plane, int x, int y) {
    const std::uint8_t* row = frame.data[plane] + static_cast<std::ptrdiff_t>(y) * frame.linesize[plane];
    return av_pix_fmt_desc_get(static_cast<AVPixelFormat>(frame.format))->comp[0].depth > 8
               ? reinterpret_cast<const std::uint16_t*>(row)[x]
               : row[x];
}

LabelOverlay overlayOf(LabelRect rect, std::vector<std::uint8_t> pixels) {
    LabelOverlay overlay;
    overlay.rect = rect;
    overlay.picture.width = static_cast<int>(rect.width);
    overlay.picture.height = static_cast<int>(rect.height);
    overlay.picture.pixels = std::move(pixels);
    return overlay;
}

TEST(FrameLabelBlender, BlendsLumaPerPixelAndChromaPerCellInEightBitFourTwoZero) {
    FramePtr frame = blackFrame(AV_PIX_FMT_YUV420P, 8, 8);
    // At (1, 1): opaque red, half-transparent white, clear; the second row clear.
    const LabelOverlay overlay = overlayOf({1, 1, 3, 2}, {255, 0, 0, 255, 255, 255, 255, 128, 9, 9, 9, 0,  //
                                                          9, 9, 9, 0,   9, 9, 9, 0,       9, 9, 9, 0});
    FrameLabelBlender(overlay, *frame).blend(*frame);
    EXPECT_EQ(sampleAt(*frame, 0, 1, 1), 81);   // BT.601 red: 16 + 219 x 0.299
    EXPECT_EQ(sampleAt(*frame, 0, 2, 1), 126);  // white over black at 128/255
    for (auto [x, y] : {std::pair{0, 0}, {1, 0}, {0, 1}, {3, 1}, {1, 2}, {4, 1}, {7, 7}})
        EXPECT_EQ(sampleAt(*frame, 0, x, y), 16) << x << "," << y;
    // The red pixel is one of the four its chroma cell covers; the white one leaves chroma alone.
    EXPECT_EQ(sampleAt(*frame, 1, 0, 0), 119);
    EXPECT_EQ(sampleAt(*frame, 2, 0, 0), 156);
    EXPECT_EQ(sampleAt(*frame, 1, 1, 0), 128);
    EXPECT_EQ(sampleAt(*frame, 2, 1, 0), 128);
}

TEST(FrameLabelBlender, WritesTenBitSamplesAndClipsAtTheFrameEdge) {
    FramePtr frame = blackFrame(AV_PIX_FMT_YUV422P10LE, 8, 4);
    frame->color_range = AVCOL_RANGE_MPEG;
    std::vector<std::uint8_t> white(3 * 2 * 4, 255);
    const LabelOverlay overlay = overlayOf({6, 3, 3, 2}, white);  // only 2 x 1 pixels fall inside
    FrameLabelBlender(overlay, *frame).blend(*frame);
    EXPECT_EQ(sampleAt(*frame, 0, 6, 3), 940);
    EXPECT_EQ(sampleAt(*frame, 0, 7, 3), 940);
    EXPECT_EQ(sampleAt(*frame, 0, 5, 3), 64);
    EXPECT_EQ(sampleAt(*frame, 0, 7, 2), 64);
    EXPECT_EQ(sampleAt(*frame, 1, 3, 3), 512);
}

TEST(FrameLabelBlender, SupportsPlanarThreeComponentLittleEndianFormatsOnly) {
    EXPECT_TRUE(FrameLabelBlender::supports(AV_PIX_FMT_YUV420P));
    EXPECT_TRUE(FrameLabelBlender::supports(AV_PIX_FMT_YUV422P10LE));
    EXPECT_TRUE(FrameLabelBlender::supports(AV_PIX_FMT_YUV444P16LE));
    EXPECT_FALSE(FrameLabelBlender::supports(AV_PIX_FMT_YUV420P10BE));
    EXPECT_FALSE(FrameLabelBlender::supports(AV_PIX_FMT_YUVA420P));
    EXPECT_FALSE(FrameLabelBlender::supports(AV_PIX_FMT_NV12));
    EXPECT_FALSE(FrameLabelBlender::supports(AV_PIX_FMT_RGB24));
    EXPECT_FALSE(FrameLabelBlender::supports(AV_PIX_FMT_GBRP));
}

}  // namespace
}  // namespace marrowick
