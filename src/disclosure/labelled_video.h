// The labelled display copy of one film: a QuickTime movie of the source with the EU label drawn
// over every frame of every shot decided as modified or generated, and nowhere else.
#pragma once

#include <cstddef>
#include <filesystem>
#include <functional>
#include <stop_token>
#include <string>
#include <vector>

#include "model/film.h"
#include "model/project.h"
#include "model/shot.h"

namespace marrowick::Exporter {

// Receives the share of the film written so far, 0 to 1, a few times a second and 1 at the end.
using VideoProgress = std::function<void(double fraction)>;

// "<position>-<file name without extension>-labelled.mov", position counted from 1.
std::string labelledVideoName(std::size_t position, const Film& film);

// Writes the display copy of `film` to `to`: H.264 High (visually lossless) for 8-bit sources,
// ProRes 422 HQ for deeper ones, the source's upright raster, frames and times, every audio track,
// and the film's disclosure as XMP (XmpPacket), read back once written. `shots` are the film's
// shots; `project` gives the label settings. Throws ReviewError ("Review every shot in this film
// before video export.", "Source changed since review: ...", the exporter and raster messages,
// "Video export did not finish.", artwork, hashing, decoding, writing and XMP errors) or Cancelled
// once `stop` is requested. `to` is left only when the movie and its disclosure are complete.
void labelledVideo(const Film& film, const std::vector<Shot>& shots, const Project& project,
                   const std::filesystem::path& to, const std::filesystem::path& resourceRoot,
                   const VideoProgress& progress, std::stop_token stop = {});

}  // namespace marrowick::Exporter
