// One turn at a time on an object's state: the local runtime's serial executor. A caller waiting
// for its turn can be stopped; a caller whose turn it is runs to the end before the next.
#pragma once

#include <condition_variable>
#include <mutex>
#include <stop_token>

#include "model/review_error.h"

namespace marrowick {

class SerialGate {
public:
    // Waits for the turn; false when `stop` was requested first.
    bool enter(std::stop_token stop) {
        std::unique_lock lock(mutex_);
        if (!free_.wait(lock, stop, [this] { return !busy_; })) return false;
        busy_ = true;
        return true;
    }

    void leave() {
        {
            const std::lock_guard lock(mutex_);
            busy_ = false;
        }
        free_.notify_one();
    }

private:
    std::mutex mutex_;  // guards busy_
    std::condition_variable_any free_;
    bool busy_ = false;
};

// A turn held for a scope; throws Cancelled when stopped while waiting.
class SerialTurn {
public:
    SerialTurn(SerialGate& gate, std::stop_token stop) : gate_(gate) {
        if (!gate_.enter(std::move(stop))) throw Cancelled();
    }
    ~SerialTurn() { gate_.leave(); }
    SerialTurn(const SerialTurn&) = delete;
    SerialTurn& operator=(const SerialTurn&) = delete;

private:
    SerialGate& gate_;
};

// Sleeps for the duration unless `stop` is requested first; false when stopped.
template <class Duration>
bool sleepUnlessStopped(Duration duration, std::stop_token stop) {
    std::mutex mutex;
    std::condition_variable_any never;
    std::unique_lock lock(mutex);
    never.wait_for(lock, stop, duration, [] { return false; });
    return !stop.stop_requested();
}

}  // namespace marrowick
