// The video surface: paints the frames a video sink delivers, fitted inside or filling its area.
#pragma once

#include <QImage>
#include <QVideoFrame>
#include <QWidget>

class QVideoSink;

namespace marrowick {

// Converts each delivered frame at most once, when it is first painted; repaints in between
// reuse that picture. Paints black without a sink or before the first frame.
class NativePlayer : public QWidget {
    Q_OBJECT

public:
    explicit NativePlayer(QVideoSink* sink, QWidget* parent = nullptr);

    bool fill() const { return fill_; }
    // True: fill the area and crop; false: fit inside it.
    void setFill(bool fill);

    // Where a picture of `frame` size lands in an area of `area` size.
    static QRectF pictureRect(const QSizeF& frame, const QSizeF& area, bool fill);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void present(const QVideoFrame& frame);

    QVideoFrame pending_;
    QImage picture_;
    bool fill_ = false;
};

}  // namespace marrowick
