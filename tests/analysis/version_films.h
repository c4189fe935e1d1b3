// The generated film and its versions (make-version-films), decoded once per test program.
#pragma once

#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "analysis/colour_difference_scorer.h"
#include "analysis/film_signatures.h"
#include "analysis/shot_detector.h"

namespace marrowick::testing {

inline std::filesystem::path versionFilm(const std::string& name) {
    return std::filesystem::path(MARROWICK_VERSION_FILMS_DIR) / name;
}

// A film as an import detects it: the film, its shots and the signatures of the same decode.
struct DetectedFilm {
    Film film;
    std::vector<Shot> shots;
    std::shared_ptr<FilmSignatures> signatures;
};

inline DetectedFilm detectVersion(const std::string& name) {
    static std::map<std::string, DetectedFilm> decoded;
    if (auto found = decoded.find(name); found != decoded.end()) return found->second;
    ShotDetector detector(std::make_unique<ColourDifferenceScorer>());
    auto signatures = std::make_shared<FilmSignatures>();
    signatures->details.emplace();
    auto [film, shots] = detector.detect(versionFilm(name), 0.5, {}, {}, {}, nullptr, signatures.get());
    return decoded[name] = DetectedFilm{std::move(film), std::move(shots), std::move(signatures)};
}

}  // namespace marrowick::testing
