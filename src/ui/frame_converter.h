// Converts the newest video frame for the screen on a thread of its own.
#pragma once

#include <condition_variable>
#include <mutex>
#include <optional>
#include <stop_token>
#include <thread>

#include <QImage>
#include <QObject>
#include <QSize>
#include <QVideoFrame>

namespace marrowick {

// The main thread hands frames over and receives finished pictures through `converted`; it never
// converts or scales a frame itself. A frame handed over while another converts replaces any
// frame still waiting, so the converter always works on the newest one and never falls behind.
class FrameConverter : public QObject {
    Q_OBJECT

public:
    explicit FrameConverter(QObject* parent = nullptr);
    ~FrameConverter() override;

    // Asks for `frame` upright at `size` (see VideoFrameScaler::scaled).
    void convert(const QVideoFrame& frame, const QSize& size);

signals:
    // Emitted on the converter's thread; connections to main-thread objects are queued.
    void converted(const QImage& picture);

private:
    struct Job {
        QVideoFrame frame;
        QSize size;
    };

    void run(std::stop_token stop);

    std::mutex mutex_;
    std::condition_variable_any wake_;
    std::optional<Job> waiting_;
    std::jthread worker_;  // last: stopped and joined before the members above go
};

}  // namespace marrowick
