// A detached thread draining a queue of launches; never ended, never destroyed.
#include "assistant/internal/launcher_thread.h"

#include <condition_variable>
#include <deque>
#include <future>
#include <mutex>
#include <thread>

namespace marrowick::LauncherThread {
namespace {

class Queue {
public:
    Queue() { std::thread([this] { drain(); }).detach(); }

    void post(std::function<void()> job) {
        {
            const std::lock_guard guard(lock_);
            jobs_.push_back(std::move(job));
        }
        ready_.notify_one();
    }

private:
    [[noreturn]] void drain() {
        for (;;) {
            std::function<void()> job;
            {
                std::unique_lock guard(lock_);
                ready_.wait(guard, [this] { return !jobs_.empty(); });
                job = std::move(jobs_.front());
                jobs_.pop_front();
            }
            job();
        }
    }

    std::mutex lock_;
    std::condition_variable ready_;
    std::deque<std::function<void()>> jobs_;
};

// Leaked on purpose: the thread waits on it until the process ends, past static destruction.
Queue& queue() {
    static Queue* const shared = new Queue;
    return *shared;
}

}  // namespace

void run(const std::function<void()>& work) {
    std::packaged_task<void()> task(work);
    std::future<void> done = task.get_future();
    queue().post([&task] { task(); });
    done.get();
}

}  // namespace marrowick::LauncherThread
