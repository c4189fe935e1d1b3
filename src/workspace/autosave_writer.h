// Writes recovery snapshots of the project on a background thread, newest first, one at a time.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

#include "model/project.h"

namespace marrowick {

// The caller never waits for a background write. Writes never interleave; a snapshot that is
// still waiting is replaced by a newer one; a write never lands after a newer one. Each write is
// atomic, so the file on disk is always one complete project.
class AutosaveWriter {
public:
    // Called on the writer thread after each background write: nothing on success, otherwise
    // the failure's description.
    using Report = std::function<void(const std::optional<std::string>& failure)>;

    explicit AutosaveWriter(Report report);
    // Finishes a waiting write before it returns, so the newest snapshot is never lost.
    ~AutosaveWriter();

    AutosaveWriter(const AutosaveWriter&) = delete;
    AutosaveWriter& operator=(const AutosaveWriter&) = delete;

    // Queues the snapshot for writing to `file` and returns at once.
    void submit(Project snapshot, std::filesystem::path file);
    // Writes now on the calling thread, after any write in progress; a waiting older snapshot is
    // dropped. Throws ReviewError when encoding or writing fails.
    void writeNow(const Project& snapshot, const std::filesystem::path& file);

private:
    struct Job {
        Project snapshot;
        std::filesystem::path file;
        std::uint64_t sequence = 0;
    };

    void run(std::stop_token stop);
    // Encodes and writes unless a newer snapshot was already written. Holds writeMutex_.
    void write(const Job& job);

    Report report_;
    std::mutex mutex_;                // guards pending_, nextSequence_
    std::condition_variable_any wake_;
    std::optional<Job> pending_;
    std::uint64_t nextSequence_ = 1;
    std::mutex writeMutex_;           // serialises writes; guards writtenSequence_. Taken before mutex_ never.
    std::uint64_t writtenSequence_ = 0;
    std::jthread thread_;             // last: stopped and joined before the members above go
};

}  // namespace marrowick
