// Films imported with their editors' cut lists: every list read and checked before anything is
// imported, then each film's detected shots replaced by the list's.
#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "interchange/cut_list.h"
#include "model/film.h"
#include "model/film_time.h"
#include "model/shot.h"

namespace marrowick {

// A video and the cut list that belongs to it.
struct CutListPair {
    std::filesystem::path video;
    std::filesystem::path cutList;
};

// What the import needs to know of a video before decoding it.
struct MediaTiming {
    double duration = 0;
    double frameRate = 0;
    std::string timecode;  // the "timecode" tag, empty when absent
};

using MediaTimingReader = std::function<MediaTiming(const std::filesystem::path& video)>;

class CutListImport {
public:
    // Reads every list at its video's frame rate and checks it against the video's timing.
    // Throws the first ReviewError, so that a bad pair stops the import before it starts. Its
    // messages and the "Check boundaries" notes write times in `display`.
    CutListImport(const std::vector<CutListPair>& pairs, const MediaTimingReader& timing,
                  TimeDisplay display = TimeDisplay::seconds);

    // The videos in the order given.
    std::vector<std::filesystem::path> videos() const;

    // For the import pipeline: replaces the shots detection found in `video` with the cut list's,
    // names the list as the film's detector, and marks each shot where detection disagrees (a
    // "Check boundaries" note and a lowered boundary score).
    void applyTo(const std::filesystem::path& video, Film& film, std::vector<Shot>& shots) const;

private:
    struct Entry {
        std::filesystem::path video;
        std::filesystem::path cutList;
        CutList list;
    };
    std::vector<Entry> entries_;
    TimeDisplay display_;
};

}  // namespace marrowick
