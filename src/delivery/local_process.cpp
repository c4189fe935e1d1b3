// The child process runner on POSIX: posix_spawn, a pipe for standard output, a log file for errors.
#include "delivery/local_process.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/eventfd.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <mutex>
#include <optional>
#include <system_error>

#include "delivery/internal/user_text.h"
#include "model/review_error.h"
#include "model/uuid.h"

extern char** environ;

namespace marrowick::LocalProcess {
namespace {

// How long a cancelled child may take to honour SIGTERM before it gets SIGKILL.
constexpr std::chrono::milliseconds kTerminationGrace{3000};
// Standard error is read back from its end; a tail this long always holds the characters kept
// unless they are unusually long clusters.
constexpr off_t kLogReadLimit = 64 * 1024;

std::string systemText(int error) { return std::strerror(error); }

// A file descriptor closed when it goes.
class Descriptor {
public:
    Descriptor() = default;
    explicit Descriptor(int fd) : fd_(fd) {}
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    ~Descriptor() { reset(); }
    int get() const { return fd_; }
    void reset() {
        if (fd_ >= 0) ::close(fd_);
        fd_ = -1;
    }

private:
    int fd_ = -1;
};

int openNewFile(const std::filesystem::path& path) {
    const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd < 0) throw ReviewError("Could not create \"" + path.filename().string() + "\": " + systemText(errno) + ".");
    return fd;
}

// The standard-error file: "marrowick-<UUID>.log" in the temporary folder, removed when it goes.
class LogFile {
public:
    LogFile()
        : path_(std::filesystem::temp_directory_path() / ("marrowick-" + Uuid::random().text() + ".log")),
          fd_(openNewFile(path_)) {}
    LogFile(const LogFile&) = delete;
    LogFile& operator=(const LogFile&) = delete;
    ~LogFile() {
        fd_.reset();
        std::error_code ignored;
        std::filesystem::remove(path_, ignored);
    }

    int fd() const { return fd_.get(); }

    // The last characters written to it; an unreadable file counts as empty.
    std::string tail() const {
        const off_t size = ::lseek(fd(), 0, SEEK_END);
        if (size <= 0) return {};
        const off_t start = size > kLogReadLimit ? size - kLogReadLimit : 0;
        std::string bytes(static_cast<std::size_t>(size - start), '\0');
        const ssize_t read = ::pread(fd(), bytes.data(), bytes.size(), start);
        if (read <= 0) return {};
        bytes.resize(static_cast<std::size_t>(read));
        // A cut in the middle of a character leaves continuation bytes at the front: drop them.
        std::size_t first = 0;
        while (start > 0 && first < bytes.size() && first < 3 && (static_cast<unsigned char>(bytes[first]) & 0xC0) == 0x80)
            ++first;
        return UserText::lastCharacters(std::string_view(bytes).substr(first), kLogCharacters);
    }

private:
    std::filesystem::path path_;
    Descriptor fd_;
};

// Links the caller's cancellation with the worker. The mutex guards `child` and `cancelled`;
// holding it while the child is spawned means a cancellation either prevents the start or sees
// the child's id.
class ProcessControl {
public:
    ProcessControl() : wake_(::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK)) {
        if (wake_.get() < 0) throw ReviewError("Could not start a child process: " + systemText(errno) + ".");
    }

    // Runs on whichever thread requests the stop.
    void cancel() {
        std::lock_guard lock(mutex_);
        cancelled_ = true;
        if (child_) ::kill(*child_, SIGTERM);
        const std::uint64_t one = 1;
        [[maybe_unused]] const ssize_t written = ::write(wake_.get(), &one, sizeof one);
    }

    bool cancelled() const {
        std::lock_guard lock(mutex_);
        return cancelled_;
    }

    // Spawns the child unless cancellation came first; nothing when cancelled.
    template <class Spawn>
    std::optional<pid_t> start(Spawn spawn) {
        std::lock_guard lock(mutex_);
        if (cancelled_) return std::nullopt;
        child_ = spawn();
        return child_;
    }

