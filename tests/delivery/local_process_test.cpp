// The child process runner: lines, capture limits, the error log, cancellation and clean-up.
#include "delivery/local_process.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstdlib>
#include <future>
#include <thread>

#include "delivery/preset_fixtures.h"
#include "raised_message.h"

namespace marrowick {
namespace {

using testing::ScratchFolder;

// Every run goes through /bin/sh with a script, so each case says what its child does.
std::vector<std::string> script(const std::string& text) { return {"-c", text}; }

bool processIsGone(pid_t pid) { return ::kill(pid, 0) != 0 && errno == ESRCH; }

// Points the temporary folder at a private one, so that leftover log files can be counted.
class LocalProcessTest : public ::testing::Test {
protected:
    void SetUp() override {
        const char* previous = std::getenv("TMPDIR");
        if (previous != nullptr) previousTmp_ = previous;
        ::setenv("TMPDIR", folder.path().c_str(), 1);
    }
    void TearDown() override {
        for (const auto& entry : std::filesystem::directory_iterator(folder.path()))
            ADD_FAILURE() << "left behind: " << entry.path().filename();
        if (previousTmp_) ::setenv("TMPDIR", previousTmp_->c_str(), 1);
        else ::unsetenv("TMPDIR");
    }

    static std::string failure(const std::vector<std::string>& arguments,
                               const std::filesystem::path& executable = "/bin/sh") {
        return testing::raisedMessage([&] { LocalProcess::run(executable, arguments); });
    }

    ScratchFolder folder;
    ScratchFolder elsewhere;  // created before TMPDIR changes, for files the children write

private:
    std::optional<std::string> previousTmp_;
};

TEST_F(LocalProcessTest, DeliversEveryTerminatedLineInOrderAndKeepsTheBytes) {
    const std::pair<const char*, std::vector<std::string>> cases[] = {
        {"printf 'a\\n\\nb\\n'", {"a", "", "b"}},
        // A record cut off by the end of the output ("out_time_us=12" of a longer number) is not
        // a line: it never arrives, though its bytes are kept.
        {"printf 'progress=continue\\nout_time_us=12'", {"progress=continue"}},
    };
    for (const auto& [command, expected] : cases) {
        std::vector<std::string> lines;
        const ProcessOutput output =
            LocalProcess::run("/bin/sh", script(command), [&](const std::string& line) { lines.push_back(line); });
        EXPECT_EQ(lines, expected) << command;
        EXPECT_EQ(output.log, "");
    }
    EXPECT_EQ(LocalProcess::run("/bin/sh", script("printf 'a\\nb'")).data, "a\nb");
}

TEST_F(LocalProcessTest, ACharacterSplitBetweenTwoReadsArrivesWhole) {
    // 4095 bytes, then a two-byte character that straddles the first 4096-byte read.
    std::vector<std::string> lines;
    LocalProcess::run("/bin/sh", script("head -c 4095 /dev/zero | tr '\\0' x; printf '\\303\\251\\n'"),
                      [&](const std::string& line) { lines.push_back(line); });
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0], std::string(4095, 'x') + "\u00E9");
}

TEST_F(LocalProcessTest, InvalidUtf8InALineIsReplacedNotDropped) {
    std::vector<std::string> lines;
    LocalProcess::run("/bin/sh", script("printf 'a\\377b\\n'"), [&](const std::string& line) { lines.push_back(line); });
    EXPECT_EQ(lines, (std::vector<std::string>{"a\uFFFDb"}));
}

TEST_F(LocalProcessTest, StandardOutputBeyondTheCapIsReadAndDropped) {
    std::size_t lineBytes = 0;
    const ProcessOutput output = LocalProcess::run("/bin/sh", script("head -c 20000000 /dev/zero | tr '\\0' '\\n'"),
                                                   [&](const std::string& line) { lineBytes += line.size() + 1; });
    EXPECT_GE(output.data.size(), LocalProcess::kCaptureLimit);
    EXPECT_LT(output.data.size(), LocalProcess::kCaptureLimit + LocalProcess::kReadBlock);
    EXPECT_EQ(lineBytes, 20'000'000u);  // the handler still sees everything
}

