// Scaling and colour conversion of player pictures with libswscale.
#include "analysis/plane_scaler.h"

extern "C" {
#include <libavutil/imgutils.h>
#include <libavutil/pixdesc.h>
#include <libswscale/swscale.h>
}

#include "model/review_error.h"

namespace marrowick {

namespace {

AVPixelFormat avFormat(PlaneFormat format) {
    switch (format) {
        case PlaneFormat::yuv420p: return AV_PIX_FMT_YUV420P;
        case PlaneFormat::yuv422p: return AV_PIX_FMT_YUV422P;
        case PlaneFormat::yuv444p: return AV_PIX_FMT_YUV444P;
        case PlaneFormat::nv12: return AV_PIX_FMT_NV12;
        case PlaneFormat::nv21: return AV_PIX_FMT_NV21;
        case PlaneFormat::uyvy: return AV_PIX_FMT_UYVY422;
        case PlaneFormat::yuyv: return AV_PIX_FMT_YUYV422;
        case PlaneFormat::gray8: return AV_PIX_FMT_GRAY8;
        case PlaneFormat::gray16: return AV_PIX_FMT_GRAY16;
        case PlaneFormat::p010: return AV_PIX_FMT_P010;
        case PlaneFormat::p016: return AV_PIX_FMT_P016;
        case PlaneFormat::yuv420p10: return AV_PIX_FMT_YUV420P10;
        case PlaneFormat::bgrx: return AV_PIX_FMT_BGR0;
        case PlaneFormat::rgbx: return AV_PIX_FMT_RGB0;
        case PlaneFormat::xrgb: return AV_PIX_FMT_0RGB;
        case PlaneFormat::xbgr: return AV_PIX_FMT_0BGR;
    }
    return AV_PIX_FMT_NONE;
}

int swsColourSpace(ColourMatrix matrix) {
    switch (matrix) {
        case ColourMatrix::bt601: return SWS_CS_ITU601;
        case ColourMatrix::bt709: return SWS_CS_ITU709;
        case ColourMatrix::bt2020: return SWS_CS_BT2020;
    }
    return SWS_CS_DEFAULT;
}

// Every plane the format needs is there, with rows at least as long as the picture is wide.
bool hasPlanes(const VideoPlanes& picture, AVPixelFormat format) {
    int rowBytes[4] = {};
    if (av_image_fill_linesizes(rowBytes, format, picture.width) < 0) return false;
    const int planes = av_pix_fmt_count_planes(format);
    for (int plane = 0; plane < planes; ++plane)
        if (!picture.data[plane] || picture.strides[plane] < rowBytes[plane]) return false;
    return true;
}

}  // namespace

struct PlaneScaler::Context {
    SwsContext* sws = nullptr;
    ColourMatrix matrix = ColourMatrix::bt601;
    bool fullRange = false;
    ~Context() { sws_freeContext(sws); }

    // The cached scaler for these sizes and formats, with the picture's colour set on it.
    SwsContext* prepare(const VideoPlanes& picture, AVPixelFormat format, int width, int height) {
        SwsContext* cached = sws_getCachedContext(sws, picture.width, picture.height, format, width, height,
                                                  AV_PIX_FMT_RGB32, SWS_BILINEAR, nullptr, nullptr, nullptr);
        if (!cached) return nullptr;
        const bool fresh = cached != sws;
        sws = cached;
        if (fresh || matrix != picture.matrix || fullRange != picture.fullRange) {
            const int* coefficients = sws_getCoefficients(swsColourSpace(picture.matrix));
            sws_setColorspaceDetails(sws, coefficients, picture.fullRange ? 1 : 0, coefficients, 1, 0, 1 << 16,
                                     1 << 16);
            matrix = picture.matrix;
            fullRange = picture.fullRange;
        }
        return sws;
    }
};

PlaneScaler::PlaneScaler() : context_(std::make_unique<Context>()) {}

PlaneScaler::~PlaneScaler() = default;

void PlaneScaler::scale(const VideoPlanes& picture, int width, int height, std::uint32_t* target, int stride) {
    const AVPixelFormat format = avFormat(picture.format);
    if (picture.width <= 0 || picture.height <= 0 || width <= 0 || height <= 0 || !target ||
        stride < width * 4 || !hasPlanes(picture, format))
        throw ReviewError("Cannot decode video.");
    SwsContext* sws = context_->prepare(picture, format, width, height);
    if (!sws) throw ReviewError("Cannot decode video.");
    const std::uint8_t* const planes[4] = {picture.data[0], picture.data[1], picture.data[2], nullptr};
    const int strides[4] = {picture.strides[0], picture.strides[1], picture.strides[2], 0};
    std::uint8_t* const targets[4] = {reinterpret_cast<std::uint8_t*>(target), nullptr, nullptr, nullptr};
    const int targetStrides[4] = {stride, 0, 0, 0};
    if (sws_scale(sws, planes, strides, 0, picture.height, targets, targetStrides) != height)
        throw ReviewError("Cannot decode video.");
}

}  // namespace marrowick
