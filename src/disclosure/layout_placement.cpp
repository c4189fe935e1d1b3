// Starting layouts, the fit into a guide and pixel positions of the label.
#include "disclosure/layout_placement.h"

#include <algorithm>
#include <cmath>

#include "disclosure/label_geometry.h"
#include "model/review_error.h"

namespace marrowick::LayoutPlacement {
namespace {

constexpr double kMinimumWidthFraction = 0.08;

// A pixel offset as a fraction of the free space, or the offset itself when there is none.
double share(double offset, double freeSpace) {
    return std::clamp(freeSpace < 1 ? offset : offset / freeSpace, 0.0, 1.0);
}

}  // namespace

LabelLayout shown(const Project& project, const std::string& key, const LayoutOutput& output) {
    if (const LabelLayout* own = LabelGeometry::stored(project, key)) return *own;
    if (const LabelLayout* inherited = LabelGeometry::layoutFor(project, output.presetKey, output.width, output.height))
        return *inherited;
    const LabelRect drawn =
        LabelGeometry::rect(project, output.presetKey, output.width, output.height, output.assetAspect);
    LabelLayout derived;
    derived.widthFraction = project.labelWidth;
    derived.x = static_cast<double>(drawn.x) / static_cast<double>(std::max<std::int64_t>(output.width - drawn.width, 1));
    derived.y =
        static_cast<double>(drawn.y) / static_cast<double>(std::max<std::int64_t>(output.height - drawn.height, 1));
    return derived;
}

LabelLayout fitted(const LabelLayout& layout, const std::string& corner, const LabelRect& safe,
                   const LayoutOutput& output) {
    const auto width = static_cast<double>(output.width);
    const double largest =
        std::min(std::floor(output.assetAspect * static_cast<double>(safe.height)), static_cast<double>(safe.width)) /
        width;
    if (largest < kMinimumWidthFraction)
        throw ReviewError("The label cannot fit these margins at the minimum width. Reduce the margins.");
    LabelLayout fit = layout;
    fit.widthFraction = std::min(largest, layout.widthFraction);
    const LabelRect label = LabelGeometry::size(fit.widthFraction, output.width, output.height, output.assetAspect);
    const auto [right, top] = LabelGeometry::sides(corner);
    const std::int64_t x = right ? safe.x + safe.width - label.width : safe.x;
    const std::int64_t y = top ? safe.y : safe.y + safe.height - label.height;
    fit.x = share(static_cast<double>(x), static_cast<double>(output.width - label.width));
    fit.y = share(static_cast<double>(y), static_cast<double>(output.height - label.height));
    return fit;
}

LabelLayout positioned(LabelLayout layout, const LabelRect& label, std::int64_t x, std::int64_t y,
                       const LayoutOutput& output) {
    const std::int64_t freeX = std::max<std::int64_t>(output.width - label.width, 0);
    const std::int64_t freeY = std::max<std::int64_t>(output.height - label.height, 0);
    if (freeX > 0) layout.x = static_cast<double>(std::clamp<std::int64_t>(x, 0, freeX)) / static_cast<double>(freeX);
    if (freeY > 0) layout.y = static_cast<double>(std::clamp<std::int64_t>(y, 0, freeY)) / static_cast<double>(freeY);
    return layout;
}

bool outsideGuide(const Project& project, const LayoutOutput& output, const std::vector<double>& assetAspects,
                  const LabelRect& safe) {
    return std::any_of(assetAspects.begin(), assetAspects.end(), [&](double aspect) {
        return !contains(safe, LabelGeometry::rect(project, output.presetKey, output.width, output.height, aspect));
    });
}

}  // namespace marrowick::LayoutPlacement
