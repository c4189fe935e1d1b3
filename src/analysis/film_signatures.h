// The frame keys of a whole film, and the frame details of a decode kept on disk while it is used.
#pragma once

#include <cstddef>
#include <cstdio>
#include <memory>
#include <optional>
#include <vector>

#include "analysis/frame_signature.h"

namespace marrowick {

// One key per decoded frame, in decoding order, with the frame's time and the film's nominal
// rate. What the signature cache keeps: 80 bytes a frame.
struct FilmKeys {
    double fps = 0;
    std::vector<double> times;
    std::vector<FrameKey> keys;
};

// The frame details of every frame of one decode, in a temporary file that is removed with the
// object (1.5 kB a frame; a two-hour film would not fit in memory comfortably).
class FrameDetails {
public:
    FrameDetails();
    FrameDetails(FrameDetails&&) noexcept = default;
    FrameDetails& operator=(FrameDetails&&) noexcept = default;

    // Throws ReviewError when the temporary file cannot be written or read.
    void append(const FrameDetail& detail);
    FrameDetail at(std::size_t frame) const;
    std::size_t size() const { return count_; }

private:
    struct Closer {
        void operator()(std::FILE* file) const { std::fclose(file); }
    };
    std::unique_ptr<std::FILE, Closer> file_;
    std::size_t count_ = 0;
};

// Keys, and details when wanted, of the frames of one decode as they arrive.
struct FilmSignatures {
    FilmKeys keys;
    std::optional<FrameDetails> details;

    void add(const TinyFrame& frame);
};

}  // namespace marrowick
