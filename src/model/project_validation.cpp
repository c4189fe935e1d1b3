// Project::validated: the one gate for a project entering, leaving or changing in the workspace.
// The rules run in a fixed order and the first broken one names the failure. Shots are read once:
// their identities go into a hash table, and their ranges are bucketed by film and sorted once.
#include <algorithm>
#include <array>
#include <cmath>
#include <span>
#include <string_view>

#include "model/film_time.h"
#include "model/internal/finite_range.h"
#include "model/internal/grapheme_count.h"
#include "model/internal/uuid_table.h"
#include "model/project.h"
#include "model/review_error.h"

namespace marrowick {
namespace {

constexpr std::size_t kMaxFilms = 1000;
constexpr std::size_t kMaxShots = 200000;
constexpr std::size_t kMaxLabelLayouts = 4000;
constexpr std::size_t kMaxLayoutKeyLength = 260;
constexpr std::int64_t kMaxPixels = 32768;
constexpr std::uint32_t kNoFilm = UINT32_MAX;
constexpr const char* kSettingsMessage = "Invalid project settings or duplicate IDs.";
constexpr std::array<std::string_view, 4> kCorners = {"Bottom right", "Bottom left", "Top right", "Top left"};

[[noreturn]] void reject(const char* message) { throw ReviewError(message); }

// A shot's range as coverage sees it. A shot whose boundary score is not finite breaks coverage
// wherever it stands, so its start is stored as not-a-number instead of keeping the score.
struct Span {
    double start;
    double end;
};

// What validation needs of the shots, gathered in one pass in `shots` order.
struct ShotFacts {
    std::vector<std::uint32_t> film;  // index into films, or kNoFilm
    std::vector<Span> spans;
};

UuidTable filmTable(const std::vector<Film>& films) {
    UuidTable table(films.size(), [&films](std::uint32_t position) -> const Uuid& { return films[position].id; });
    for (std::uint32_t i = 0; i < films.size(); ++i)
        if (!table.insert(films[i].id, i)) reject(kSettingsMessage);
    return table;
}

Span spanOf(const Shot& shot) {
    return {std::isfinite(shot.boundaryScore) ? shot.start : std::nan(""), shot.end};
}

// Remembers the film of the previous shot: consecutive shots usually share a film.
class FilmLookup {
public:
    explicit FilmLookup(const UuidTable& films) : films_(films) {}
    std::uint32_t operator()(const Uuid& filmID) {
        if (!known_ || filmID != lastID_) {
            last_ = films_.find(filmID).value_or(kNoFilm);
            lastID_ = filmID;
            known_ = true;
        }
        return last_;
    }

private:
    const UuidTable& films_;
    Uuid lastID_;
    std::uint32_t last_ = kNoFilm;
    bool known_ = false;
};

// One pass over the shots: identities into a hash table (a repeated one fails at once), and each
// shot's film and range. The list is far larger than the caches, so the shot and the table slot
// needed a few steps ahead are fetched early; this pass is most of the cost of validation.
ShotFacts gatherShots(const SharedVector<Shot>& shots, const UuidTable& films) {
    constexpr std::size_t kShotAhead = 16;  // far enough to cover a memory read
    constexpr std::size_t kSlotAhead = 8;   // that shot's line has been asked for by now
    ShotFacts facts;
    facts.film.reserve(shots.size());
    facts.spans.reserve(shots.size());
    UuidTable ids(shots.size(), [&shots](std::uint32_t position) -> const Uuid& { return shots[position].id; });
    FilmLookup filmOf(films);
    std::uint32_t position = 0;
    shots.forEachChunk([&](const void*, const std::vector<Shot>& chunk) {
        for (std::size_t i = 0; i < chunk.size(); ++i, ++position) {
            if (i + kShotAhead < chunk.size()) prefetchShot(chunk[i + kShotAhead]);
            if (i + kSlotAhead < chunk.size()) ids.prefetch(chunk[i + kSlotAhead].id);
            const Shot& shot = chunk[i];
            if (!ids.insert(shot.id, position)) reject(kSettingsMessage);
            facts.film.push_back(filmOf(shot.filmID));
            facts.spans.push_back(spanOf(shot));
        }
    });
    return facts;
}

bool settingsValid(const Project& project) {
    return within(project.threshold, 0.05, 0.95) && within(project.labelWidth, 0.08, 0.4) &&
           within(project.groupingThreshold, 0.05f, 1.0f) &&
           std::find(kCorners.begin(), kCorners.end(), project.corner) != kCorners.end();
}

void checkLabelLayouts(const LabelLayouts& layouts, const std::set<std::string>& safeZoneProfileIDs) {
    if (layouts.size() > kMaxLabelLayouts) reject("Too many label layouts.");
    for (const auto& [key, layout] : layouts) {
        const bool prefixed = key.starts_with("aspect:") || key.starts_with("preset:");
        if (!prefixed || !graphemeCountAtMost(key, kMaxLayoutKeyLength)) reject("Invalid label layout key.");
        layout.validate(safeZoneProfileIDs);
    }
}

bool mediaTimingValid(const Film& film) {
    return std::isfinite(film.duration) && film.duration > 0 && std::isfinite(film.fps) && film.fps > 0 &&
           film.width >= 1 && film.width <= kMaxPixels && film.height >= 1 && film.height <= kMaxPixels;
}

// Finite and strictly increasing is known from when the list was made; then the ends decide.
bool frameTimesValid(const FrameTimeList& times, double duration) {
    return !times.empty() && times.finiteAndStrictlyIncreasing() && times.front() >= 0 && times.back() <= duration;
}

// A film's shots as positions into ShotFacts::spans, in ascending start order; equal starts keep
// their order in `shots`.
void sortByStart(std::span<std::uint32_t> order, const std::vector<Span>& spans) {
    const auto byStart = [&](std::uint32_t a, std::uint32_t b) { return spans[a].start < spans[b].start; };
    if (!std::is_sorted(order.begin(), order.end(), byStart)) std::stable_sort(order.begin(), order.end(), byStart);
}

bool finiteSpan(const Span& span) { return std::isfinite(span.start) && std::isfinite(span.end); }

void checkCoverage(std::span<std::uint32_t> order, const std::vector<Span>& spans, double duration) {
    if (order.empty()) reject("A film has no shots.");
    const char* gap = "Shot ranges must cover each film without overlaps or gaps.";
    // Sorting needs comparable starts; a non-finite value fails the walk wherever it stands.
    if (!std::all_of(order.begin(), order.end(), [&](std::uint32_t i) { return finiteSpan(spans[i]); })) reject(gap);
    sortByStart(order, spans);
    double runningEnd = 0;
    for (const std::uint32_t i : order) {
        const Span& span = spans[i];
        const bool fits = span.start < span.end && std::fabs(span.start - runningEnd) < kRangeTolerance &&
                          span.end <= duration + kRangeTolerance;
        if (!fits) reject(gap);
        runningEnd = span.end;
    }
    if (!(std::fabs(runningEnd - duration) < kRangeTolerance)) reject("Incomplete film coverage.");
}

// Positions of each film's shots, contiguous per film and in `shots` order (a counting sort).
struct FilmBuckets {
    std::vector<std::uint32_t> positions;
    std::vector<std::size_t> begin;  // films + 1 offsets into positions

