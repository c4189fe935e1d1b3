// Folded search keys of shots, kept between reads so a keystroke does not refold every shot.
#pragma once

#include <string>
#include <string_view>
#include <unordered_map>

#include "model/shot.h"
#include "model/uuid.h"
#include "workspace/text_folding.h"

namespace marrowick {

// A shot's search text is its film's file name, category, note, assistant note and group, joined
// by spaces. The index keeps each shot's text beside its folding and refolds only when the text
// differs, so an edited shot, a renamed film or a changed locale can never leave a stale key.
// Confined to the main thread.
class ShotSearchIndex {
public:
    // Starts a pass over a project of `shotCount` shots under the user's current folding.
    void beginPass(std::size_t shotCount);
    // The folded search text of the shot.
    const std::string& key(const Shot& shot, std::string_view filmName);
    // The folded form of a query, for containment in keys.
    std::string foldQuery(std::string_view query) const;

private:
    struct Entry {
        std::string text;
        std::string folded;
    };

    TextFolding folding_ = TextFolding::forUserLocale();
    std::unordered_map<Uuid, Entry, UuidHash> entries_;
};

}  // namespace marrowick
