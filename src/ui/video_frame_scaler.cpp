// Conversion of video frames for the screen: planes through libswscale, Qt's own as a fallback.
#include "ui/video_frame_scaler.h"

#include <optional>
#include <utility>

#include <QTransform>
#include <QVideoFrameFormat>

#include "model/review_error.h"

namespace marrowick {

namespace {

using Format = QVideoFrameFormat::PixelFormat;

std::optional<PlaneFormat> planeFormat(Format format) {
    switch (format) {
        case Format::Format_YUV420P:
        case Format::Format_YV12: return PlaneFormat::yuv420p;
        case Format::Format_YUV422P: return PlaneFormat::yuv422p;
        case Format::Format_NV12: return PlaneFormat::nv12;
        case Format::Format_NV21: return PlaneFormat::nv21;
        case Format::Format_UYVY: return PlaneFormat::uyvy;
        case Format::Format_YUYV: return PlaneFormat::yuyv;
        case Format::Format_Y8: return PlaneFormat::gray8;
        case Format::Format_Y16: return PlaneFormat::gray16;
        case Format::Format_P010: return PlaneFormat::p010;
        case Format::Format_P016: return PlaneFormat::p016;
        case Format::Format_YUV420P10: return PlaneFormat::yuv420p10;
        case Format::Format_BGRA8888:
        case Format::Format_BGRA8888_Premultiplied:
        case Format::Format_BGRX8888: return PlaneFormat::bgrx;
        case Format::Format_RGBA8888:
        case Format::Format_RGBX8888: return PlaneFormat::rgbx;
        case Format::Format_ARGB8888:
        case Format::Format_ARGB8888_Premultiplied:
        case Format::Format_XRGB8888: return PlaneFormat::xrgb;
        case Format::Format_ABGR8888:
        case Format::Format_XBGR8888: return PlaneFormat::xbgr;
        default: return std::nullopt;
    }
}

ColourMatrix colourMatrix(QVideoFrameFormat::ColorSpace space) {
    if (space == QVideoFrameFormat::ColorSpace_BT709) return ColourMatrix::bt709;
    if (space == QVideoFrameFormat::ColorSpace_BT2020) return ColourMatrix::bt2020;
    return ColourMatrix::bt601;
}

bool sideways(const QVideoFrame& frame) {
    return frame.rotationAngle() == QVideoFrame::Rotation90 || frame.rotationAngle() == QVideoFrame::Rotation270;
}

// The planes of a mapped frame, in Y, U, V order.
VideoPlanes planesOf(const QVideoFrame& mapped, PlaneFormat format) {
    VideoPlanes planes;
    planes.format = format;
    planes.width = mapped.width();
    planes.height = mapped.height();
    for (int plane = 0; plane < mapped.planeCount() && plane < 3; ++plane) {
        planes.data[plane] = mapped.bits(plane);
        planes.strides[plane] = mapped.bytesPerLine(plane);
    }
    if (mapped.pixelFormat() == Format::Format_YV12) {
        std::swap(planes.data[1], planes.data[2]);
        std::swap(planes.strides[1], planes.strides[2]);
    }
    const QVideoFrameFormat surface = mapped.surfaceFormat();
    planes.matrix = colourMatrix(surface.colorSpace());
    planes.fullRange = surface.colorRange() == QVideoFrameFormat::ColorRange_Full;
    return planes;
}

QImage upright(QImage picture, const QVideoFrame& frame) {
    if (frame.rotationAngle() != QVideoFrame::Rotation0)
        picture = picture.transformed(QTransform().rotate(static_cast<int>(frame.rotationAngle())));
    if (frame.mirrored()) picture = picture.mirrored(true, false);
    return picture;
}

}  // namespace

QSize VideoFrameScaler::uprightSize(const QVideoFrame& frame) {
    return sideways(frame) ? frame.size().transposed() : frame.size();
}

QImage VideoFrameScaler::scaled(const QVideoFrame& frame, const QSize& size) {
    if (!frame.isValid() || size.isEmpty()) return {};
    const QSize stored = sideways(frame) ? size.transposed() : size;
    QImage& target = canvas(stored);
    if (!scaleFromPlanes(frame, target))
        target = frame.toImage()
                     .scaled(stored, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                     .convertToFormat(QImage::Format_RGB32);
    return upright(target, frame);
}

QImage& VideoFrameScaler::canvas(const QSize& size) {
    for (QImage& image : canvases_)
        if (image.size() == size && image.isDetached()) return image;
    QImage& spare = canvases_[nextCanvas_++ % canvases_.size()];
    spare = QImage(size, QImage::Format_RGB32);
    return spare;
}

bool VideoFrameScaler::scaleFromPlanes(QVideoFrame frame, QImage& target) {
    const std::optional<PlaneFormat> format = planeFormat(frame.pixelFormat());
    if (!format || !frame.map(QVideoFrame::ReadOnly)) return false;
    bool done = true;
    try {
        planes_.scale(planesOf(frame, *format), target.width(), target.height(),
                      reinterpret_cast<std::uint32_t*>(target.bits()), static_cast<int>(target.bytesPerLine()));
    } catch (const ReviewError&) {
        done = false;
    }
    frame.unmap();
    return done;
}

}  // namespace marrowick
