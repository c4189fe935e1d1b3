// RecoveryLock over flock(2) on a file beside the recovery file (that one is replaced by rename).
#include "workspace/recovery_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace marrowick {

RecoveryLock::RecoveryLock(const std::filesystem::path& file)
    : descriptor_(open(file.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600)) {
    held_ = descriptor_ >= 0 && flock(descriptor_, LOCK_EX | LOCK_NB) == 0;
}

RecoveryLock::~RecoveryLock() {
    if (descriptor_ >= 0) close(descriptor_);
}

}  // namespace marrowick
