// Project::validated: the one gate for a project entering, leaving or changing in the workspace.
// The rules run in a fixed order and the first broken one names the failure. Shots are read once:
// their identities go into a hash table, and their ranges are bucketed by film and sorted once.
#include <algorithm>
#include <array>
#include <cmath>
#include <span>
#include <string_view>

#include "model/internal/grapheme_count.h"
#include "model/internal/uuid_table.h"
#include "model/project.h"
#include "model/review_error.h"

namespace marrowick {
namespace {

constexpr double kRangeTolerance = 0.0001;
constexpr std::size_t kMaxFilms = 1000;
constexpr std::size_t kMaxShots = 200000;
constexpr std::size_t kMaxLabelLayouts = 4000;
constexpr std::size_t kMaxLayoutKeyLength = 260;
constexpr std::int64_t kMaxPixels = 32768;
constexpr std::uint32_t kNoFilm = UINT32_MAX;
constexpr std::array<std::string_view, 4> kCorners = {"Bottom right", "Bottom left", "Top right", "Top left"};

[[noreturn]] void reject(const char* message) { throw ReviewError(message); }

bool within(double value, double low, double high) { return std::isfinite(value) && value >= low && value <= high; }

// A shot's range as coverage sees it.
struct Span {
    double start;
    double end;
    double score;
};

// What validation needs of the shots, gathered in one pass in `shots` order.
struct ShotFacts {
    std::vector<Uuid> ids;
    std::vector<std::uint32_t> film;  // index into films, or kNoFilm
    std::vector<Span> spans;
};

std::vector<Uuid> filmIDs(const std::vector<Film>& films) {
    std::vector<Uuid> ids;
    ids.reserve(films.size());
    for (const Film& film : films) ids.push_back(film.id);
    return ids;
}

// Film index of each shot; consecutive shots usually share a film, so the last answer is reused.
ShotFacts gatherShots(const SharedVector<Shot>& shots, const UuidTable& films) {
    ShotFacts facts;
    facts.ids.reserve(shots.size());
    facts.film.reserve(shots.size());
    facts.spans.reserve(shots.size());
    Uuid lastFilmID;
    std::uint32_t lastFilm = kNoFilm;
    bool haveLast = false;
    for (const Shot& shot : shots) {
        if (!haveLast || shot.filmID != lastFilmID) {
            lastFilm = films.find(shot.filmID).value_or(kNoFilm);
            lastFilmID = shot.filmID;
            haveLast = true;
        }
        facts.ids.push_back(shot.id);
        facts.film.push_back(lastFilm);
        facts.spans.push_back({shot.start, shot.end, shot.boundaryScore});
    }
    return facts;
}

bool allUnique(const std::vector<Uuid>& ids) {
    UuidTable table(ids.data(), ids.size());
    for (std::uint32_t i = 0; i < ids.size(); ++i)
        if (!table.insert(i)) return false;
    return true;
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

bool frameTimesValid(const std::vector<double>& times, double duration) {
    if (times.empty()) return false;
    double previous = -1;
    for (double time : times) {
        if (!within(time, 0, duration) || time <= previous) return false;
        previous = time;
    }
    return true;
}

// The film's shot ranges in ascending start order; equal starts keep their order in `shots`.
void sortByStart(std::span<Span> spans) {
    const auto byStart = [](const Span& a, const Span& b) { return a.start < b.start; };
    if (!std::is_sorted(spans.begin(), spans.end(), byStart)) std::stable_sort(spans.begin(), spans.end(), byStart);
}

bool finiteSpan(const Span& span) {
    return std::isfinite(span.start) && std::isfinite(span.end) && std::isfinite(span.score);
}

void checkCoverage(std::span<Span> spans, double duration) {
    if (spans.empty()) reject("A film has no shots.");
    const char* gap = "Shot ranges must cover each film without overlaps or gaps.";
    // Sorting needs comparable starts; a non-finite value fails the walk wherever it stands.
    if (!std::all_of(spans.begin(), spans.end(), finiteSpan)) reject(gap);
    sortByStart(spans);
    double runningEnd = 0;
    for (const Span& span : spans) {
        const bool fits = span.start < span.end && std::fabs(span.start - runningEnd) < kRangeTolerance &&
                          span.end <= duration + kRangeTolerance;
        if (!fits) reject(gap);
        runningEnd = span.end;
    }
    if (!(std::fabs(runningEnd - duration) < kRangeTolerance)) reject("Incomplete film coverage.");
}

// Each film's spans, contiguous and in `shots` order (a counting sort by film index).
struct FilmBuckets {
    std::vector<Span> spans;
    std::vector<std::size_t> begin;  // films + 1 offsets into spans

    std::span<Span> of(std::size_t film) { return {spans.data() + begin[film], begin[film + 1] - begin[film]}; }
};

FilmBuckets bucketByFilm(const ShotFacts& facts, std::size_t filmCount) {
    FilmBuckets buckets;
    buckets.begin.assign(filmCount + 1, 0);
    for (std::uint32_t film : facts.film)
        if (film != kNoFilm) ++buckets.begin[film + 1];
    for (std::size_t i = 0; i < filmCount; ++i) buckets.begin[i + 1] += buckets.begin[i];
    buckets.spans.resize(buckets.begin[filmCount]);
    std::vector<std::size_t> next(buckets.begin.begin(), buckets.begin.end() - 1);
    for (std::size_t i = 0; i < facts.film.size(); ++i)
        if (facts.film[i] != kNoFilm) buckets.spans[next[facts.film[i]]++] = facts.spans[i];
    return buckets;
}

void checkFilms(const std::vector<Film>& films, const ShotFacts& facts) {
    FilmBuckets buckets = bucketByFilm(facts, films.size());
    for (std::size_t i = 0; i < films.size(); ++i) {
        const Film& film = films[i];
        if (!mediaTimingValid(film)) reject("Invalid media timing in project.");
        if (film.frameTimes && !frameTimesValid(*film.frameTimes, film.duration))
            reject("Invalid source frame timestamps.");
        checkCoverage(buckets.of(i), film.duration);
    }
}

}  // namespace

const Project& Project::validated(const std::set<std::string>& safeZoneProfileIDs) const {
    if (schema != kProjectSchema) reject("This project version is unsupported.");
    const char* settings = "Invalid project settings or duplicate IDs.";
    if (films.size() > kMaxFilms || shots.size() > kMaxShots) reject(settings);
    const std::vector<Uuid> filmKeys = filmIDs(films);
    UuidTable filmTable(filmKeys.data(), filmKeys.size());
    for (std::uint32_t i = 0; i < filmKeys.size(); ++i)
        if (!filmTable.insert(i)) reject(settings);
    const ShotFacts facts = gatherShots(shots, filmTable);
    if (!allUnique(facts.ids) || !settingsValid(*this)) reject(settings);
    if (labelLayouts) checkLabelLayouts(*labelLayouts, safeZoneProfileIDs);
    checkFilms(films, facts);
    if (std::find(facts.film.begin(), facts.film.end(), kNoFilm) != facts.film.end())
        reject("Shot refers to an unknown film.");
    return *this;
}

}  // namespace marrowick
