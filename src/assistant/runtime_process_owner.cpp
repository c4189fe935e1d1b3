// RuntimeProcessOwner: a mutex around one process handle.
#include "assistant/runtime_process_owner.h"

namespace marrowick {

RuntimeProcessOwner& RuntimeProcessOwner::shared() {
    static RuntimeProcessOwner owner;
    return owner;
}

void RuntimeProcessOwner::adopt(std::shared_ptr<RuntimeProcess> process) {
    const std::lock_guard guard(lock_);
    process_ = std::move(process);
}

void RuntimeProcessOwner::terminate() {
    std::shared_ptr<RuntimeProcess> process;
    {
        const std::lock_guard guard(lock_);
        process.swap(process_);
    }
    if (process) process->terminate();
}

std::shared_ptr<RuntimeProcess> RuntimeProcessOwner::process() const {
    const std::lock_guard guard(lock_);
    return process_;
}

}  // namespace marrowick
