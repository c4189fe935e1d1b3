// Aspect strings, layout keys and the label rectangle; all rounding is half away from zero.
#include "disclosure/label_geometry.h"

#include <algorithm>
#include <cmath>
#include <numeric>

namespace marrowick::LabelGeometry {
namespace {

constexpr double kMarginFraction = 0.025;
constexpr std::int64_t kMinimumMargin = 16;

// A side length of at least 1 from a double that may be out of range (never NaN into an integer).
std::int64_t atLeastOne(double length) {
    return length >= 1 ? static_cast<std::int64_t>(length) : 1;
}

std::int64_t roundedShare(double fraction, std::int64_t length) {
    return static_cast<std::int64_t>(std::round(fraction * static_cast<double>(length)));
}

}  // namespace

std::string aspect(std::int64_t width, std::int64_t height) {
    if (width < 1 || height < 1) return "invalid";
    const std::int64_t divisor = std::gcd(width, height);
    return std::to_string(width / divisor) + ":" + std::to_string(height / divisor);
}

std::string key(const std::optional<std::string>& presetKey, std::int64_t width, std::int64_t height) {
    if (presetKey) return "preset:" + *presetKey + "|" + aspect(width, height);
    return "aspect:" + aspect(width, height);
}

const LabelLayout* stored(const Project& project, const std::string& key) {
    if (!project.labelLayouts) return nullptr;
    const auto found = project.labelLayouts->find(key);
    return found == project.labelLayouts->end() ? nullptr : &found->second;
}

const LabelLayout* layoutFor(const Project& project, const std::optional<std::string>& presetKey, std::int64_t width,
                             std::int64_t height) {
    if (presetKey)
        if (const LabelLayout* own = stored(project, key(presetKey, width, height))) return own;
    return stored(project, key(std::nullopt, width, height));
}

CornerSides sides(const std::string& corner) {
    return {corner.find("right") != std::string::npos, corner.find("Top") != std::string::npos};
}

LabelRect size(double fraction, std::int64_t width, std::int64_t height, double assetAspect) {
    const auto frameWidth = static_cast<double>(width);
    const auto frameHeight = static_cast<double>(height);
    // The third term keeps the label's height within the frame for very tall artwork.
    const std::int64_t labelWidth = atLeastOne(
        std::min({frameWidth, std::round(fraction * frameWidth), std::floor(assetAspect * frameHeight)}));
    const std::int64_t labelHeight =
        atLeastOne(std::min(frameHeight, std::round(static_cast<double>(labelWidth) / assetAspect)));
    return {0, 0, labelWidth, labelHeight};
}

LabelRect rect(const Project& project, const std::optional<std::string>& presetKey, std::int64_t width,
               std::int64_t height, double assetAspect) {
    const LabelLayout* layout = layoutFor(project, presetKey, width, height);
    const LabelRect label = size(layout ? layout->widthFraction : project.labelWidth, width, height, assetAspect);
    const std::int64_t labelWidth = label.width;
    const std::int64_t labelHeight = label.height;
    const std::int64_t freeX = std::max<std::int64_t>(width - labelWidth, 0);
    const std::int64_t freeY = std::max<std::int64_t>(height - labelHeight, 0);

    if (layout) return {roundedShare(layout->x, freeX), roundedShare(layout->y, freeY), labelWidth, labelHeight};

    const std::int64_t margin = std::max(roundedShare(kMarginFraction, width), kMinimumMargin);
    const auto [right, top] = sides(project.corner);
    const std::int64_t x = right ? std::max<std::int64_t>(freeX - margin, 0) : std::min(margin, freeX);
    const std::int64_t y = top ? std::min(margin, freeY) : std::max<std::int64_t>(freeY - margin, 0);
    return {x, y, labelWidth, labelHeight};
}

}  // namespace marrowick::LabelGeometry
