// Painting of the player's frames.
#include "ui/native_player.h"

#include <QPainter>
#include <QVideoSink>

#include "ui/video_frame_scaler.h"

namespace marrowick {

NativePlayer::NativePlayer(QVideoSink* sink, QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMinimumSize(64, 36);
    if (sink) connect(sink, &QVideoSink::videoFrameChanged, this, &NativePlayer::present);
    connect(&converter_, &FrameConverter::converted, this, &NativePlayer::showPicture);
}

void NativePlayer::setFill(bool fill) {
    if (fill_ == fill) return;
    fill_ = fill;
    requestPicture();
    update();
}

QRectF NativePlayer::pictureRect(const QSizeF& frame, const QSizeF& area, bool fill) {
    if (frame.isEmpty() || area.isEmpty()) return {};
    const QSizeF scaled = frame.scaled(area, fill ? Qt::KeepAspectRatioByExpanding : Qt::KeepAspectRatio);
    return {(area.width() - scaled.width()) / 2, (area.height() - scaled.height()) / 2, scaled.width(),
            scaled.height()};
}

void NativePlayer::present(const QVideoFrame& frame) {
    if (!frame.isValid()) return;
    frame_ = frame;
    requestPicture();
}

void NativePlayer::requestPicture() {
    const QRectF shown = pictureRect(VideoFrameScaler::uprightSize(frame_), size(), fill_);
    if (shown.isEmpty()) return;
    converter_.convert(frame_, (shown.size() * devicePixelRatioF()).toSize());
}

void NativePlayer::showPicture(const QImage& picture) {
    picture_ = picture;
    update();
}

void NativePlayer::resizeEvent(QResizeEvent*) { requestPicture(); }

void NativePlayer::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::black);
    if (picture_.isNull()) return;
    const qreal ratio = devicePixelRatioF();
    QRectF shown = pictureRect(QSizeF(picture_.size()) / ratio, size(), fill_);
    // On whole pixels a picture of the shown size is copied as it is; only a picture converted
    // for the previous size, until its successor arrives, is scaled.
    shown.moveTopLeft(shown.topLeft().toPoint());
    painter.setClipRect(rect());
    painter.setRenderHint(QPainter::SmoothPixmapTransform, (shown.size() * ratio).toSize() != picture_.size());
    painter.drawImage(shown, picture_);
}

}  // namespace marrowick
