// LocalRuntime: availability, verification, launch, readiness, completion, idle unload, stop.
#include "assistant/local_runtime.h"

#include <filesystem>

#include <openssl/rand.h>
#include <pwd.h>
#include <unistd.h>

#include "assistant/bounded_http.h"
#include "assistant/executable_trust.h"
#include "assistant/internal/file_digest.h"
#include "assistant/model_listing.h"
#include "model/base64.h"
#include "model/resource_root.h"
#include "model/review_error.h"

namespace marrowick {
namespace {

constexpr const char* kMissing = "The local assistant is not installed. llama-server and the model files are installed separately: see the "
                                   "README's \"Local assistant\" section.";
constexpr const char* kIntegrity = "The local model files failed their integrity check. Download them again: see the README's \"Local "
                                     "assistant\" section.";
constexpr const char* kSignature = "The local assistant's llama-server is not safe to run: it must be a regular file owned by you or root "
                                     "and writable by nobody else. See the README's \"Local assistant\" section.";
constexpr const char* kSession = "Cannot create the local assistant session.";
constexpr const char* kCouldNotStart = "The local assistant could not start on this computer.";
constexpr const char* kTooLong =
    "The local assistant took too long to load. Close other memory-heavy apps and try again.";
constexpr std::size_t kKeyBytes = 32;

std::string freshKey() {
    unsigned char bytes[kKeyBytes];
    if (RAND_bytes(bytes, static_cast<int>(kKeyBytes)) != 1) throw ReviewError(kSession);
    std::string key;
    Base64::append(key, bytes, kKeyBytes);
    return key;
}

std::string homeFolder() {
    std::vector<char> buffer(16384);
    passwd entry{};
    passwd* found = nullptr;
    if (getpwuid_r(getuid(), &entry, buffer.data(), buffer.size(), &found) == 0 && found && found->pw_dir)
        return found->pw_dir;
    const char* home = std::getenv("HOME");
    return home ? home : "/";
}

std::vector<std::string> serverArguments(const RuntimeConfiguration& configuration, int port) {
    return {"--model", configuration.modelPath().string(),
            "--mmproj", configuration.projectorPath().string(),
            "--alias", LocalRuntime::kAlias,
            "--host", "127.0.0.1",
            "--port", std::to_string(port),
            "--offline", "--no-webui", "--no-agent", "--no-ui-mcp-proxy",
            "--cors-origins", "localhost",
            "--no-cors-credentials",
            "--parallel", "1",
            "--ctx-size", "2048",
            "--batch-size", "128",
            "--ubatch-size", "64",
            "--predict", "512",
            "--threads", "2",
            "--threads-http", "2",
            "--image-max-tokens", "256",
            "--no-cache-prompt", "--no-slots",
            "--timeout", "180"};
}

// Nothing is inherited from the program's own environment.
std::vector<std::string> serverEnvironment(const std::string& token) {
    return {"PATH=/usr/bin:/bin", "HOME=" + homeFolder(),
            "TMPDIR=" + std::filesystem::temp_directory_path().string(), "LLAMA_API_KEY=" + token, "LC_ALL=C"};
}

nlohmann::json completionBody(const nlohmann::json& messages, const std::optional<nlohmann::json>& schema,
                              int maxTokens) {
    nlohmann::json body = {{"model", LocalRuntime::kAlias},
                           {"stream", false},
                           {"temperature", 0},
                           {"repeat_penalty", 1.12},
                           {"frequency_penalty", 0.2},
                           {"max_tokens", maxTokens},
                           {"chat_template_kwargs", {{"enable_thinking", false}}},
                           {"messages", messages}};
    if (schema) body["response_format"] = {{"type", "json_object"}, {"schema", *schema}};
    return body;
}

bool executableFile(const std::filesystem::path& file) {
    std::error_code error;
    return std::filesystem::is_regular_file(file, error) && access(file.c_str(), X_OK) == 0;
}

}  // namespace

LocalRuntime& LocalRuntime::shared() {
    static LocalRuntime runtime(RuntimeConfiguration::bundled(resourceRoot(runningExecutable())));
    return runtime;
}

LocalRuntime::LocalRuntime(RuntimeConfiguration configuration, RuntimeProcessOwner& owner)
    : configuration_(std::move(configuration)), owner_(owner) {}

LocalRuntime::~LocalRuntime() {
    const SerialTurn turn(gate_, {});
    stopInTurn();
    spentIdle_.reset();
}

bool LocalRuntime::available() const {
    std::error_code error;
    if (!std::filesystem::is_directory(configuration_.modelFolder, error)) throw ReviewError(kMissing);
    if (!executableFile(configuration_.executable)) throw ReviewError(kMissing);
    return true;
}

std::string LocalRuntime::complete(const nlohmann::json& messages, const std::optional<nlohmann::json>& schema,
                                   int maxTokens, std::stop_token stop) {
    const SerialTurn turn(gate_, stop);
    idle_.reset();
    const auto [base, token] = ensureStarted(stop);
    std::string response = BoundedHTTP::send(base + "/v1/chat/completions", token,
                                             completionBody(messages, schema, maxTokens), kCompletionTimeout_s, stop);
    idle_ = std::make_unique<IdleTimer>(configuration_.idleDelay, [this](std::stop_token idle) { onIdle(idle); });
    return response;
}

void LocalRuntime::stop() {
    const SerialTurn turn(gate_, {});
    stopInTurn();
}

RuntimeSnapshot LocalRuntime::snapshot() {
    const SerialTurn turn(gate_, {});
    return {process_, endpoint_, token_, verified_, idle_ != nullptr};
}

std::pair<std::string, std::string> LocalRuntime::ensureStarted(const std::stop_token& stop) {
    if (process_ && process_->running() && endpoint_) return {*endpoint_, token_};
    available();
    if (!verified_) {
        verifyModels(stop);
        verified_ = true;
    }
    if (!ExecutableTrust::trusted(configuration_.executable)) throw ReviewError(kSignature);
    token_ = freshKey();
    const int port = configuration_.choosePort();
    const std::string base = "http://127.0.0.1:" + std::to_string(port);
    launch(port);
    if (stop.stop_requested()) {
        stopInTurn();
        throw Cancelled();
    }
    return awaitReady(base, stop);
}

void LocalRuntime::verifyModels(const std::stop_token& stop) const {
    const std::pair<std::filesystem::path, std::string> files[] = {
        {configuration_.modelPath(), configuration_.modelDigest},
        {configuration_.projectorPath(), configuration_.projectorDigest}};
    for (const auto& [file, expected] : files)
        if (fileSHA256(file, stop) != expected) throw ReviewError(kIntegrity);
}

void LocalRuntime::launch(int port) {
    process_ = RuntimeProcess::launch(configuration_.executable, serverArguments(configuration_, port),
                                      serverEnvironment(token_));
    // From here on quitting the program ends the server, even while it loads.
    owner_.adopt(process_);
}

std::pair<std::string, std::string> LocalRuntime::awaitReady(const std::string& base, const std::stop_token& stop) {
    for (int attempt = 0;;) {
        if (!process_->running()) {
            stopInTurn();
            throw ReviewError(kCouldNotStart);
        }
        if (probe(base, stop)) {
            endpoint_ = base;
            return {base, token_};
        }
        if (!sleepUnlessStopped(configuration_.probePause, stop)) {
            stopInTurn();
            throw Cancelled();
        }
        if (++attempt >= configuration_.probeAttempts) {
            stopInTurn();
            throw ReviewError(kTooLong);
        }
    }
}

bool LocalRuntime::probe(const std::string& base, const std::stop_token& stop) const {
    try {
        return ModelListing::lists(BoundedHTTP::send(base + "/v1/models", token_, std::nullopt, kProbeTimeout_s, stop),
                                   kAlias);
    } catch (const std::exception&) {
        // Not answering yet, or not with the model: probe again. A stop is noticed by the pause.
        return false;
    }
}

void LocalRuntime::onIdle(const std::stop_token& stop) {
    if (!gate_.enter(stop)) return;  // cancelled while a request held the runtime
    stopInTurn();
    gate_.leave();
}

void LocalRuntime::stopInTurn() {
    if (idle_) {
        idle_->cancel();
        spentIdle_ = std::move(idle_);
    }
    owner_.terminate();
    process_.reset();
    endpoint_.reset();
    token_.clear();
}

}  // namespace marrowick
