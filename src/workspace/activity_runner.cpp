// The activity model: begin, a worker thread per activity, results and the end posted back.
#include "workspace/activity_runner.h"

#include <algorithm>
#include <cassert>
#include <cmath>
#include <exception>

#include "model/review_error.h"
#include "workspace/failure_text.h"

namespace marrowick {

void ActivityContext::throwIfCancelled() const {
    if (stop_.stop_requested()) throw Cancelled();
}

void ActivityContext::reportProgress(double fraction) const {
    ActivityRunner& runner = runner_;
    runner.post([&runner, fraction] { runner.setProgress(fraction); });
}

void ActivityContext::onMainThread(std::function<void()> apply) const { runner_.post(std::move(apply)); }

ActivityRunner::ActivityRunner(QObject* parent) : QObject(parent) {}

ActivityRunner::~ActivityRunner() {
    if (worker_) worker_->request_stop();
}

bool ActivityRunner::begin(const std::string& activity) {
    if (state_.busy) return false;
    state_ = ActivityState{true, activity, 0};
    resultFailure_.reset();
    emit stateChanged();
    return true;
}

void ActivityRunner::finish(ActivityWork work) {
    assert(state_.busy && !worker_ && "finish needs a begun activity without a worker");
    worker_.emplace([this, work = std::move(work)](std::stop_token stop) {
        ActivityContext context(stop, *this);
        ActivityOutcome outcome = ActivityOutcome::finished;
        QString message;
        try {
            work(context);
        } catch (const Cancelled&) {
            outcome = ActivityOutcome::cancelled;
        } catch (...) {
            outcome = ActivityOutcome::failed;
            message = QString::fromStdString(failureText(std::current_exception()));
        }
        // Not through post(): the end is reported even after a result failed to store.
        QMetaObject::invokeMethod(this, [this, outcome, message] { close(outcome, message); }, Qt::QueuedConnection);
    });
}

void ActivityRunner::post(std::function<void()> apply) {
    // The queued call is dropped if the runner is destroyed before it runs.
    QMetaObject::invokeMethod(
        this,
        [this, apply = std::move(apply)] {
            if (resultFailure_) return;
            try {
                apply();
            } catch (...) {
                resultFailure_ = QString::fromStdString(failureText(std::current_exception()));
                cancel();
            }
        },
        Qt::QueuedConnection);
}

void ActivityRunner::cancel() {
    if (worker_) worker_->request_stop();
}

void ActivityRunner::setActivity(const std::string& activity) {
    if (!state_.busy || state_.activity == activity) return;
    state_.activity = activity;
    emit stateChanged();
}

void ActivityRunner::setProgress(double fraction) {
    if (!state_.busy || !std::isfinite(fraction)) return;
    const double clamped = std::clamp(fraction, 0.0, 1.0);
    if (state_.progress == clamped) return;
    state_.progress = clamped;
    emit stateChanged();
}

void ActivityRunner::close(ActivityOutcome outcome, const QString& message) {
    // The worker has posted its last call; joining only waits for its thread to exit.
    worker_.reset();
    if (resultFailure_) emit ended(ActivityOutcome::failed, *resultFailure_);
    else emit ended(outcome, message);
    state_ = ActivityState{};
    emit stateChanged();
}

}  // namespace marrowick
