// One shot range of one film, with the reviewer's decision.
#pragma once

#include <cstdint>
#include <string>

#include "model/blob.h"
#include "model/disclosure.h"
#include "model/uuid.h"

namespace marrowick {

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

    // After a range change: unreviewed, no thumbnail or feature print, ungrouped.
    void reset();

    friend bool operator==(const Shot& a, const Shot& b);
};

// Starts fetching the fields scans read (identities, range, score, decision) ahead of use.
inline void prefetchShot(const Shot& shot) {
    __builtin_prefetch(&shot.id);
    __builtin_prefetch(&shot.disclosure);
}

}  // namespace marrowick
