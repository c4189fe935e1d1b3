// Painting of the player's frames.
#include "ui/native_player.h"

#include <QPainter>
#include <QVideoSink>

namespace marrowick {

NativePlayer::NativePlayer(QVideoSink* sink, QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMinimumSize(64, 36);
    if (sink) connect(sink, &QVideoSink::videoFrameChanged, this, &NativePlayer::present);
}

void NativePlayer::setFill(bool fill) {
    if (fill_ == fill) return;
    fill_ = fill;
    update();
}

QRectF NativePlayer::pictureRect(const QSizeF& frame, const QSizeF& area, bool fill) {
    if (frame.isEmpty() || area.isEmpty()) return {};
    const QSizeF scaled = frame.scaled(area, fill ? Qt::KeepAspectRatioByExpanding : Qt::KeepAspectRatio);
    return {(area.width() - scaled.width()) / 2, (area.height() - scaled.height()) / 2, scaled.width(),
            scaled.height()};
}

void NativePlayer::present(const QVideoFrame& frame) {
    // Keep only a reference: the conversion waits for the paint, so frames that arrive faster
    // than the screen repaints are never converted.
    pending_ = frame;
    update();
}

void NativePlayer::paintEvent(QPaintEvent*) {
    if (pending_.isValid()) {
        picture_ = pending_.toImage();
        pending_ = QVideoFrame();
    }
    QPainter painter(this);
    painter.fillRect(rect(), Qt::black);
    if (picture_.isNull()) return;
    painter.setClipRect(rect());
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(pictureRect(picture_.size(), size(), fill_), picture_);
}

}  // namespace marrowick
