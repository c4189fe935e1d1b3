// Whole-project undo and redo snapshots, newest last, with the cap that edits keep.
#pragma once

#include <cstddef>
#include <optional>
#include <vector>

#include "model/project.h"

namespace marrowick {

class UndoHistory {
public:
    static constexpr std::size_t kEditLimit = 30;

    // An edit's snapshot: trims the oldest so that an edit never grows the list past the limit
    // (a list already longer, from activities, keeps its length). Clears redo.
    void recordEdit(Project snapshot);
    // An activity's snapshot (import, redetect): never trimmed. Clears redo.
    void recordActivity(Project snapshot);

    // Swaps `current` with the newest undo (redo) snapshot; false when there is none.
    bool undo(Project& current);
    bool redo(Project& current);

    void clear();
    std::size_t undoCount() const { return undo_.size(); }
    std::size_t redoCount() const { return redo_.size(); }

private:
    std::vector<Project> undo_;
    std::vector<Project> redo_;
};

}  // namespace marrowick
