// The local runtime against the stand-in server: start, reuse, restart, verification, probes,
// the time-out, termination from outside, cancellation and the idle unload.
#include "assistant/local_runtime.h"

#include <thread>

#include <arpa/inet.h>
#include <ext/stdio_filebuf.h>
#include <netinet/in.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/wait.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "raised_message.h"
#include "model/review_error.h"
#include "runtime_fixture.h"

namespace marrowick {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::SizeIs;
using ::testing::StartsWith;

const nlohmann::json kHello = nlohmann::json::array({{{"role", "user"}, {"content", "hello"}}});

class LocalRuntimeTest : public ::testing::Test {
protected:
    LocalRuntimeTest() { folder.script({{"answers", {RuntimeFolder::answer("hi")}}}); }
    std::unique_ptr<LocalRuntime> runtime() { return std::make_unique<LocalRuntime>(folder.configuration(), owner); }

    RuntimeFolder folder;
    RuntimeProcessOwner owner;
};

TEST_F(LocalRuntimeTest, StartsWithTheExactCommandLineAndEnvironmentThenReusesTheReadyServer) {
    const auto subject = runtime();
    subject->complete(kHello, std::nullopt, 7);
    const RuntimeSnapshot first = subject->snapshot();
    ASSERT_TRUE(first.endpoint);
    const int port = std::stoi(first.endpoint->substr(std::string("http://127.0.0.1:").size()));
    EXPECT_EQ(*first.endpoint, "http://127.0.0.1:" + std::to_string(port));
    EXPECT_THAT(first.token, SizeIs(44));
    EXPECT_EQ(first.token.back(), '=');
    EXPECT_TRUE(first.verified);
    EXPECT_TRUE(first.idlePending);

    const std::string models = folder.models().string();
    std::vector<std::string> expected = {
        "--model", models + "/Qwen3VL-2B-Instruct-Q4_K_M.gguf", "--mmproj", models + "/mmproj-Qwen3VL-2B-Instruct-Q8_0.gguf",
        "--alias", "marrowick-local", "--host", "127.0.0.1", "--port", std::to_string(port), "--offline", "--no-webui",
        "--no-agent", "--no-ui-mcp-proxy", "--cors-origins", "localhost", "--no-cors-credentials", "--parallel", "1",
        "--ctx-size", "2048", "--batch-size", "128", "--ubatch-size", "64", "--predict", "512", "--threads", "2",
        "--threads-http", "2", "--image-max-tokens", "256", "--no-cache-prompt", "--no-slots", "--timeout", "180",
        "--environment--"};
    std::vector<std::string> launch = folder.lines("launch.txt");
    ASSERT_THAT(launch, SizeIs(38 + 5));
    EXPECT_EQ(std::vector<std::string>(launch.begin(), launch.begin() + 38), expected);
    EXPECT_EQ(launch[38], "PATH=/usr/bin:/bin");
    EXPECT_THAT(launch[39], StartsWith("HOME=/"));
    EXPECT_EQ(launch[40], "TMPDIR=" + std::filesystem::temp_directory_path().string());
    EXPECT_EQ(launch[41], "LLAMA_API_KEY=" + first.token);
    EXPECT_EQ(launch[42], "LC_ALL=C");

    const nlohmann::json body = folder.requests().at(0);
    EXPECT_EQ(body, (nlohmann::json{{"model", "marrowick-local"}, {"stream", false}, {"temperature", 0},
                                    {"repeat_penalty", 1.12}, {"frequency_penalty", 0.2}, {"max_tokens", 7},
                                    {"chat_template_kwargs", {{"enable_thinking", false}}}, {"messages", kHello}}));
    EXPECT_TRUE(body["temperature"].is_number_integer());

    // Ready: the same server, key and address, without probing again.
    const int probes = folder.probes();
    subject->complete(kHello, nlohmann::json{{"type", "object"}}, 9);
    EXPECT_EQ(folder.probes(), probes);
    EXPECT_EQ(subject->snapshot().token, first.token);
    EXPECT_THAT(folder.pids(), SizeIs(1));
    EXPECT_EQ(folder.requests().at(1)["response_format"],
              (nlohmann::json{{"type", "json_object"}, {"schema", {{"type", "object"}}}}));
}

TEST_F(LocalRuntimeTest, AnEndedServerIsStartedAgainWithANewKeyAndWithoutHashingTheModelsAgain) {
    const auto subject = runtime();
    subject->complete(kHello, std::nullopt, 7);
    const RuntimeSnapshot first = subject->snapshot();
    kill(first.process->pid(), SIGKILL);
    ASSERT_TRUE(RuntimeFolder::eventually([&] { return !first.process->running(); }));
    // Same size, other content: only a second verification would notice.
    folder.write(RuntimeConfiguration::kModelFile, "LANGUAGE MODEL WEIGHTS");

    subject->complete(kHello, std::nullopt, 7);
    const RuntimeSnapshot second = subject->snapshot();
    EXPECT_THAT(folder.pids(), SizeIs(2));
    EXPECT_NE(second.token, first.token);
    EXPECT_NE(second.process->pid(), first.process->pid());
    EXPECT_EQ(owner.process(), second.process);

    // A server ended through the owner (a cancelled request) is not reused either.
    owner.terminate();
    subject->complete(kHello, std::nullopt, 7);
    EXPECT_THAT(folder.pids(), SizeIs(3));
    EXPECT_TRUE(RuntimeFolder::endsSoon(second.process->pid()));
}

TEST_F(LocalRuntimeTest, TheLastFailedProbeEndsTheStartAndLeavesNoProcess) {
    folder.script({{"listedId", "some-other-model"}});
    const auto subject = runtime();
    EXPECT_EQ(testing::raisedMessage([&] { subject->complete(kHello, std::nullopt, 7); }),
              "The local assistant took too long to load. Close other memory-heavy apps and try again.");
    // Probes made before the stand-in listens are refused and not counted by it.
    EXPECT_GT(folder.probes(), 0);
    EXPECT_LE(folder.probes(), 480);
    EXPECT_EQ(owner.process(), nullptr);
    EXPECT_FALSE(subject->snapshot().endpoint);
    EXPECT_TRUE(subject->snapshot().token.empty());
    ASSERT_THAT(folder.pids(), SizeIs(1));
    EXPECT_TRUE(RuntimeFolder::endsSoon(folder.pids().front()));
}

TEST_F(LocalRuntimeTest, LoadingAnswersAreProbedAgainUntilTheModelIsListed) {
    folder.script({{"loadingRequests", 5}, {"answers", {RuntimeFolder::answer("hi")}}});
    const auto subject = runtime();
    subject->complete(kHello, std::nullopt, 7);
    EXPECT_EQ(folder.probes(), 6);
}

TEST_F(LocalRuntimeTest, AServerThatEndsWhileLoadingFailsTheStart) {
    folder.script({{"exitAtStart", true}});
    const auto subject = runtime();
    EXPECT_EQ(testing::raisedMessage([&] { subject->complete(kHello, std::nullopt, 7); }),
              "The local assistant could not start on this computer.");
    EXPECT_EQ(owner.process(), nullptr);
    EXPECT_FALSE(subject->snapshot().process);
}

TEST_F(LocalRuntimeTest, ModelFilesAreCheckedBeforeAnythingIsLaunched) {
    const auto subject = runtime();
    folder.write(RuntimeConfiguration::kProjectorFile, "VISION PROJECTOR WEIGHTS");
    EXPECT_EQ(testing::raisedMessage([&] { subject->complete(kHello, std::nullopt, 7); }),
              "The local model files failed their integrity check. Download them again: see the README's \"Local "
              "assistant\" section.");
    std::filesystem::remove(folder.models() / RuntimeConfiguration::kModelFile);
    const std::string missing = testing::raisedMessage([&] { subject->complete(kHello, std::nullopt, 7); });
    EXPECT_THAT(missing, HasSubstr("No such file or directory"));
    EXPECT_FALSE(subject->snapshot().verified);
    EXPECT_TRUE(folder.pids().empty());
    EXPECT_TRUE(subject->snapshot().token.empty());
}

TEST_F(LocalRuntimeTest, MissingOrUntrustedFilesAreRefusedBeforeLaunch) {
    const std::string missing = "The local assistant is not installed. llama-server and the model files are installed separately: "
                                "see the README's \"Local assistant\" section.";
    RuntimeConfiguration noFolder = folder.configuration();
    noFolder.modelFolder = folder.root() / "Elsewhere";
    EXPECT_EQ(testing::raisedMessage([&] { LocalRuntime(noFolder, owner).available(); }), missing);
    RuntimeConfiguration noServer = folder.configuration();
    noServer.executable = folder.root() / "Helpers" / "llama-cli";
    EXPECT_EQ(testing::raisedMessage([&] { LocalRuntime(noServer, owner).complete(kHello, std::nullopt, 7); }), missing);

    chmod((folder.root() / "Helpers").c_str(), 0775);
    const auto subject = runtime();
    EXPECT_EQ(testing::raisedMessage([&] { subject->complete(kHello, std::nullopt, 7); }),
              "The local assistant's llama-server is not safe to run: it must be a regular file owned by you or root "
              "and writable by nobody else. See the README's \"Local assistant\" section.");
    EXPECT_TRUE(folder.pids().empty());
    subject->stop();  // nothing runs: harmless
    EXPECT_FALSE(subject->snapshot().process);
}

TEST_F(LocalRuntimeTest, QuittingWhileTheModelLoadsEndsTheServer) {
    folder.script({{"neverReady", true}});
    const auto subject = runtime();
    std::string outcome;
    std::thread request([&] { outcome = testing::raisedMessage([&] { subject->complete(kHello, std::nullopt, 7); }); });
    ASSERT_TRUE(RuntimeFolder::eventually([&] { return folder.probes() > 0; }));
    owner.terminate();
    request.join();
    EXPECT_EQ(outcome, "The local assistant could not start on this computer.");
    EXPECT_TRUE(RuntimeFolder::endsSoon(folder.pids().front()));
}

TEST_F(LocalRuntimeTest, CancellingWhileLoadingStopsTheServer) {
    folder.script({{"neverReady", true}});
    const auto subject = runtime();
    std::stop_source stop;
    bool cancelled = false;
    std::thread request([&] {
        try {
            subject->complete(kHello, std::nullopt, 7, stop.get_token());
        } catch (const Cancelled&) {
            cancelled = true;
        }
    });
    ASSERT_TRUE(RuntimeFolder::eventually([&] { return folder.probes() > 0; }));
    stop.request_stop();
    request.join();
    EXPECT_TRUE(cancelled);
    EXPECT_EQ(owner.process(), nullptr);
    EXPECT_TRUE(RuntimeFolder::endsSoon(folder.pids().front()));
}

TEST_F(LocalRuntimeTest, ASecondCallerWaitsForTheStartInProgress) {
    folder.script({{"loadingRequests", 30}, {"answers", {RuntimeFolder::answer("hi")}}});
    const auto subject = runtime();
    std::thread first([&] { subject->complete(kHello, std::nullopt, 7); });
    std::thread second([&] { subject->complete(kHello, std::nullopt, 7); });
    first.join();
    second.join();
    EXPECT_THAT(folder.pids(), SizeIs(1));
    EXPECT_THAT(folder.requests(), SizeIs(2));
}

TEST_F(LocalRuntimeTest, AFailedExchangeLeavesTheServerLoadedWithoutAnIdleUnload) {
    folder.script({{"answers", {{{"status", 500}, {"body", "{}"}}, RuntimeFolder::answer("hi")}}});
    const auto subject = runtime();
    EXPECT_EQ(testing::raisedMessage([&] { subject->complete(kHello, std::nullopt, 7); }),
              "The local assistant could not complete this request.");
    RuntimeSnapshot state = subject->snapshot();
    EXPECT_TRUE(state.endpoint);
    EXPECT_FALSE(state.idlePending);
    subject->complete(kHello, std::nullopt, 7);
    EXPECT_TRUE(subject->snapshot().idlePending);
    EXPECT_THAT(folder.pids(), SizeIs(1));
}

TEST_F(LocalRuntimeTest, TheIdleUnloadStopsTheServerAndTheNextRequestStartsANewOne) {
    folder.configuration().idleDelay = std::chrono::milliseconds(0);
    const auto subject = runtime();
    subject->complete(kHello, std::nullopt, 7);
    ASSERT_TRUE(RuntimeFolder::eventually([&] { return !subject->snapshot().process; }));
    EXPECT_TRUE(RuntimeFolder::endsSoon(folder.pids().front()));
    EXPECT_TRUE(subject->snapshot().token.empty());
    EXPECT_TRUE(subject->snapshot().verified);
    subject->complete(kHello, std::nullopt, 7);
    EXPECT_THAT(folder.pids(), SizeIs(2));
}

}  // namespace
}  // namespace marrowick

