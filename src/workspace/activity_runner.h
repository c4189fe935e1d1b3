// Runs the workspace's one long activity on a worker thread, with progress and cancellation.
#pragma once

#include <functional>
#include <optional>
#include <stop_token>
#include <string>
#include <thread>

#include <QObject>

#include "workspace/workspace_state.h"

namespace marrowick {

class ActivityRunner;

// What an activity's work may do from its worker thread. Everything it posts runs later on the
// main thread, in the order posted, and before the activity's end is reported.
class ActivityContext {
public:
    ActivityContext(std::stop_token stop, ActivityRunner& runner) : stop_(std::move(stop)), runner_(runner) {}

    std::stop_token stopToken() const { return stop_; }
    // Throws Cancelled when cancellation was requested; call at the work's check points.
    void throwIfCancelled() const;
    // Posts a progress value (0 to 1) to the main thread.
    void reportProgress(double fraction) const;
    // Posts a result to the main thread, where it may change the project. If storing it fails,
    // the activity is cancelled and ends with that failure; later results are dropped.
    void onMainThread(std::function<void()> apply) const;

private:
    std::stop_token stop_;
    ActivityRunner& runner_;  // outlives the worker: it joins the worker before it goes
};

using ActivityWork = std::function<void(const ActivityContext&)>;

// How an activity ended.
enum class ActivityOutcome { finished, cancelled, failed };

// Owns the activity state and the worker. Lives on the main thread; every signal is emitted there.
class ActivityRunner : public QObject {
    Q_OBJECT

public:
    explicit ActivityRunner(QObject* parent = nullptr);
    ~ActivityRunner() override;

    const ActivityState& state() const { return state_; }

    // Enters the running state; false (and no change) when an activity is already running.
    bool begin(const std::string& activity);
    // Starts the work on a worker thread; when it ends, `ended` reports the outcome and the state
    // returns to idle. Must follow a successful `begin`.
    void finish(ActivityWork work);
    // Requests cancellation of the running work; it stops at its next check point.
    void cancel();
    // Changes the running activity's text (the steps of an import).
    void setActivity(const std::string& activity);

signals:
    void stateChanged();
    // The work ended: `message` is the failure's text when the outcome is failed.
    void ended(marrowick::ActivityOutcome outcome, const QString& message);

private:
    friend class ActivityContext;

    // Runs `apply` later on the main thread; a failure there ends the activity as failed.
    void post(std::function<void()> apply);
    void setProgress(double fraction);
    void close(ActivityOutcome outcome, const QString& message);

    ActivityState state_;
    std::optional<QString> resultFailure_;  // the first failure to store a result, if any
    std::optional<std::jthread> worker_;
};

}  // namespace marrowick
