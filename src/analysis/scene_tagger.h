// Scene labels of a picture from measurable properties (no trained network): a small vocabulary.
#pragma once

#include <string>
#include <vector>

#include "model/rgba_image.h"

namespace marrowick {

// One label with its confidence in 0...1. Identifiers join words with "_".
struct SceneLabel {
    std::string identifier;
    float confidence = 0;
    friend bool operator==(const SceneLabel&, const SceneLabel&) = default;
};

namespace SceneTagger {

// The vocabulary, each label backed by one measurement (docs/feature-print.md):
// "dark", "bright" (mean brightness), "monochrome" (mean colourfulness), "high_contrast"
// (spread between the 5th and 95th brightness percentiles), "sky" (smooth blue in the top third),
// "vegetation" (textured green), "text_or_graphics" (flat mid-tone areas next to sharp edges).
inline constexpr const char* kVocabulary[] = {"dark",       "bright",     "monochrome",      "high_contrast",
                                              "sky",        "vegetation", "text_or_graphics"};

// Every label with a confidence above zero, most confident first (vocabulary order for ties).
std::vector<SceneLabel> labels(const RgbaImage& image);

}  // namespace SceneTagger
}  // namespace marrowick
