// Unsaved inspector texts per shot.
#include "workspace/shot_drafts.h"

#include <algorithm>

namespace marrowick {

const ShotDraft* ShotDrafts::find(const Uuid& shot) const {
    const auto found = drafts_.find(shot);
    return found == drafts_.end() ? nullptr : &found->second;
}

std::size_t ShotDrafts::count(const Project& project) const {
    return static_cast<std::size_t>(std::count_if(drafts_.begin(), drafts_.end(), [&](const auto& entry) {
        return project.shotIndex(entry.first).has_value();
    }));
}

}  // namespace marrowick
