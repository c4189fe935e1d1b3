// The generated films the labelled-copy tests export, a reviewed project around one of them, and
// a reader of the movies they write.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "model/project.h"

namespace marrowick::testing {

inline std::filesystem::path testFilm(const std::string& name) {
    return std::filesystem::path(MARROWICK_TEST_FILMS_DIR) / name;
}

// A project of one film of the given upright size and duration whose shots tile it with the given
// decisions, one shot per second.
Project projectOf(const std::filesystem::path& path, int width, int height, double duration,
                  const std::vector<Disclosure>& decisions);

// labels.mp4 (640 x 360, three 1 s shots): generated, none, modified; labels 30 % of the width.
Project labelsProject();

// Every decoded picture of a movie's first video track: its time and its luma plane (8-bit samples,
// or 10-bit samples scaled to 8), stored orientation.
struct DecodedMovie {
    int width = 0;
    int height = 0;
    std::vector<double> times;
    std::vector<std::vector<float>> luma;
};
DecodedMovie decodeLuma(const std::filesystem::path& movie);

// What the streams of a written movie say about themselves.
struct MovieStreams {
    std::vector<std::string> codecs;  // in stream order
    std::string videoProfile;
    std::string pixelFormat;
    int width = 0;
    int height = 0;
    bool rotated = false;
    double duration = 0;
};
MovieStreams probeMovie(const std::filesystem::path& movie);

}  // namespace marrowick::testing
