// The label's place in an output frame: whole pixels, origin top-left, y growing downward.
#pragma once

#include <cstdint>

namespace marrowick {

struct LabelRect {
    std::int64_t x = 0;
    std::int64_t y = 0;
    std::int64_t width = 0;
    std::int64_t height = 0;

    friend bool operator==(const LabelRect&, const LabelRect&) = default;
};

// Whether `inner` lies within `outer`; the edges may touch.
inline bool contains(const LabelRect& outer, const LabelRect& inner) {
    return inner.x >= outer.x && inner.y >= outer.y && inner.x + inner.width <= outer.x + outer.width &&
           inner.y + inner.height <= outer.y + outer.height;
}

}  // namespace marrowick