    // The child was waited for; from now on its id may belong to another process.
    void forget() {
        std::lock_guard lock(mutex_);
        child_.reset();
    }

    int wakeFd() const { return wake_.get(); }

private:
    mutable std::mutex mutex_;
    std::optional<pid_t> child_;
    bool cancelled_ = false;
    Descriptor wake_;
};

// The running child: its id, and the guarantee that it is reaped (killed first if need be)
// on every path out of a run, including a throwing line handler.
class Child {
public:
    Child(pid_t pid, ProcessControl& control) : pid_(pid), control_(control) {}
    Child(const Child&) = delete;
    Child& operator=(const Child&) = delete;
    ~Child() {
        if (status_) return;
        ::kill(pid_, SIGKILL);
        waitForExit();
    }

    pid_t pid() const { return pid_; }
    bool exited() {
        if (status_) return true;
        siginfo_t info{};
        if (::waitid(P_PID, static_cast<id_t>(pid_), &info, WEXITED | WNOHANG | WNOWAIT) != 0) return false;
        return info.si_pid == pid_;
    }
    // Waits for the exit, then reaps the child once the cancellation path can no longer signal it.
    int waitForExit() {
        if (status_) return *status_;
        siginfo_t info{};
        while (::waitid(P_PID, static_cast<id_t>(pid_), &info, WEXITED | WNOWAIT) != 0 && errno == EINTR) {
        }
        control_.forget();
        int status = 0;
        while (::waitpid(pid_, &status, 0) < 0 && errno == EINTR) {
        }
        status_ = status;
        return status;
    }

private:
    pid_t pid_;
    ProcessControl& control_;
    std::optional<int> status_;
};

// posix_spawn's file actions and attributes, released when they go.
class SpawnSetup {
public:
    SpawnSetup(int output, int errors) {
        ::posix_spawn_file_actions_init(&actions_);
        ::posix_spawnattr_init(&attributes_);
        ::posix_spawn_file_actions_addopen(&actions_, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
        ::posix_spawn_file_actions_adddup2(&actions_, output, STDOUT_FILENO);
        ::posix_spawn_file_actions_adddup2(&actions_, errors, STDERR_FILENO);
        // The child starts with default signal handling, whatever this program ignores.
        sigset_t defaults;
        ::sigemptyset(&defaults);
        ::sigaddset(&defaults, SIGPIPE);
        ::sigaddset(&defaults, SIGTERM);
        ::posix_spawnattr_setsigdefault(&attributes_, &defaults);
        sigset_t none;
        ::sigemptyset(&none);
        ::posix_spawnattr_setsigmask(&attributes_, &none);
        ::posix_spawnattr_setflags(&attributes_, POSIX_SPAWN_SETSIGDEF | POSIX_SPAWN_SETSIGMASK);
    }
    SpawnSetup(const SpawnSetup&) = delete;
    SpawnSetup& operator=(const SpawnSetup&) = delete;
    ~SpawnSetup() {
        ::posix_spawn_file_actions_destroy(&actions_);
        ::posix_spawnattr_destroy(&attributes_);
    }

    // The child's id, or the spawn error's number.
    int spawn(const std::filesystem::path& executable, const std::vector<std::string>& arguments, pid_t& pid) const {
        std::vector<char*> argv;
        std::string name = executable.string();
        argv.push_back(name.data());
        std::vector<std::string> copies = arguments;
        for (std::string& argument : copies) argv.push_back(argument.data());
        argv.push_back(nullptr);
        return ::posix_spawn(&pid, executable.c_str(), &actions_, &attributes_, argv.data(), environ);
    }

private:
    posix_spawn_file_actions_t actions_;
    posix_spawnattr_t attributes_;
};

// Splits standard output into lines; each complete line is decoded on its own, so a character
// cut between two reads is never damaged. A line is kept up to the capture limit.
class LineSplitter {
public:
    explicit LineSplitter(const LineHandler& line) : line_(line) {}

