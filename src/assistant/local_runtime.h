// The local model runtime: one llama-server child process, started on demand on a random
// loopback port with a fresh key, verified, probed until its model has loaded, used for chat
// completions, and unloaded after a quiet minute.
#pragma once

#include <memory>
#include <optional>
#include <stop_token>
#include <string>
#include <utility>

#include <nlohmann/json.hpp>

#include "assistant/internal/idle_timer.h"
#include "assistant/internal/serial_gate.h"
#include "assistant/runtime_configuration.h"
#include "assistant/runtime_process_owner.h"

namespace marrowick {

// What a look at the runtime shows (tests and diagnostics).
struct RuntimeSnapshot {
    std::shared_ptr<RuntimeProcess> process;
    std::optional<std::string> endpoint;
    std::string token;
    bool verified = false;
    bool idlePending = false;
};

// Every operation takes the runtime's one turn, so its state is touched by one caller at a time;
// a second caller waits for a start in progress instead of launching another server.
class LocalRuntime {
public:
    static constexpr const char* kAlias = "marrowick-local";
    static constexpr double kProbeTimeout_s = 2;
    static constexpr double kCompletionTimeout_s = 180;

    // The program's runtime, from the resource root of the running program.
    static LocalRuntime& shared();

    explicit LocalRuntime(RuntimeConfiguration configuration, RuntimeProcessOwner& owner = RuntimeProcessOwner::shared());
    // Stops the server.
    ~LocalRuntime();
    LocalRuntime(const LocalRuntime&) = delete;
    LocalRuntime& operator=(const LocalRuntime&) = delete;

    // Throws ReviewError unless the model folder exists and the server program is an executable file.
    bool available() const;
    // Cancels a pending idle unload, starts the server if needed and returns the raw body of its
    // answer to one chat completion. Throws the start's or the exchange's ReviewError, or Cancelled.
    std::string complete(const nlohmann::json& messages, const std::optional<nlohmann::json>& schema, int maxTokens,
                         std::stop_token stop = {});
    // Stops the server and forgets its address and key; harmless when nothing runs.
    void stop();

    RuntimeSnapshot snapshot();
    const RuntimeConfiguration& configuration() const { return configuration_; }
    RuntimeProcessOwner& owner() { return owner_; }

private:
    // The base address and key of a ready server.
    std::pair<std::string, std::string> ensureStarted(const std::stop_token& stop);
    void verifyModels(const std::stop_token& stop) const;
    void launch(int port);
    std::pair<std::string, std::string> awaitReady(const std::string& base, const std::stop_token& stop);
    bool probe(const std::string& base, const std::stop_token& stop) const;
    void onIdle(const std::stop_token& stop);
    void stopInTurn();

    const RuntimeConfiguration configuration_;
    RuntimeProcessOwner& owner_;
    SerialGate gate_;
    // Guarded by the gate's turn:
    std::shared_ptr<RuntimeProcess> process_;
    std::optional<std::string> endpoint_;
    std::string token_;
    bool verified_ = false;
    std::unique_ptr<IdleTimer> idle_;
    std::unique_ptr<IdleTimer> spentIdle_;  // a fired timer, joined later: it may be the caller's own thread
};

}  // namespace marrowick
