// Runs one outside executable (FFmpeg, FFprobe) as a child process, with cancellation.
#pragma once

#include <cstddef>
#include <filesystem>
#include <functional>
#include <stop_token>
#include <string>
#include <vector>

namespace marrowick {

// What a finished child left behind.
struct ProcessOutput {
    std::string data;  // standard output as bytes, up to the capture limit
    std::string log;   // the last 8000 characters of standard error, as UTF-8
};

namespace LocalProcess {

// Standard output captured in full up to this many bytes; later blocks are read and dropped, so
// the result can end up to one block above it.
inline constexpr std::size_t kCaptureLimit = 16'000'000;
inline constexpr std::size_t kReadBlock = 4096;
// Characters of standard error kept as the log.
inline constexpr std::size_t kLogCharacters = 8000;

// Called on the calling thread with each line of standard output, without its line feed; text
// after the last line feed is not a line and is never passed.
using LineHandler = std::function<void(const std::string& line)>;

// Starts `executable` with `arguments` (an argument vector; no shell), standard input from
// /dev/null, standard output through a pipe and standard error into a "marrowick-<UUID>.log" file
// in the temporary folder, which is removed on every path. Blocks until the child exits.
//
// Throws Cancelled when `stop` is requested (before the start, or while the child runs: it gets
// SIGTERM, then SIGKILL if it lingers); ReviewError "<name> failed (<status>):\n<log tail>" on a
// non-zero exit; ReviewError with the system's description when the log file cannot be made or
// the executable cannot be started.
ProcessOutput run(const std::filesystem::path& executable, const std::vector<std::string>& arguments,
                  const LineHandler& line = {}, std::stop_token stop = {});

}  // namespace LocalProcess
}  // namespace marrowick
