// Draws one prepared label into decoded planar Y'CbCr frames of one pixel format.
#pragma once

#include <cstdint>
#include <vector>

#include "disclosure/label_overlay_set.h"

extern "C" {
#include <libavutil/frame.h>
}

namespace marrowick {

// The label converted once into the frames' colour space, chroma layout and sample depth, as
// per-sample weights and premultiplied values; blending a frame then touches only the samples
// under the rectangle: luma exactly there, chroma in the cells the rectangle reaches.
class FrameLabelBlender {
public:
    // `like` gives the pixel format (planar Y'CbCr, 8 to 16 bits), size, matrix and range of the
    // frames to come. The rectangle is clipped to the frame.
    FrameLabelBlender(const LabelOverlay& overlay, const AVFrame& like);

    // Composites the label over the frame (writable, of the format given at construction).
    void blend(AVFrame& frame) const;

    // The pixel formats blend() supports.
    static bool supports(int pixelFormat);

private:
    struct Plane {
        int index = 0;
        int x = 0, y = 0, width = 0, height = 0;  // in the plane's samples
        std::uint32_t full = 0;                   // the weight of a fully covered sample
        std::vector<std::uint32_t> weight;        // summed alpha per sample
        std::vector<std::uint32_t> premultiplied; // summed alpha x label value per sample
    };

    template <class Sample>
    static void blendPlane(const Plane& plane, AVFrame& frame);

    std::vector<Plane> planes_;
    bool wideSamples_ = false;
};

}  // namespace marrowick
