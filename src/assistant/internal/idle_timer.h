// A one-shot timer on its own thread: calls back after a delay unless cancelled first.
#pragma once

#include <chrono>
#include <functional>
#include <stop_token>
#include <thread>

#include "assistant/internal/serial_gate.h"

namespace marrowick {

class IdleTimer {
public:
    // `expired` runs on the timer's thread with the timer's stop token, which a cancel requests.
    IdleTimer(std::chrono::milliseconds delay, std::function<void(std::stop_token)> expired)
        : thread_([delay, expired = std::move(expired)](std::stop_token stop) {
              if (sleepUnlessStopped(delay, stop)) expired(stop);
          }) {}

    // Cancels; the destructor then waits for the thread, which a cancel wakes at once.
    void cancel() { thread_.request_stop(); }

private:
    std::jthread thread_;
};

}  // namespace marrowick
