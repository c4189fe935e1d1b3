// Splitting, moving and merging shot ranges. Every new boundary lands on a real frame of the film,
// the film stays tiled, touched shots are reset, and one history entry records the edit. A failing
// edit throws before it changes anything.
#include <algorithm>
#include <cmath>

#include "model/decimal_text.h"
#include "model/internal/review_history.h"
#include "model/project.h"
#include "model/review_error.h"

namespace marrowick {
namespace {

// Ascending start; not-a-number starts sort last, so the order stays strict for any input.
bool startsBefore(double a, double b) {
    if (std::isnan(a) || std::isnan(b)) return !std::isnan(a) && std::isnan(b);
    return a < b;
}

// Indices of the film's shots in ascending start order; equal starts keep their order in `shots`.
std::vector<std::size_t> filmShotsInStartOrder(const SharedVector<Shot>& shots, const Uuid& filmID) {
    std::vector<std::size_t> indices;
    std::size_t index = 0;
    for (auto it = shots.begin(); it != shots.end(); ++it, ++index)
        if (it->filmID == filmID) indices.push_back(index);
    std::stable_sort(indices.begin(), indices.end(),
                     [&](std::size_t a, std::size_t b) { return startsBefore(shots[a].start, shots[b].start); });
    return indices;
}

// The shot's neighbours within its film, as indices into `shots`.
struct Neighbours {
    std::optional<std::size_t> previous;
    std::optional<std::size_t> next;
};

Neighbours neighboursOf(const SharedVector<Shot>& shots, std::size_t index) {
    const std::vector<std::size_t> order = filmShotsInStartOrder(shots, shots[index].filmID);
    const auto at = static_cast<std::size_t>(std::find(order.begin(), order.end(), index) - order.begin());
    Neighbours neighbours;
    if (at > 0) neighbours.previous = order[at - 1];
    if (at + 1 < order.size()) neighbours.next = order[at + 1];
    return neighbours;
}

// The shot that follows in the same film: the smallest start at or after this shot's end (less the
// tolerance); between equal starts the earlier in `shots`.
std::optional<std::size_t> followingShot(const SharedVector<Shot>& shots, std::size_t index) {
    const Shot& shot = shots[index];
    std::optional<std::size_t> best;
    std::size_t candidate = 0;
    for (auto it = shots.begin(); it != shots.end(); ++it, ++candidate) {
        if (candidate == index || it->filmID != shot.filmID || !(it->start >= shot.end - kRangeTolerance)) continue;
        if (!best || it->start < shots[*best].start) best = candidate;
    }
    return best;
}

// The new range of a moved shot: its film's start and end stay fixed at 0 and the duration.
struct Range {
    double start;
    double end;
};

Range snappedRange(const Film& film, const Neighbours& neighbours, double start, double end) {
    return {neighbours.previous ? film.snap(start) : 0.0, neighbours.next ? film.snap(end) : film.duration};
}

bool keepsNeighboursAlive(const SharedVector<Shot>& shots, const Neighbours& neighbours, Range range) {
    if (!std::isfinite(range.start) || !std::isfinite(range.end) || !(range.start < range.end)) return false;
    if (neighbours.previous && !(shots[*neighbours.previous].start < range.start)) return false;
    return !neighbours.next || shots[*neighbours.next].end > range.end;
}

}  // namespace

void Project::split(const Uuid& shotID, double seconds) {
    const auto index = shotIndex(shotID);
    if (!index) return;
    const Film* owner = film(shots[*index].filmID);
    if (!owner) return;
    const double at = owner->snap(seconds);
    if (!(at > shots[*index].start && at < shots[*index].end))
        throw ReviewError("Split must leave at least one frame on either side.");

    Shot second = shots[*index];
    second.id = Uuid::random();
    second.start = at;
    second.boundaryScore = 1.0;
    second.reset();
    Shot& first = shots.mut(*index);
    first.end = at;
    first.reset();
    const Uuid secondID = second.id;
    shots.insert(*index + 1, std::move(second));
    appendHistory(*this, "split", {shotID, secondID}, decimalText(at));
}

void Project::moveRange(const Uuid& shotID, double start, double end) {
    const auto index = shotIndex(shotID);
    if (!index) return;
    const Film* owner = film(shots[*index].filmID);
    if (!owner) return;
    const Neighbours neighbours = neighboursOf(shots, *index);
    const Range range = snappedRange(*owner, neighbours, start, end);
    if (!keepsNeighboursAlive(shots, neighbours, range))
        throw ReviewError("Boundaries must keep the neighbouring shots at least one frame long.");

    std::vector<Uuid> touched = {shotID};
    if (neighbours.previous) {
        Shot& previous = shots.mut(*neighbours.previous);
        previous.end = range.start;
        previous.reset();
        touched.push_back(previous.id);
    }
    if (neighbours.next) {
        Shot& next = shots.mut(*neighbours.next);
        next.start = range.end;
        next.reset();
        touched.push_back(next.id);
    }
    Shot& shot = shots.mut(*index);
    shot.start = range.start;
    shot.end = range.end;
    shot.reset();
    appendHistory(*this, "move-boundaries", std::move(touched), decimalText(range.start) + "..<" + decimalText(range.end));
}

void Project::mergeWithNext(const Uuid& shotID) {
    const auto index = shotIndex(shotID);
    if (!index) return;
    const auto next = followingShot(shots, *index);
    if (!next) throw ReviewError("There is no following shot in this film.");

    const Uuid removedID = shots[*next].id;
    Shot& kept = shots.mut(*index);
    kept.end = shots[*next].end;
    kept.reset();
    shots.erase(*next);
    appendHistory(*this, "merge", {shotID, removedID}, "Review reset after merge");
}

}  // namespace marrowick
