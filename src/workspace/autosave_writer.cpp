// The background recovery writer: one pending snapshot, sequence numbers against stale writes.
#include "workspace/autosave_writer.h"

#include <exception>

#include "model/atomic_file.h"
#include "model/project_json.h"

namespace marrowick {

AutosaveWriter::AutosaveWriter(Report report)
    : report_(std::move(report)), thread_([this](std::stop_token stop) { run(stop); }) {}

// Joining the thread (the jthread's own destructor) lets it write what is still pending.
AutosaveWriter::~AutosaveWriter() = default;

void AutosaveWriter::submit(Project snapshot, std::filesystem::path file) {
    {
        std::lock_guard lock(mutex_);
        pending_ = Job{std::move(snapshot), std::move(file), nextSequence_++};
    }
    wake_.notify_one();
}

void AutosaveWriter::writeNow(const Project& snapshot, const std::filesystem::path& file) {
    std::uint64_t sequence = 0;
    {
        std::lock_guard lock(mutex_);
        pending_.reset();
        sequence = nextSequence_++;
    }
    std::lock_guard writing(writeMutex_);
    writeFileAtomically(file, ProjectJson::encode(snapshot));
    writtenSequence_ = sequence;
}

void AutosaveWriter::run(std::stop_token stop) {
    for (;;) {
        std::optional<Job> job;
        {
            std::unique_lock lock(mutex_);
            wake_.wait(lock, stop, [this] { return pending_.has_value(); });
            if (!pending_) return;  // stopped with nothing left to write
            job.swap(pending_);
        }
        write(*job);
    }
}

void AutosaveWriter::write(const Job& job) {
    std::optional<std::string> failure;
    {
        std::lock_guard writing(writeMutex_);
        if (job.sequence < writtenSequence_) return;
        try {
            writeFileAtomically(job.file, ProjectJson::encode(job.snapshot));
            writtenSequence_ = job.sequence;
        } catch (const std::exception& error) {
            failure = error.what();
        }
    }
    report_(failure);
}

}  // namespace marrowick
