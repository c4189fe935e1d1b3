// Setting decisions and notes on shots. Only the shots that change are written, so undo snapshots
// keep sharing every other chunk of the shot list.
#include <algorithm>
#include <unordered_set>

#include "model/internal/review_history.h"
#include "model/project.h"

namespace marrowick {

namespace {

// Membership of shot IDs: a plain scan for the usual handful, a hash set for large selections.
class IdSet {
public:
    explicit IdSet(const std::vector<Uuid>& ids) {
        for (const Uuid& id : ids)
            if (hashed_.insert(id).second) distinct_.push_back(id);
    }
    bool contains(const Uuid& id) const {
        if (distinct_.size() > kScanLimit) return hashed_.contains(id);
        return std::find(distinct_.begin(), distinct_.end(), id) != distinct_.end();
    }
    std::vector<Uuid> take() { return std::move(distinct_); }

private:
    static constexpr std::size_t kScanLimit = 8;
    std::unordered_set<Uuid, UuidHash> hashed_;
    std::vector<Uuid> distinct_;  // in first-seen order
};

}  // namespace

void Project::decide(const std::vector<Uuid>& shotIDs, Disclosure disclosure) {
    IdSet wanted(shotIDs);
    std::vector<std::size_t> changing;
    std::size_t index = 0;
    shots.forEachChunk([&](const void*, const std::vector<Shot>& chunk) {
        for (std::size_t i = 0; i < chunk.size(); ++i, ++index) {
            if (i + 16 < chunk.size()) prefetchShot(chunk[i + 16]);
            const bool differs = chunk[i].disclosure != disclosure || chunk[i].carriedFrom;
            if (differs && wanted.contains(chunk[i].id)) changing.push_back(index);
        }
    });
    for (std::size_t position : changing) {
        Shot& shot = shots.mut(position);
        shot.disclosure = disclosure;
        shot.carriedFrom.reset();  // a decision by hand replaces any suggestion
    }
    appendHistory(*this, "label", wanted.take(), std::string(disclosureString(disclosure)));
}

void Project::setNote(const Uuid& shotID, const std::string& note) {
    const auto index = shotIndex(shotID);
    if (!index) return;
    shots.mut(*index).note = note;
    appendHistory(*this, "note", {shotID}, note);
}

}  // namespace marrowick
