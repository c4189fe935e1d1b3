// The exclusive advisory lock that makes one process the owner of the recovery file: only the
// process holding it recovers from the file and autosaves into it.
#pragma once

#include <filesystem>

namespace marrowick {

class RecoveryLock {
public:
    // Tries once, without waiting, to lock `file` (created when missing) for this process; the
    // kernel releases the lock when the process ends, however it ends.
    explicit RecoveryLock(const std::filesystem::path& file);
    ~RecoveryLock();
    RecoveryLock(const RecoveryLock&) = delete;
    RecoveryLock& operator=(const RecoveryLock&) = delete;

    bool held() const { return held_; }

private:
    int descriptor_ = -1;
    bool held_ = false;
};

}  // namespace marrowick
