// A shot's middle picture, feature print and scene labels, and the visual groups of a project.
#pragma once

#include <stop_token>
#include <string>
#include <vector>

#include "analysis/media_file.h"
#include "model/rgba_image.h"
#include "analysis/scene_tagger.h"
#include "model/film.h"
#include "model/shared_vector.h"
#include "model/shot.h"

namespace marrowick::ShotImaging {

inline constexpr int kThumbnailWidth = 480;
inline constexpr int kThumbnailHeight = 300;
inline constexpr double kFrameTolerance_s = 0.1;
inline constexpr double kTimescale = 60000;
inline constexpr int kJpegQuality = 75;
inline constexpr float kLabelConfidence = 0.12f;
inline constexpr std::size_t kMaxLabels = 3;

// The middle of a shot's range on the 1/60000 s grid: the time its picture is taken at.
double middleOf(double start, double end);

// The shot with `thumbnail`, `feature` and `category` taken from the picture at the middle of its
// range in the film's source (upright, within 480 x 300, within 0.1 s of the middle). Other fields
// are untouched. Throws ReviewError when no picture can be read.
Shot enrich(Shot shot, const Film& film);
// The same from the film's source already open (every shot of one film: one opening).
Shot enrich(Shot shot, MediaFile& source);

// The same three fields from a picture already at hand.
Shot describe(Shot shot, const RgbaImage& picture);

// Labels at or above 0.12 in the order given, the first three, "_" read as a space, joined by ", ".
std::string categoryText(const std::vector<SceneLabel>& labels);

// Sets every shot's `group`: 0 without a feature print; otherwise the number of the nearest group
// whose first shot's print lies within `threshold` (the earliest group on equal distances), or a
// new group numbered after the last. Throws ReviewError for a stored print it cannot read, and
// Cancelled before any shot once a stop is requested.
SharedVector<Shot> group(SharedVector<Shot> shots, float threshold, std::stop_token stop = {});

}  // namespace marrowick::ShotImaging
