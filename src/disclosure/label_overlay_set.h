// The labels of one film's display copy: the overlay picture and rectangle of each labelled
// decision, prepared once, and which of them a frame at a given time carries.
#pragma once

#include <filesystem>
#include <optional>
#include <vector>

#include "disclosure/label_rect.h"
#include "model/rgba_image.h"
#include "model/film.h"
#include "model/project.h"
#include "model/shot.h"

namespace marrowick {

// One label as drawn into the film's upright frame: the artwork scaled to the rectangle.
struct LabelOverlay {
    Disclosure decision = Disclosure::none;
    LabelRect rect;
    RgbaImage picture;
};

class LabelOverlaySet {
public:
    // Prepares the modified and generated labels for the film's raster in the project's style (white
    // when absent), placed with the project's width, corner and "aspect:" layout (no preset key).
    // Throws ReviewError "Official label artwork missing." as LabelAssets does.
    LabelOverlaySet(const Project& project, const Film& film, const std::vector<Shot>& shots,
                    const std::filesystem::path& resourceRoot);

    // The label of the first shot (by start) with start <= seconds < end, when that shot is modified
    // or generated; nothing otherwise, so a frame exactly at a shot's end belongs to the next shot.
    const LabelOverlay* at(double seconds) const;

    const LabelOverlay& modified() const { return modified_; }
    const LabelOverlay& generated() const { return generated_; }

private:
    LabelOverlay modified_;
    LabelOverlay generated_;
    std::vector<Shot> shots_;     // sorted by start
    std::vector<double> reach_;   // reach_[i]: the latest end among shots_[0...i]
};

}  // namespace marrowick
