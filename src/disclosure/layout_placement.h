// Where a label layout puts the label: the layout an edit starts from, the fit into a guide,
// positions from output pixels, and whether the label leaves its guide.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "disclosure/label_rect.h"
#include "model/label_layout.h"
#include "model/project.h"

namespace marrowick {

// The output a layout is edited for: the previewed preset (if any), the raster and the label
// artwork's width / height.
struct LayoutOutput {
    std::optional<std::string> presetKey;
    std::int64_t width = 1;
    std::int64_t height = 1;
    double assetAspect = 4.5;
};

namespace LayoutPlacement {

// The layout stored under `key`; failing that the one the output inherits (the preset's own,
// then the aspect ratio's); failing that one derived from where the corner rule draws the label,
// so that a first edit starts exactly there.
LabelLayout shown(const Project& project, const std::string& key, const LayoutOutput& output);

// The layout moved into the `corner` ("Top left" ... "Bottom right") of the safe rectangle, at
// its width fraction or narrower if the safe rectangle needs it. Throws ReviewError when even the
// minimum width does not fit.
LabelLayout fitted(const LabelLayout& layout, const std::string& corner, const LabelRect& safe,
                   const LayoutOutput& output);

// The layout with the label of size `label` placed at output pixel (x, y), held within the frame.
LabelLayout positioned(LabelLayout layout, const LabelRect& label, std::int64_t x, std::int64_t y,
                       const LayoutOutput& output);

// Whether any of the labels (one per artwork aspect) drawn for the output leaves the safe rectangle.
bool outsideGuide(const Project& project, const LayoutOutput& output, const std::vector<double>& assetAspects,
                  const LabelRect& safe);

}  // namespace LayoutPlacement
}  // namespace marrowick
