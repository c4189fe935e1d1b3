// Undo and redo lists of project snapshots.
#include "workspace/undo_history.h"

#include <utility>

namespace marrowick {
namespace {

bool step(std::vector<Project>& from, std::vector<Project>& to, Project& current) {
    if (from.empty()) return false;
    to.push_back(std::move(current));
    current = std::move(from.back());
    from.pop_back();
    return true;
}

}  // namespace

void UndoHistory::recordEdit(Project snapshot) {
    if (undo_.size() >= kEditLimit) undo_.erase(undo_.begin());
    undo_.push_back(std::move(snapshot));
    redo_.clear();
}

void UndoHistory::recordActivity(Project snapshot) {
    undo_.push_back(std::move(snapshot));
    redo_.clear();
}

bool UndoHistory::undo(Project& current) { return step(undo_, redo_, current); }

bool UndoHistory::redo(Project& current) { return step(redo_, undo_, current); }

void UndoHistory::clear() {
    undo_.clear();
    redo_.clear();
}

}  // namespace marrowick
