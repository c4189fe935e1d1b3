// Setting decisions and notes on shots. Only the shots that change are written, so undo snapshots
// keep sharing every other chunk of the shot list.
#include <unordered_set>

#include "model/internal/review_history.h"
#include "model/project.h"

namespace marrowick {

void Project::decide(const std::vector<Uuid>& shotIDs, Disclosure disclosure) {
    std::unordered_set<Uuid, UuidHash> wanted;
    std::vector<Uuid> distinct;
    for (const Uuid& id : shotIDs)
        if (wanted.insert(id).second) distinct.push_back(id);
    std::size_t index = 0;
    for (auto it = shots.begin(); it != shots.end(); ++it, ++index)
        if (it->disclosure != disclosure && wanted.contains(it->id)) shots.mut(index).disclosure = disclosure;
    appendHistory(*this, "label", std::move(distinct), std::string(disclosureString(disclosure)));
}

void Project::setNote(const Uuid& shotID, const std::string& note) {
    const auto index = shotIndex(shotID);
    if (!index) return;
    shots.mut(*index).note = note;
    appendHistory(*this, "note", {shotID}, note);
}

}  // namespace marrowick
