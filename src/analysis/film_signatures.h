// The frame keys of a whole film, and the frame details of a decode kept on disk while it is used.
#pragma once

#include <cstddef>
#include <cstdio>
#include <memory>
#include <optional>
#include <vector>

#include "analysis/frame_signature.h"
#include "analysis/media_file.h"

namespace marrowick {

// One key per decoded frame, in decoding order, with the frame's time and the film's nominal
// rate. What the signature cache keeps: 80 bytes a frame.
struct FilmKeys {
    double fps = 0;
    std::vector<double> times;
    std::vector<FrameKey> keys;
};

// Whether two decodes gave the same frames: the same times, and keys that match (a decode with
// the deblocking filter and one without differ by a few levels).
bool sameFrames(const FilmKeys& a, const FilmKeys& b);

// How to decode for signatures. Details compare pictures as encoded, so a decode that keeps them
// runs the in-loop deblocking filter: without it, errors build up over a group of pictures (on
// fine texture at 320 x 180, by up to 27 levels on a 4 x 3 block at the end of a 30-frame group,
// which kept unchanged shots from matching). Keys alone tolerate the faster decode.
MediaFile::Options signatureDecoding(bool withDetails);

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
