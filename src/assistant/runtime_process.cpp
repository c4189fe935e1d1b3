// RuntimeProcess with fork and exec from the launcher thread, and a pidfd.
#include "assistant/runtime_process.h"

#include <array>
#include <cerrno>
#include <cstring>
#include <thread>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include "assistant/internal/launcher_thread.h"
#include "model/review_error.h"

namespace marrowick {
namespace {

constexpr int kFirstInheritedDescriptor = 3;

// Called through syscall(2): the C library's header for these lacks C++ linkage.
int openProcessDescriptor(pid_t pid) { return static_cast<int>(syscall(SYS_pidfd_open, pid, 0)); }
void signalProcess(int descriptor, int signal) { syscall(SYS_pidfd_send_signal, descriptor, signal, nullptr, 0); }
void closeRange(unsigned first, unsigned last) { syscall(SYS_close_range, first, last, 0U); }

std::vector<char*> terminated(std::vector<std::string>& texts) {
    std::vector<char*> pointers;
    for (std::string& text : texts) pointers.push_back(text.data());
    pointers.push_back(nullptr);
    return pointers;
}

[[noreturn]] void fail(const std::string& what, int code) { throw ReviewError(what + ": " + std::strerror(code)); }

// In the forked child, async-signal-safe calls only: killed when the program ends however it
// ends, in a process group of its own, output to the null device, nothing but the three standard
// descriptors and the close-on-exec report pipe kept. A failed exec reports its errno there.
[[noreturn]] void becomeServer(const char* path, char* const* argv, char* const* envp, pid_t parent, int report) {
    prctl(PR_SET_PDEATHSIG, SIGKILL);
    if (getppid() != parent) _exit(127);  // the program ended before the signal was armed
    setpgid(0, 0);
    const int null = open("/dev/null", O_WRONLY);
    dup2(null, STDOUT_FILENO);
    dup2(null, STDERR_FILENO);
    if (report > kFirstInheritedDescriptor) closeRange(kFirstInheritedDescriptor, static_cast<unsigned>(report - 1));
    closeRange(static_cast<unsigned>(report + 1), ~0U);
    execve(path, argv, envp);
    const int code = errno;
    (void)!write(report, &code, sizeof code);
    _exit(127);
}

// Forks and execs; returns the child's pid or throws with the fork's or exec's failure.
pid_t forkServer(const std::filesystem::path& executable, std::vector<std::string> argv, std::vector<std::string> envp) {
    const std::vector<char*> arguments = terminated(argv);
    const std::vector<char*> environment = terminated(envp);
    std::array<int, 2> report{};
    if (pipe2(report.data(), O_CLOEXEC) != 0) fail("Cannot launch " + executable.string(), errno);
    const pid_t parent = getpid();
    const pid_t pid = fork();
    if (pid == 0) becomeServer(executable.c_str(), arguments.data(), environment.data(), parent, report[1]);
    const int forkError = errno;
    close(report[1]);
    int execError = 0;
    const bool execFailed = pid > 0 && read(report[0], &execError, sizeof execError) == sizeof execError;
    close(report[0]);
    if (pid < 0) fail("Cannot launch " + executable.string(), forkError);
    if (execFailed) {
        waitpid(pid, nullptr, 0);
        fail("Cannot launch " + executable.string(), execError);
    }
    return pid;
}

}  // namespace

std::shared_ptr<RuntimeProcess> RuntimeProcess::launch(const std::filesystem::path& executable,
                                                       const std::vector<std::string>& arguments,
                                                       const std::vector<std::string>& environment) {
    std::vector<std::string> argv{executable.string()};
    argv.insert(argv.end(), arguments.begin(), arguments.end());
    pid_t pid = 0;
    LauncherThread::run([&] { pid = forkServer(executable, argv, environment); });
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
    // Anything it started shares its group. The group id cannot name another process: the
    // child is not reaped before this object is destroyed.
    kill(-pid_, SIGTERM);
}

}  // namespace marrowick
