// High-quality resizing of RGBA pictures: separable Lanczos-3 on premultiplied alpha.
#pragma once

#include "model/rgba_image.h"

namespace marrowick {

// Scales a picture to width x height (both at least 1). When shrinking, the filter widens with the
// scale so every source pixel contributes (area-correct); colours are weighted by alpha, so fully
// transparent pixels never darken or tint the edges.
RgbaImage scaleImage(const RgbaImage& source, int width, int height);

}  // namespace marrowick
