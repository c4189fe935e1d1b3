// One shot range of one film, with the reviewer's decision.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "model/blob.h"
#include "model/disclosure.h"
#include "model/uuid.h"

namespace marrowick {

// A decision an earlier cut's review made on the same frames: a suggestion until a person accepts it.
struct CarriedDecision {
    Uuid filmID;                 // the earlier film
    double start = 0;            // the earlier frames the shot matched, seconds on that film
    double end = 0;
    Disclosure disclosure = Disclosure::unreviewed;
    std::string project;         // the earlier review file's name, when it came from another file

    friend bool operator==(const CarriedDecision&, const CarriedDecision&) = default;
};

struct Shot {
    Uuid id;
    Uuid filmID;
    double start = 0;              // inclusive, seconds
    double end = 0;                // exclusive, seconds
    double boundaryScore = 0;
    Disclosure disclosure = Disclosure::unreviewed;
    std::string note;
    std::string category;
    std::int64_t group = 0;        // 0: not grouped
    Blob thumbnail;                // JPEG; null when absent
    Blob feature;                  // feature print; null when absent
    std::string assistantNote;
    std::optional<CarriedDecision> carriedFrom;  // only on an unreviewed shot

    // After a range change: unreviewed, no thumbnail or feature print, ungrouped, no carried decision.
    void reset();

    friend bool operator==(const Shot& a, const Shot& b);
};

// Starts fetching the fields scans read (identities, range, score, decision) ahead of use.
inline void prefetchShot(const Shot& shot) {
    __builtin_prefetch(&shot.id);
    __builtin_prefetch(&shot.disclosure);
}

}  // namespace marrowick
