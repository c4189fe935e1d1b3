// Label layouts as the layout tests write them: a width and a position on the "auto" guide.
#pragma once

#include "model/label_layout.h"

namespace marrowick::testing {

inline constexpr double kWideArtwork = 4.5;  // width / height of the "modified" artwork

inline LabelLayout layoutAt(double widthFraction, double x, double y) { return {widthFraction, x, y, "auto", {}}; }

}  // namespace marrowick::testing
