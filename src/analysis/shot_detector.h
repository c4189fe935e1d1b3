// Shot boundary detection: one video file in, a film record and the shots that tile it out.
#pragma once

#include <filesystem>
#include <functional>
#include <memory>
#include <stop_token>
#include <string>
#include <utility>
#include <vector>

#include "analysis/middle_frames.h"
#include "analysis/shot_scorer.h"
#include "model/film.h"
#include "model/shot.h"

namespace marrowick {

struct FilmSignatures;

// The scorer's verdict on one decoded frame.
struct FramePrediction {
    double time = 0;        // seconds
    double score = 0;       // cut score ("single"), compared with the threshold
    double transition = 0;  // transition score, kept beside it
};

// A shot start and the score of the cut that opens it.
struct Boundary {
    double start = 0;
    double score = 0;
    friend bool operator==(const Boundary&, const Boundary&) = default;
};

// What decoding a film met besides its pictures, for the activity text.
struct DecodeNotes {
    std::int64_t damagedFrames = 0;  // damaged packets or pictures, concealed or skipped
    // "12 damaged frames skipped or concealed" (empty when there were none).
    std::string text() const;
};

class ShotDetector {
public:
    // The relative path of the TransNetV2 weights under the resource root.
    static constexpr const char* kWeightsPath = "Models/TransNetV2/TransNetV2.safetensors";

    // Runs TransNetV2 when its weights are installed under the resource root, otherwise the
    // built-in colour-difference scorer. Throws ReviewError when installed weights cannot be read.
    explicit ShotDetector(const std::filesystem::path& resourceRoot);
    explicit ShotDetector(std::unique_ptr<ShotScorer> scorer);

    // The name written into each film's `detector` field.
    std::string detectorName() const;

    // Decodes every frame, scores 100-frame windows, places cuts and fingerprints the file.
    // progress receives fractions up to 0.99 after every window and 1.0 at the end. Throws
    // ReviewError with the user-facing message, or Cancelled once a stop is requested. When
    // middlePictures is set, it receives the middle picture of each shot it can take on the way
    // (see MiddleFrames), as soon as the shot's end is known. A damaged file is detected over
    // what decodes; notes, when given, receive what was damaged. The film lasts as long as the
    // container says, or up to the end of its last frame when frames lie at or past that.
    // signatures, when given, receive every analysis frame's signature from the same decode.
    std::pair<Film, std::vector<Shot>> detect(const std::filesystem::path& url, double threshold,
                                              const std::function<void(double)>& progress, std::stop_token stop = {},
                                              const MiddleFrames::Sink& middlePictures = {},
                                              DecodeNotes* notes = nullptr, FilmSignatures* signatures = nullptr);

    // Shot starts from per-frame scores: each run of scores at or above the threshold gives at
    // most one cut, on the frame after the run's highest (earliest of equal) score. Always starts
    // with (0.0, 1.0); a cut not after the previous start plus 1e-6, or not before the duration,
    // is dropped.
    static std::vector<Boundary> boundaries(const std::vector<FramePrediction>& predictions, double threshold,
                                            double duration);

    // Shots of the film tiling 0 ... duration, one per boundary that leaves a non-empty range.
    static std::vector<Shot> shots(const Film& film, const std::vector<Boundary>& boundaries);

private:
    std::unique_ptr<ShotScorer> scorer_;
};

}  // namespace marrowick
