// The shot list: which shots the filter and search keep, in display order.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "model/project.h"
#include "workspace/shot_search_index.h"
#include "workspace/workspace_state.h"

namespace marrowick {

// A cut scored below this is one the "Check boundaries" filter, the counts and the row's mark ask a
// person to check.
inline constexpr double kUncertainBelow = 0.8;

// A value snapshot of the list: it shares the project's shot storage, so it stays valid and
// unchanged when the project changes afterwards.
class VisibleShots {
public:
    VisibleShots() = default;
    VisibleShots(SharedVector<Shot> shots, std::vector<std::uint32_t> order)
        : shots_(std::move(shots)), order_(std::move(order)) {}

    std::size_t size() const { return order_.size(); }
    bool empty() const { return order_.empty(); }
    const Shot& operator[](std::size_t position) const { return shots_[order_[position]]; }
    // Where the shot stands in the list, if it is shown.
    std::optional<std::size_t> position(const Uuid& shotID) const;
    std::vector<Uuid> ids() const;

private:
    SharedVector<Shot> shots_;
    std::vector<std::uint32_t> order_;  // indices into shots_
};

// Computes the list. Holds the search-key cache, so keep one per workspace (main thread only).
class ShotListQuery {
public:
    // Shots in project order that pass the filter and contain the trimmed query (case-insensitive,
    // per the user's locale), stably sorted: by group first when grouping, then by film order and
    // start time.
    VisibleShots visible(const Project& project, const ShotListOptions& options);
    // Search keys folded in the background (see ShotSearchIndex::adopt).
    void adoptKeys(ShotSearchIndex::Folded folded) { index_.adopt(std::move(folded)); }

private:
    ShotSearchIndex index_;
};

}  // namespace marrowick
