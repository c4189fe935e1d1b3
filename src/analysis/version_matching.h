// Finding where the frames of a new shot lie in an earlier, reviewed film, by frame keys.
#pragma once

#include <cstddef>
#include <utility>
#include <vector>

#include "analysis/film_signatures.h"
#include "analysis/span_details.h"
#include "model/shot.h"

namespace marrowick {

// New frames [laterFirst, laterFirst + count) shown as earlier frames [earlierFirst, ...), in order.
struct FrameRun {
    std::size_t laterFirst = 0;
    std::size_t earlierFirst = 0;
    std::size_t count = 0;
    friend bool operator==(const FrameRun&, const FrameRun&) = default;
};

// The frames whose times lie in [start, end): first and count.
std::pair<std::size_t, std::size_t> framesWithin(const std::vector<double>& times, double start, double end);

// Each frame's decision: that of the shot whose range holds the frame's time (shots of this film
// only), unreviewed when no shot does.
std::vector<Disclosure> frameDecisions(const std::vector<double>& times, const std::vector<Shot>& shots);

// An earlier film's keys, ordered by brightness so that candidates for a frame are found by a
// range lookup rather than a walk over every frame.
class KeyLookup {
public:
    explicit KeyLookup(const FilmKeys& keys);
    // Earlier frames whose keys match the key.
    std::vector<std::size_t> matching(const FrameKey& key) const;

private:
    const FilmKeys& keys_;
    std::vector<std::pair<int, std::size_t>> byBrightness_;
};

// The runs that show new frames [first, first + count) as contiguous earlier frames whose keys
// all match, in earlier-frame order; `complete` is false when there were more than `limit`
// (a still picture held for long), and then none can be trusted to be the right one.
struct RunSearch {
    std::vector<FrameRun> runs;
    bool complete = true;
};
RunSearch findRuns(const FilmKeys& later, std::size_t first, std::size_t count, const FilmKeys& earlier,
                   const KeyLookup& lookup, std::size_t limit = 64);

// The decision over the run's earlier frames when they all share one; unreviewed otherwise.
Disclosure runDecision(const FrameRun& run, const std::vector<Disclosure>& decisions);

// Whether every frame of the run matches in detail.
bool runVerified(const FrameRun& run, const FrameDetails& later, const SpanDetails& earlier);

}  // namespace marrowick
