// The machine-readable disclosure of one film's output: what its XMP packet states, worked out from
// the review (the IPTC digital source type, the labelled ranges in frames, the work-level note).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "model/film.h"
#include "model/project.h"
#include "model/shot.h"

namespace marrowick {

// IPTC's digital source type for media that combine captured content with AI-generated or
// AI-modified content.
inline constexpr const char* kCompositeWithTrainedAlgorithmicMedia =
    "http://cv.iptc.org/newscodes/digitalsourcetype/compositeWithTrainedAlgorithmicMedia";

// The name of the one marker track that holds the labelled ranges.
inline constexpr const char* kDisclosureTrackName = "AI disclosure";

// One labelled shot: frames [startFrame, startFrame + durationFrames) at the metadata's frame rate,
// and the decision (modified or generated).
struct DisclosureMarker {
    std::int64_t startFrame = 0;
    std::int64_t durationFrames = 0;
    Disclosure decision = Disclosure::generated;

    friend bool operator==(const DisclosureMarker&, const DisclosureMarker&) = default;
};

struct DisclosureMetadata {
    std::optional<std::string> digitalSourceType;  // absent when no shot is labelled
    std::string description;                       // the work-level note of the disclosure record
    std::string frameRate;                         // XMP frame rate: "f25", "f30000s1001"
    std::vector<DisclosureMarker> markers;         // by start

    friend bool operator==(const DisclosureMetadata&, const DisclosureMetadata&) = default;
};

// A frame rate as an exact ratio of whole numbers: the smallest denominator up to 1001 that
// reproduces `fps` to a billionth, else thousandths. Not positive or not finite reads as 1/1.
struct FrameRate {
    std::int64_t numerator = 1;
    std::int64_t denominator = 1;

    static FrameRate of(double fps);
    // "f<numerator>", with "s<denominator>" when the denominator is not 1.
    std::string xmpText() const;
    // The frame nearest to a time, counted from 0; never negative.
    std::int64_t frameAt(double seconds) const;
};

// The metadata of `film`'s output: one marker per modified or generated shot of `shots` (its
// frames at the film's rate), the composite digital source type when there is any, and the
// project's work-level note (workDisclosureNote) with the characters XML cannot carry (controls
// other than tab, line feed and carriage return, DEL, U+FFFE, U+FFFF) as spaces.
DisclosureMetadata disclosureMetadata(const Film& film, const std::vector<Shot>& shots, const Project& project);

}  // namespace marrowick