TEST_F(LocalProcessTest, ANonZeroExitNamesTheExecutableAndKeepsTheLast8000Characters) {
    // 1000 numbered lines of ten characters each on standard error.
    const std::string message = failure(script("i=0; while [ $i -lt 1000 ]; do printf '%09d\\n' $i >&2; i=$((i+1)); done; exit 3"));
    std::string all;
    for (int i = 0; i < 1000; ++i) {
        char line[16];
        std::snprintf(line, sizeof line, "%09d\n", i);
        all += line;
    }
    ASSERT_EQ(all.size(), 10'000u);
    EXPECT_EQ(message, "sh failed (3):\n" + all.substr(2000));
}

TEST_F(LocalProcessTest, ASignalledChildFailsWithTheSignalNumber) {
    EXPECT_EQ(failure(script("echo dying >&2; kill -KILL $$")), "sh failed (9):\ndying\n");
}

TEST_F(LocalProcessTest, ExecutablesThatCannotStartFailWithTheSystemsReason) {
    EXPECT_EQ(failure({}, elsewhere / "ffmpeg"), "Could not start \"ffmpeg\": No such file or directory.");
    testing::writeText(elsewhere / "ffprobe", "#!/bin/sh\n");
    EXPECT_EQ(failure({}, elsewhere / "ffprobe"), "Could not start \"ffprobe\": Permission denied.");
}

TEST_F(LocalProcessTest, ArgumentsReachTheChildVerbatimAndStandardInputIsEmpty) {
    const std::vector<std::string> arguments{"$(touch hacked) *", "a b", ""};
    EXPECT_EQ(LocalProcess::run("/bin/echo", arguments).data, "$(touch hacked) * a b \n");
    EXPECT_EQ(LocalProcess::run("/bin/cat", {}).data, "");  // returns at once: nothing to read
}

TEST_F(LocalProcessTest, ARunCancelledBeforeItStartsNeverStartsTheChild) {
    std::stop_source stop;
    stop.request_stop();
    const std::filesystem::path marker = elsewhere / "started";
    EXPECT_THROW(LocalProcess::run("/bin/sh", script("touch '" + marker.string() + "'"), {}, stop.get_token()), Cancelled);
    EXPECT_FALSE(std::filesystem::exists(marker));
}

TEST_F(LocalProcessTest, CancellingFromAnotherThreadEndsASleepingChild) {
    std::stop_source stop;
    std::promise<pid_t> started;
    std::future<void> run = std::async(std::launch::async, [&] {
        LocalProcess::run("/bin/sh", script("echo $$; exec sleep 600"),
                          [&](const std::string& line) { started.set_value(std::stoi(line)); }, stop.get_token());
    });
    const pid_t child = started.get_future().get();
    stop.request_stop();
    // Cancelled, not "sh failed (15)", although the child did exit with a signal.
    EXPECT_THROW(run.get(), Cancelled);
    EXPECT_TRUE(processIsGone(child));
}

TEST_F(LocalProcessTest, AChildThatIgnoresTheTerminationRequestIsKilled) {
    std::stop_source stop;
    pid_t child = 0;
    const auto cancelOnFirstLine = [&](const std::string& line) {
        child = std::stoi(line);
        stop.request_stop();
    };
    EXPECT_THROW(LocalProcess::run("/bin/sh", script("trap '' TERM; echo $$; while :; do sleep 1; done"), cancelOnFirstLine,
                                   stop.get_token()),
                 Cancelled);
    EXPECT_TRUE(processIsGone(child));
}

TEST_F(LocalProcessTest, AFailingLineHandlerStopsTheChildAndPassesItsErrorOn) {
    pid_t child = 0;
    const auto refuse = [&](const std::string& line) {
        child = std::stoi(line);
        throw std::runtime_error("handler failed");
    };
    EXPECT_THROW(LocalProcess::run("/bin/sh", script("echo $$; exec sleep 600"), refuse), std::runtime_error);
    EXPECT_TRUE(processIsGone(child));
}

}  // namespace
}  // namespace marrowick
