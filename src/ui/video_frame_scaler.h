// Turns the player's video frames into pictures of the size they are shown at.
#pragma once

#include <array>
#include <cstddef>

#include <QImage>
#include <QSize>
#include <QVideoFrame>

#include "analysis/plane_scaler.h"

namespace marrowick {

// Converts straight from the frame's planes where their layout is known, otherwise through Qt's
// full-size conversion. Writes into two pictures in turn and reuses one only once nobody else
// holds it, so a stream of frames of one size allocates nothing. One scaler per thread.
class VideoFrameScaler {
public:
    // The frame's size as it is shown, turned by its rotation.
    static QSize uprightSize(const QVideoFrame& frame);

    // The frame upright (rotation and mirroring applied) at `size`, aspect not kept, in
    // QImage::Format_RGB32. Null for an invalid frame or an empty size.
    QImage scaled(const QVideoFrame& frame, const QSize& size);

private:
    QImage& canvas(const QSize& size);
    bool scaleFromPlanes(QVideoFrame frame, QImage& target);

    PlaneScaler planes_;
    std::array<QImage, 2> canvases_;
    std::size_t nextCanvas_ = 0;
};

}  // namespace marrowick
