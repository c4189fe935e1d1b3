// The process-wide holder of the local runtime's child process, so that any thread (quitting, a
// cancelled request) can end it without waiting for the runtime.
#pragma once

#include <memory>
#include <mutex>

#include "assistant/runtime_process.h"

namespace marrowick {

class RuntimeProcessOwner {
public:
    // The owner of the program's runtime.
    static RuntimeProcessOwner& shared();

    // Replaces the registered process (the old one is left as it is).
    void adopt(std::shared_ptr<RuntimeProcess> process);
    // Forgets the registered process and asks it to terminate if it still runs; returns at once.
    // Callable from any thread at any time.
    void terminate();
    // The registered process, if any.
    std::shared_ptr<RuntimeProcess> process() const;

private:
    mutable std::mutex lock_;  // guards process_ only; signals are sent outside it
    std::shared_ptr<RuntimeProcess> process_;
};

}  // namespace marrowick