namespace marrowick {
namespace {

// The program killed outright while its server runs: the server must not outlive it.
TEST(RuntimeLifetime, KillingTheProgramEndsTheServerThatOutlivedItsRequestThread) {
    int output[2];
    ASSERT_EQ(pipe(output), 0);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, output[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, output[0]);
    char helperPath[] = MARROWICK_RUNTIME_KILL_HELPER;
    char* const argv[] = {helperPath, nullptr};
    pid_t helper = 0;
    ASSERT_EQ(posix_spawn(&helper, helperPath, &actions, nullptr, argv, environ), 0);
    posix_spawn_file_actions_destroy(&actions);
    close(output[1]);
    int server = 0;
    std::string root;
    {
        __gnu_cxx::stdio_filebuf<char> buffer(output[0], std::ios::in);
        std::istream report(&buffer);
        report >> server >> root;
    }
    ASSERT_GT(server, 0) << "the helper did not start the server";
    EXPECT_FALSE(RuntimeFolder::ended(server)) << "the end of the request's thread ended the server";

    kill(helper, SIGKILL);
    waitpid(helper, nullptr, 0);
    bool ended = false;
    for (int i = 0; i < 200 && !ended; ++i) {  // two seconds at most
        ended = RuntimeFolder::ended(server);
        if (!ended) std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    EXPECT_TRUE(ended) << "the server outlived the program";
    if (!ended) kill(server, SIGKILL);
    std::error_code ignored;
    std::filesystem::remove_all(root, ignored);
}

TEST(RuntimeLifetime, TheDefaultPortIsFreeOnTheLoopback) {
    for (int i = 0; i < 20; ++i) {
        const int port = RuntimeConfiguration::freeLoopbackPort();
        ASSERT_GT(port, 1023);
        ASSERT_LT(port, 65536);
        const int probe = socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        address.sin_port = htons(static_cast<std::uint16_t>(port));
        EXPECT_EQ(bind(probe, reinterpret_cast<sockaddr*>(&address), sizeof address), 0) << port;
        close(probe);
    }
}

}  // namespace
}  // namespace marrowick
