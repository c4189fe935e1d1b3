// The one rule that places the label in every output and preview, and the layout keys it reads.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "disclosure/label_rect.h"
#include "model/project.h"

namespace marrowick::LabelGeometry {

// "16:9"-style reduced ratio of a frame size; "invalid" when either side is below 1.
std::string aspect(std::int64_t width, std::int64_t height);

// "preset:<preset key>|<aspect>" when a preset key is given, else "aspect:<aspect>".
std::string key(const std::optional<std::string>& presetKey, std::int64_t width, std::int64_t height);

// The layout stored under `key`, or null.
const LabelLayout* stored(const Project& project, const std::string& key);

// The stored layout an output uses: the preset's own for this ratio when a preset key is given
// and one is stored, else the ratio's; null when neither is.
const LabelLayout* layoutFor(const Project& project, const std::optional<std::string>& presetKey, std::int64_t width,
                             std::int64_t height);

// The edges a corner ("Top left", "Top right", "Bottom left", "Bottom right") puts the label against.
struct CornerSides {
    bool right = false;
    bool top = false;
};
CornerSides sides(const std::string& corner);

// The label's width and height (x and y 0) at a width fraction of a frame of width x height
// pixels: round(fraction x width), held within the frame on both sides, at least 1 x 1.
LabelRect size(double fraction, std::int64_t width, std::int64_t height, double assetAspect);

// The label rectangle for a frame of width x height pixels (both at least 1), given the project's
// label settings and layouts, an optional delivery preset key and the artwork's width / height
// (positive and finite, as LabelAssets::aspect returns it). Never fails.
LabelRect rect(const Project& project, const std::optional<std::string>& presetKey, std::int64_t width,
               std::int64_t height, double assetAspect);

}  // namespace marrowick::LabelGeometry
