// Folds the shot list's search keys on a background thread whenever the review changes, so that
// the first keystroke of a search does not fold every shot on the main thread.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <optional>
#include <thread>

#include "model/project.h"
#include "workspace/shot_search_index.h"

namespace marrowick {

class SearchKeyFolder {
public:
    // Called on the folding thread with each completed set of keys.
    using Done = std::function<void(ShotSearchIndex::Folded folded)>;

    explicit SearchKeyFolder(Done done);
    // Abandons the folding in progress and joins the thread.
    ~SearchKeyFolder();

    SearchKeyFolder(const SearchKeyFolder&) = delete;
    SearchKeyFolder& operator=(const SearchKeyFolder&) = delete;

    // Folds the snapshot's keys; a snapshot still waiting is replaced, and a folding in progress
    // is abandoned, so only the newest review is ever reported.
    void submit(Project snapshot, bool turkic);

private:
    struct Job {
        Project snapshot;
        bool turkic = false;
        std::uint64_t sequence = 0;
    };

    void run(std::stop_token stop);

    Done done_;
    std::mutex mutex_;  // guards pending_ and latest_
    std::condition_variable_any wake_;
    std::optional<Job> pending_;
    std::uint64_t latest_ = 0;
    std::jthread thread_;  // last: stopped and joined before the members above go
};

}  // namespace marrowick
