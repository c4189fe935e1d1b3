// RuntimeProcess with posix_spawn and a pidfd.
#include "assistant/runtime_process.h"

#include <cerrno>
#include <cstring>
#include <thread>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include "model/review_error.h"

namespace marrowick {
namespace {

constexpr int kFirstInheritedDescriptor = 3;

// Called through syscall(2): the C library's header for these lacks C++ linkage.
int openProcessDescriptor(pid_t pid) { return static_cast<int>(syscall(SYS_pidfd_open, pid, 0)); }
void signalProcess(int descriptor, int signal) { syscall(SYS_pidfd_send_signal, descriptor, signal, nullptr, 0); }

std::vector<char*> terminated(std::vector<std::string>& texts) {
    std::vector<char*> pointers;
    for (std::string& text : texts) pointers.push_back(text.data());
    pointers.push_back(nullptr);
    return pointers;
}

[[noreturn]] void fail(const std::string& what, int code) { throw ReviewError(what + ": " + std::strerror(code)); }

// Standard output and error to the null device, nothing but the three standard descriptors kept.
class SpawnActions {
public:
    SpawnActions() {
        posix_spawn_file_actions_init(&actions_);
        posix_spawn_file_actions_addopen(&actions_, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
        posix_spawn_file_actions_addopen(&actions_, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
        posix_spawn_file_actions_addclosefrom_np(&actions_, kFirstInheritedDescriptor);
    }
    ~SpawnActions() { posix_spawn_file_actions_destroy(&actions_); }
    SpawnActions(const SpawnActions&) = delete;
    SpawnActions& operator=(const SpawnActions&) = delete;
    const posix_spawn_file_actions_t* get() const { return &actions_; }

private:
    posix_spawn_file_actions_t actions_;
};

}  // namespace

std::shared_ptr<RuntimeProcess> RuntimeProcess::launch(const std::filesystem::path& executable,
                                                       const std::vector<std::string>& arguments,
                                                       const std::vector<std::string>& environment) {
    std::vector<std::string> argv{executable.string()};
    argv.insert(argv.end(), arguments.begin(), arguments.end());
    std::vector<std::string> envp = environment;
    const SpawnActions actions;
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, executable.c_str(), actions.get(), nullptr, terminated(argv).data(),
                                    terminated(envp).data());
    if (spawned != 0) fail("Cannot launch " + executable.string(), spawned);
    const int descriptor = openProcessDescriptor(pid);
    if (descriptor < 0) {
        const int code = errno;
        kill(pid, SIGKILL);
        waitpid(pid, nullptr, 0);
        fail("Cannot follow " + executable.string(), code);
    }
    return std::shared_ptr<RuntimeProcess>(new RuntimeProcess(pid, descriptor));
}

RuntimeProcess::~RuntimeProcess() {
    close(descriptor_);
    std::thread([pid = pid_] { waitpid(pid, nullptr, 0); }).detach();
}

bool RuntimeProcess::running() const {
    if (terminating_) return false;
    pollfd ended{descriptor_, POLLIN, 0};
    return poll(&ended, 1, 0) == 0;
}

void RuntimeProcess::terminate() {
    terminating_ = true;
    signalProcess(descriptor_, SIGTERM);
}

}  // namespace marrowick
