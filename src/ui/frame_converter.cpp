// The conversion thread: waits for a frame, converts the newest, hands the picture back.
#include "ui/frame_converter.h"

#include "ui/video_frame_scaler.h"

namespace marrowick {

FrameConverter::FrameConverter(QObject* parent)
    : QObject(parent), worker_([this](std::stop_token stop) { run(std::move(stop)); }) {}

FrameConverter::~FrameConverter() = default;

void FrameConverter::convert(const QVideoFrame& frame, const QSize& size) {
    {
        const std::lock_guard lock(mutex_);
        waiting_ = Job{frame, size};
    }
    wake_.notify_one();
}

void FrameConverter::run(std::stop_token stop) {
    VideoFrameScaler scaler;
    while (true) {
        std::optional<Job> job;
        {
            std::unique_lock lock(mutex_);
            if (!wake_.wait(lock, stop, [this] { return waiting_.has_value(); })) return;
            job.swap(waiting_);
        }
        const QImage picture = scaler.scaled(job->frame, job->size);
        job.reset();  // hand the frame back to the player's pool before the picture goes out
        if (!picture.isNull()) emit converted(picture);
    }
}

}  // namespace marrowick
