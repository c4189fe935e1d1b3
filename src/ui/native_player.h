// The video surface: paints the frames a video sink delivers, fitted inside or filling its area.
#pragma once

#include <QImage>
#include <QVideoFrame>
#include <QWidget>

#include "ui/frame_converter.h"

class QVideoSink;

namespace marrowick {

// Frames are converted off the main thread straight to the size they are shown at; painting
// copies the finished picture once, without scaling. Frames that arrive faster than they can be
// converted are skipped, so the surface always shows the newest. Paints black without a sink or
// before the first frame.
class NativePlayer : public QWidget {
    Q_OBJECT

public:
    explicit NativePlayer(QVideoSink* sink, QWidget* parent = nullptr);

    bool fill() const { return fill_; }
    // True: fill the area and crop; false: fit inside it.
    void setFill(bool fill);

    // Where a picture of `frame` size lands in an area of `area` size.
    static QRectF pictureRect(const QSizeF& frame, const QSizeF& area, bool fill);

    // The newest converted picture, at the size it is shown at once conversion caught up.
    const QImage& picture() const { return picture_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void present(const QVideoFrame& frame);
    void requestPicture();
    void showPicture(const QImage& picture);

    FrameConverter converter_;
    QVideoFrame frame_;  // the newest frame, converted again when the shown size changes
    QImage picture_;
    bool fill_ = false;
};

}  // namespace marrowick
