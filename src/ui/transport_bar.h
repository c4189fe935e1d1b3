// Frame steps, play and pause, the playhead clock, loop, sound, full screen, the framing choice and
// the output raster.
#pragma once

#include <QWidget>

class QComboBox;
class QLabel;
class QSlider;
class QToolButton;

namespace marrowick {

class ReviewDocument;

class TransportBar : public QWidget {
    Q_OBJECT

public:
    explicit TransportBar(ReviewDocument& review, QWidget* parent = nullptr);

    // Shows or hides the framing picker and the raster text for the current output.
    void refreshOutput();

private:
    void refreshClock();
    void refreshFraming();
    void refreshPlayback();

    ReviewDocument& review_;
    QLabel* clock_;
    QToolButton* loop_;
    QToolButton* mute_;
    QSlider* volume_;
    QComboBox* framing_;
    QLabel* raster_;
};

}  // namespace marrowick
