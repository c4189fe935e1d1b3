// Overlay preparation through LabelAssets and LabelGeometry, and the per-frame shot lookup.
#include "disclosure/label_overlay_set.h"

#include <algorithm>

#include "disclosure/label_assets.h"
#include "disclosure/label_geometry.h"

namespace marrowick {
namespace {

LabelOverlay prepare(const Project& project, const Film& film, Disclosure decision,
                     const std::filesystem::path& resourceRoot) {
    const LabelStyle style = LabelAssets::styleOrWhite(project.labelStyle);
    const double aspect = LabelAssets::aspect(resourceRoot, decision, style);
    LabelOverlay overlay;
    overlay.decision = decision;
    overlay.rect = LabelGeometry::rect(project, std::nullopt, film.width, film.height, aspect);
    overlay.picture = LabelAssets::overlay(resourceRoot, decision, overlay.rect, style);
    return overlay;
}

}  // namespace

LabelOverlaySet::LabelOverlaySet(const Project& project, const Film& film, const std::vector<Shot>& shots,
                                 const std::filesystem::path& resourceRoot)
    : modified_(prepare(project, film, Disclosure::modified, resourceRoot)),
      generated_(prepare(project, film, Disclosure::generated, resourceRoot)),
      shots_(shots) {
    std::stable_sort(shots_.begin(), shots_.end(), [](const Shot& a, const Shot& b) { return a.start < b.start; });
    reach_.reserve(shots_.size());
    for (const Shot& shot : shots_) reach_.push_back(reach_.empty() ? shot.end : std::max(reach_.back(), shot.end));
}

const LabelOverlay* LabelOverlaySet::at(double seconds) const {
    // No shot before the first whose reach passes the time can hold it; from there the shots are
    // tried in order, as a plain scan would, until they start after the time.
    const auto first = std::upper_bound(reach_.begin(), reach_.end(), seconds);
    auto shot = shots_.begin() + (first - reach_.begin());
    while (shot != shots_.end() && shot->start <= seconds && !(seconds < shot->end)) ++shot;
    if (shot == shots_.end() || !(shot->start <= seconds)) return nullptr;
    if (shot->disclosure == Disclosure::modified) return &modified_;
    if (shot->disclosure == Disclosure::generated) return &generated_;
    return nullptr;
}

}  // namespace marrowick
