// The background search-key folder: one waiting snapshot, a running fold abandoned for a newer one.
#include "workspace/search_key_folder.h"

namespace marrowick {

SearchKeyFolder::SearchKeyFolder(Done done)
    : done_(std::move(done)), thread_([this](std::stop_token stop) { run(stop); }) {}

SearchKeyFolder::~SearchKeyFolder() {
    thread_.request_stop();
    wake_.notify_all();
}

void SearchKeyFolder::submit(Project snapshot, bool turkic) {
    {
        std::lock_guard lock(mutex_);
        pending_ = Job{std::move(snapshot), turkic, ++latest_};
    }
    wake_.notify_one();
}

void SearchKeyFolder::run(std::stop_token stop) {
    for (;;) {
        std::optional<Job> job;
        {
            std::unique_lock lock(mutex_);
            wake_.wait(lock, stop, [this] { return pending_.has_value(); });
            if (stop.stop_requested()) return;
            job.swap(pending_);
        }
        const std::uint64_t sequence = job->sequence;
        const auto superseded = [&] {
            std::lock_guard lock(mutex_);
            return stop.stop_requested() || latest_ != sequence;
        };
        std::optional<ShotSearchIndex::Folded> folded = ShotSearchIndex::foldAll(job->snapshot, job->turkic, superseded);
        job.reset();  // the snapshot's shots live on in the keys
        if (folded && !superseded()) done_(std::move(*folded));
    }
}

}  // namespace marrowick
