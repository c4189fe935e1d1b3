// The official EU label artwork: which file stands for which decision and colour variant, and the
// artwork prepared as an overlay picture or as a PNG file of a given width.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "disclosure/label_rect.h"
#include "model/rgba_image.h"
#include "model/disclosure.h"
#include "model/label_style.h"

namespace marrowick::LabelAssets {

// The style artwork is drawn in; an absent project style means white.
LabelStyle styleOrWhite(const std::optional<LabelStyle>& style);

// "EU_<modified|generated>_<white|black|white_50|black_50>.png"; nothing for unreviewed and none.
std::optional<std::string> fileName(Disclosure disclosure, LabelStyle style);

// The artwork file: first at the top of the resource root, then in its "Labels" folder; nothing
// when neither exists or the decision carries no label.
std::optional<std::filesystem::path> url(const std::filesystem::path& resourceRoot, Disclosure disclosure,
                                         LabelStyle style);

// Width / height of the artwork as read from the picture.
// Throws ReviewError "Official label artwork missing." when absent, unreadable or empty.
double aspect(const std::filesystem::path& resourceRoot, Disclosure disclosure, LabelStyle style);

// The artwork scaled to the rectangle's width and height (its position is the caller's).
// Throws ReviewError "Official label artwork missing." as aspect does.
RgbaImage overlay(const std::filesystem::path& resourceRoot, Disclosure disclosure, const LabelRect& rect,
                  LabelStyle style);

// Writes the artwork as a PNG round(width) pixels wide (at least 1) to a file, atomically. Throws
// ReviewError "Official label asset missing.", "Cannot allocate label renderer." or
// "Cannot render label alpha.", or the write's own error.
void write(const std::filesystem::path& resourceRoot, Disclosure disclosure, LabelStyle style, double width,
           const std::filesystem::path& to);

}  // namespace marrowick::LabelAssets