    std::span<std::uint32_t> of(std::size_t film) {
        return {positions.data() + begin[film], begin[film + 1] - begin[film]};
    }
};

FilmBuckets bucketByFilm(const std::vector<std::uint32_t>& filmOfShot, std::size_t filmCount) {
    FilmBuckets buckets;
    buckets.begin.assign(filmCount + 1, 0);
    for (std::uint32_t film : filmOfShot)
        if (film != kNoFilm) ++buckets.begin[film + 1];
    for (std::size_t i = 0; i < filmCount; ++i) buckets.begin[i + 1] += buckets.begin[i];
    buckets.positions.resize(buckets.begin[filmCount]);
    std::vector<std::size_t> next(buckets.begin.begin(), buckets.begin.end() - 1);
    for (std::uint32_t i = 0; i < filmOfShot.size(); ++i)
        if (filmOfShot[i] != kNoFilm) buckets.positions[next[filmOfShot[i]]++] = i;
    return buckets;
}

void checkFilms(const std::vector<Film>& films, const ShotFacts& facts) {
    FilmBuckets buckets = bucketByFilm(facts.film, films.size());
    for (std::size_t i = 0; i < films.size(); ++i) {
        const Film& film = films[i];
        if (!mediaTimingValid(film)) reject("Invalid media timing in project.");
        if (film.frameTimes && !frameTimesValid(*film.frameTimes, film.duration))
            reject("Invalid source frame timestamps.");
        if (!FilmTime::timecodeValid(film)) reject("Invalid film timecode.");
        checkCoverage(buckets.of(i), facts.spans, film.duration);
    }
}

}  // namespace

const Project& Project::validated(const std::set<std::string>& safeZoneProfileIDs) const {
    if (schema != kProjectSchema) reject("This project version is unsupported.");
    if (films.size() > kMaxFilms || shots.size() > kMaxShots || !settingsValid(*this))
        reject(kSettingsMessage);
    const ShotFacts facts = gatherShots(shots, filmTable(films));
    if (labelLayouts) checkLabelLayouts(*labelLayouts, safeZoneProfileIDs);
    checkFilms(films, facts);
    if (std::find(facts.film.begin(), facts.film.end(), kNoFilm) != facts.film.end())
        reject("Shot refers to an unknown film.");
    return *this;
}

}  // namespace marrowick
