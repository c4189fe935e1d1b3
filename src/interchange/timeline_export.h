// The review as a timeline the editor opens beside the cut: OpenTimelineIO or a CMX 3600 EDL.
#pragma once

#include <filesystem>
#include <string>

#include "model/project.h"

namespace marrowick::TimelineExport {

// One video track per film, one clip per shot in time order at the film's frame rate; each
// clip carries a marker named and coloured after its decision, the note as the marker's
// comment, and the shot's identity, decision, note, category and group in its metadata. Source
// ranges (and each film's available range) count in the film's own timecode, its start timecode
// plus the frames before; the timeline starts at the first film's start timecode.
std::string otio(const Project& project);

// One event per shot: source times in the film's own timecode, the films one after another on the
// record side from 01:00:00:00. Each event's clip name, decision and note follow as comments, and a
// locator marks its decision. Throws ReviewError naming both rates when two films count timecode
// differently (25 fps and 29.97 fps drop frame), since one list cannot mix them.
std::string edl(const Project& project);

// Writes `otio` or `edl` by the file's extension (".otio", ".edl"), atomically. Throws
// ReviewError for a review without films, another extension, or a failed write.
void write(const Project& project, const std::filesystem::path& file);

}  // namespace marrowick::TimelineExport
