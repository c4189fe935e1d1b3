// Notes and ranges typed in the inspector but not yet saved, kept per shot until saved or discarded.
#pragma once

#include <cstddef>
#include <map>
#include <string>

#include "model/project.h"
#include "model/uuid.h"

namespace marrowick {

// The texts of the inspector's note editor and IN and OUT fields for one shot.
struct ShotDraft {
    std::string note;
    std::string inText;
    std::string outText;
    friend bool operator==(const ShotDraft&, const ShotDraft&) = default;
};

class ShotDrafts {
public:
    void set(const Uuid& shot, ShotDraft draft) { drafts_[shot] = std::move(draft); }
    void clear(const Uuid& shot) { drafts_.erase(shot); }
    void clearAll() { drafts_.clear(); }
    // The shot's unsaved texts, or null.
    const ShotDraft* find(const Uuid& shot) const;
    // How many drafts belong to shots the project still holds (a merge or redetection may have
    // removed the shot a draft was typed for).
    std::size_t count(const Project& project) const;

private:
    std::map<Uuid, ShotDraft> drafts_;
};

}  // namespace marrowick
