// Frame steps, play and pause, the playhead clock, the framing choice and the output raster.
#pragma once

#include <QWidget>

class QComboBox;
class QLabel;

namespace marrowick {

class ReviewStore;

class TransportBar : public QWidget {
    Q_OBJECT

public:
    explicit TransportBar(ReviewStore& store, QWidget* parent = nullptr);

    // Shows or hides the framing picker and the raster text for the current output.
    void refreshOutput();

private:
    void refreshClock();
    void refreshFraming();

    ReviewStore& store_;
    QLabel* clock_;
    QComboBox* framing_;
    QLabel* raster_;
};

}  // namespace marrowick
