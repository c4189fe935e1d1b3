// The activity model: begin, a worker thread per activity, results and the end posted back.
#include "workspace/activity_runner.h"

#include <algorithm>
#include <cassert>
#include <cmath>
#include <exception>

#include "model/review_error.h"

namespace marrowick {

ActivityContext::ActivityContext(std::stop_token stop, QObject* mainThreadReceiver,
                                 std::function<void(double)> setProgress)
    : stop_(std::move(stop)), receiver_(mainThreadReceiver), setProgress_(std::move(setProgress)) {}

void ActivityContext::throwIfCancelled() const {
    if (stop_.stop_requested()) throw Cancelled();
}

void ActivityContext::reportProgress(double fraction) const {
    onMainThread([setProgress = setProgress_, fraction] { setProgress(fraction); });
}

void ActivityContext::onMainThread(std::function<void()> apply) const {
    // The receiver outlives the worker (it joins it), so posting is safe; the queued call is
    // dropped if the receiver is destroyed before it runs.
    QMetaObject::invokeMethod(receiver_.data(), std::move(apply), Qt::QueuedConnection);
}

ActivityRunner::ActivityRunner(QObject* parent) : QObject(parent) {}

ActivityRunner::~ActivityRunner() {
    if (worker_) worker_->request_stop();
}

bool ActivityRunner::begin(const std::string& activity) {
    if (state_.busy) return false;
    state_ = ActivityState{true, activity, 0};
    emit stateChanged();
    return true;
}

void ActivityRunner::finish(ActivityWork work) {
    assert(state_.busy && !worker_ && "finish needs a begun activity without a worker");
    worker_.emplace([this, work = std::move(work)](std::stop_token stop) {
        ActivityContext context(stop, this, [this](double fraction) { setProgress(fraction); });
        ActivityOutcome outcome = ActivityOutcome::finished;
        QString message;
        try {
            work(context);
        } catch (const Cancelled&) {
            outcome = ActivityOutcome::cancelled;
        } catch (const std::exception& error) {
            outcome = ActivityOutcome::failed;
            message = QString::fromStdString(error.what());
        } catch (...) {
            outcome = ActivityOutcome::failed;
            message = QStringLiteral("The operation failed.");
        }
        context.onMainThread([this, outcome, message] { close(outcome, message); });
    });
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
    emit ended(outcome, message);
    state_ = ActivityState{};
    emit stateChanged();
}

}  // namespace marrowick
