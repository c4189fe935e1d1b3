// A long-lived child process of the local runtime: launched with an exact argument list and
// environment, output to the null device, observed and signalled through a process descriptor.
// It never outlives the program: the kernel kills it when the program ends, even by SIGKILL or
// a crash, and it leads its own process group, which terminate() ends.
#pragma once

#include <atomic>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include <sys/types.h>

namespace marrowick {

class RuntimeProcess {
public:
    // Launches `executable` with exactly `arguments` (after the program name) and exactly
    // `environment` ("NAME=value" entries); standard output and error go to /dev/null and no
    // other descriptor is inherited. Throws ReviewError with the system's text when it cannot.
    static std::shared_ptr<RuntimeProcess> launch(const std::filesystem::path& executable,
                                                  const std::vector<std::string>& arguments,
                                                  const std::vector<std::string>& environment);

    // Reaps the process once it ends, on a detached waiter, so no zombie is left behind.
    ~RuntimeProcess();
    RuntimeProcess(const RuntimeProcess&) = delete;
    RuntimeProcess& operator=(const RuntimeProcess&) = delete;

    pid_t pid() const { return pid_; }
    // Still running and not asked to terminate.
    bool running() const;
    // Sends the termination signal to the process and its group; returns at once. Thread-safe.
    void terminate();

private:
    RuntimeProcess(pid_t pid, int descriptor) : pid_(pid), descriptor_(descriptor) {}

    pid_t pid_;
    int descriptor_;  // pidfd: signals never reach a reused process id
    std::atomic<bool> terminating_ = false;
};

}  // namespace marrowick