    void add(std::string_view bytes) {
        if (!line_) return;
        for (std::size_t end = bytes.find('\n'); end != std::string_view::npos; end = bytes.find('\n')) {
            keep(bytes.substr(0, end));
            line_(UserText::decodedUtf8(pending_));
            pending_.clear();
            bytes.remove_prefix(end + 1);
        }
        keep(bytes);
    }
    // Text after the last line feed is never delivered: FFmpeg ends every progress record with a
    // line feed ("progress=end" too), so an unterminated tail is a record cut off by the child's
    // end, whose number would be cut off as well.

private:
    void keep(std::string_view part) { pending_.append(part.substr(0, kCaptureLimit - pending_.size())); }

    const LineHandler& line_;
    std::string pending_;
};

// Reads standard output to its end, keeping up to the capture limit. After a cancellation the
// child gets the grace period to go before SIGKILL, and reading stops once it has gone.
std::string readOutput(int output, Child& child, ProcessControl& control, LineSplitter& lines) {
    std::string captured;
    char block[kReadBlock];
    std::optional<std::chrono::steady_clock::time_point> killAt;
    for (;;) {
        if (!killAt && control.cancelled()) killAt = std::chrono::steady_clock::now() + kTerminationGrace;
        pollfd watched[2] = {{output, POLLIN, 0}, {control.wakeFd(), POLLIN, 0}};
        const int ready = ::poll(watched, killAt ? 1 : 2, killAt ? 50 : -1);
        if (ready < 0 && errno != EINTR) throw ReviewError("Could not read a child process: " + systemText(errno) + ".");
        if (killAt && (child.exited() || std::chrono::steady_clock::now() >= *killAt)) {
            ::kill(child.pid(), SIGKILL);
            return captured;
        }
        if (ready <= 0 || !(watched[0].revents & (POLLIN | POLLHUP | POLLERR))) continue;
        const ssize_t count = ::read(output, block, sizeof block);
        if (count < 0 && errno == EINTR) continue;
        if (count <= 0) return captured;
        const std::string_view chunk(block, static_cast<std::size_t>(count));
        if (captured.size() < kCaptureLimit) captured.append(chunk);
        lines.add(chunk);
    }
}

std::string exitText(int status) {
    if (WIFEXITED(status)) return std::to_string(WEXITSTATUS(status));
    if (WIFSIGNALED(status)) return std::to_string(WTERMSIG(status));
    return std::to_string(status);
}

bool succeeded(int status) { return WIFEXITED(status) && WEXITSTATUS(status) == 0; }

}  // namespace

ProcessOutput run(const std::filesystem::path& executable, const std::vector<std::string>& arguments,
                  const LineHandler& line, std::stop_token stop) {
    if (stop.stop_requested()) throw Cancelled();
    ProcessControl control;
    const std::stop_callback onStop(stop, [&control] { control.cancel(); });

    const LogFile log;
    int ends[2];
    if (::pipe2(ends, O_CLOEXEC) != 0) throw ReviewError("Could not start a child process: " + systemText(errno) + ".");
    Descriptor readEnd(ends[0]);
    Descriptor writeEnd(ends[1]);

    const SpawnSetup setup(writeEnd.get(), log.fd());
    int spawnError = 0;
    const std::optional<pid_t> pid = control.start([&] {
        pid_t spawned = 0;
        spawnError = setup.spawn(executable, arguments, spawned);
        return spawnError == 0 ? std::optional<pid_t>(spawned) : std::nullopt;
    });
    writeEnd.reset();
    if (spawnError != 0)
        throw ReviewError("Could not start \"" + executable.filename().string() + "\": " + systemText(spawnError) + ".");
    if (!pid) throw Cancelled();

    Child child(*pid, control);
    LineSplitter lines(line);
    std::string data = readOutput(readEnd.get(), child, control, lines);
    const int status = child.waitForExit();
    if (control.cancelled()) throw Cancelled();

    ProcessOutput output{std::move(data), log.tail()};
    if (!succeeded(status))
        throw ReviewError(executable.filename().string() + " failed (" + exitText(status) + "):\n" + output.log);
    return output;
}

}  // namespace marrowick::LocalProcess
