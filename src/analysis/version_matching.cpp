// Candidate runs by frame keys, the decisions under them and their verification in detail.
#include "analysis/version_matching.h"

#include <algorithm>

namespace marrowick {

namespace {

constexpr int kBrightnessReach = 4;  // a key's brightness moves at most this much on re-encoding

bool keysRun(const FilmKeys& later, std::size_t first, std::size_t count, const FilmKeys& earlier,
             std::size_t earlierFirst) {
    if (earlierFirst + count > earlier.keys.size()) return false;
    for (std::size_t k = 0; k < count; ++k)
        if (!keysMatch(later.keys[first + k], earlier.keys[earlierFirst + k])) return false;
    return true;
}

}  // namespace

std::pair<std::size_t, std::size_t> framesWithin(const std::vector<double>& times, double start, double end) {
    const auto from = std::lower_bound(times.begin(), times.end(), start);
    const auto to = std::lower_bound(from, times.end(), end);
    return {static_cast<std::size_t>(from - times.begin()), static_cast<std::size_t>(to - from)};
}

std::vector<Disclosure> frameDecisions(const std::vector<double>& times, const std::vector<Shot>& shots) {
    std::vector<Disclosure> decisions(times.size(), Disclosure::unreviewed);
    for (const Shot& shot : shots) {
        const auto [first, count] = framesWithin(times, shot.start, shot.end);
        std::fill_n(decisions.begin() + static_cast<std::ptrdiff_t>(first), count, shot.disclosure);
    }
    return decisions;
}

KeyLookup::KeyLookup(const FilmKeys& keys) : keys_(keys) {
    byBrightness_.reserve(keys.keys.size());
    for (std::size_t i = 0; i < keys.keys.size(); ++i) byBrightness_.emplace_back(keys.keys[i].brightness(), i);
    std::sort(byBrightness_.begin(), byBrightness_.end());
}

std::vector<std::size_t> KeyLookup::matching(const FrameKey& key) const {
    const int brightness = key.brightness();
    auto it = std::lower_bound(byBrightness_.begin(), byBrightness_.end(),
                               std::pair<int, std::size_t>{brightness - kBrightnessReach, 0});
    std::vector<std::size_t> result;
    for (; it != byBrightness_.end() && it->first <= brightness + kBrightnessReach; ++it)
        if (keysMatch(key, keys_.keys[it->second])) result.push_back(it->second);
    std::sort(result.begin(), result.end());
    return result;
}

Disclosure runDecision(const FrameRun& run, const std::vector<Disclosure>& decisions) {
    const Disclosure first = decisions[run.earlierFirst];
    for (std::size_t k = 1; k < run.count; ++k)
        if (decisions[run.earlierFirst + k] != first) return Disclosure::unreviewed;
    return first;
}

RunSearch findRuns(const FilmKeys& later, std::size_t first, std::size_t count, const FilmKeys& earlier,
                   const KeyLookup& lookup, std::size_t limit) {
    RunSearch search;
    if (count == 0) return search;
    for (std::size_t start : lookup.matching(later.keys[first])) {
        if (!keysRun(later, first, count, earlier, start)) continue;
        if (search.runs.size() == limit) {
            search.complete = false;
            break;
        }
        search.runs.push_back({first, start, count});
    }
    return search;
}

bool runVerified(const FrameRun& run, const FrameDetails& later, const SpanDetails& earlier) {
    if (run.laterFirst + run.count > later.size() || !earlier.holds(run.earlierFirst, run.count)) return false;
    for (std::size_t k = 0; k < run.count; ++k)
        if (!detailsMatch(earlier.at(run.earlierFirst + k), later.at(run.laterFirst + k))) return false;
    return true;
}

}  // namespace marrowick
