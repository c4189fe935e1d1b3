// Folded search keys of shots, kept between reads so a keystroke does not refold every shot.
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "model/project.h"
#include "workspace/text_folding.h"

namespace marrowick {

// A shot's search text is its film's file name, category, note, assistant note and group, joined
// by spaces; the index keeps its folding per shot position. A key is reused only for the very
// same shot object as in the previous pass: the index holds a copy of that pass's shots, whose
// shared chunks are never written while shared, so an unchanged address means an unchanged shot.
// Edited shots, renamed films and a changed locale are refolded. Confined to the main thread.
class ShotSearchIndex {
public:
    // Keys of every shot folded away from the main thread, ahead of the first keystroke.
    struct Folded {
        SharedVector<Shot> shots;  // the shots folded, kept alive for the address test
        std::vector<std::pair<Uuid, std::string>> films;
        bool turkic = false;
        std::vector<std::string> keys;
    };

    // The file name (last path component) of every film, in order.
    static std::vector<std::string> filmNames(const Project& project);
    // Folds the key of every shot of the project; nothing when stopRequested() turns true first.
    // Safe on any thread.
    static std::optional<Folded> foldAll(const Project& project, bool turkic, const std::function<bool()>& stopRequested);
    // Takes keys folded in the background as the previous pass; shots changed since, and all
    // shots when film names or the folding changed since, are refolded when next read.
    void adopt(Folded folded);

    // Starts a pass over every shot of the project, in order, under the user's current folding.
    void beginPass(const Project& project, const std::vector<std::string>& filmNames);
    // The folded search text of the shot at `index`; call for every shot of the pass.
    const std::string& key(std::size_t index, const Shot& shot, std::string_view filmName);
    // The folded form of a query, for containment in keys.
    std::string foldQuery(std::string_view query) const;

private:
    static std::string searchText(const Shot& shot, std::string_view filmName);
    static std::vector<std::pair<Uuid, std::string>> filmPairs(const Project& project,
                                                               const std::vector<std::string>& filmNames);

    struct Slot {
        const Shot* shot = nullptr;
        std::string folded;
    };

    TextFolding folding_ = TextFolding::forUserLocale();
    SharedVector<Shot> pinned_;  // the shots of the previous pass, kept alive for the address test
    std::vector<std::pair<Uuid, std::string>> filmNames_;
    std::vector<Slot> slots_;
};

}  // namespace marrowick
