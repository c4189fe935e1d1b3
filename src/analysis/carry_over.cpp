// Preparing earlier films once, finding and verifying runs, and settling each shot's suggestion.
#include "analysis/carry_over.h"

#include <algorithm>
#include <cmath>
#include <system_error>

#include "analysis/file_fingerprint.h"
#include "analysis/signature_reader.h"
#include "analysis/version_matching.h"
#include "model/film_name.h"
#include "model/review_error.h"

namespace marrowick {

namespace {

bool sameRate(double a, double b) { return std::fabs(a - b) <= 1e-3 * std::max(a, b); }

std::string rateText(double fps) {
    char text[32];
    std::snprintf(text, sizeof text, "%.6g", fps);
    return text;
}

// A run that survived verification, and where it came from.
struct Verified {
    std::size_t source;
    FrameRun run;
    Disclosure decision;
};

// The earlier frames of the runs of every shot that is not blocked, to be verified.
std::vector<FrameSpan> earlierSpans(const std::vector<RunSearch>& searches, const std::vector<bool>& blocked) {
    std::vector<FrameSpan> spans;
    for (std::size_t j = 0; j < searches.size(); ++j)
        for (const FrameRun& run : searches[j].runs)
            if (!blocked[j]) spans.push_back({run.earlierFirst, run.count});
    return spans;
}

}  // namespace

// One earlier film, read when first needed: its keys, the decisions over its frames, and its
// frame details once some new shot has candidates in it.
struct CarryOver::Source {
    EarlierFilm earlier;
    bool prepared = false;
    std::optional<std::string> problem;  // why it is skipped
    std::optional<FilmKeys> keys;
    std::optional<SpanDetails> details;
    std::vector<Disclosure> decisions;
    std::unique_ptr<KeyLookup> lookup;

    bool hasDecisions() const {
        return std::any_of(earlier.shots.begin(), earlier.shots.end(),
                           [](const Shot& shot) { return shot.disclosure != Disclosure::unreviewed; });
    }

    // The file still is the one reviewed: present, and with the recorded fingerprint.
    std::optional<std::string> fileProblem(const std::stop_token& stop) const {
        const std::string name = fileName(earlier.film);
        std::error_code error;
        if (!std::filesystem::is_regular_file(earlier.film.path, error))
            return name + " is missing, so its decisions were not carried.";
        if (earlier.film.sourceSHA256 && FileFingerprint::sha256(earlier.film.path, stop) != *earlier.film.sourceSHA256)
            return name + " has changed since its review, so its decisions were not carried.";
        return std::nullopt;
    }

    void prepare(const std::optional<SignatureCache>& cache, const std::stop_token& stop) {
        if (prepared) return;
        prepared = true;
        if ((problem = fileProblem(stop))) return;
        const std::string fingerprint = earlier.film.sourceSHA256.value_or("");
        if (cache) keys = cache->load(fingerprint);
        if (!keys) {
            try {
                FilmSignatures read = readSignatures(earlier.film.path, true, stop);
                read.keys.fps = earlier.film.fps;
                keys = std::move(read.keys);
                details = SpanDetails(std::move(*read.details));
            } catch (const ReviewError& error) {
                problem = fileName(earlier.film) + " could not be read (" + error.message() + "), so its decisions were not carried.";
                return;
            }
            if (cache) cache->store(fingerprint, *keys);
        }
        decisions = frameDecisions(keys->times, earlier.shots);
        lookup = std::make_unique<KeyLookup>(*keys);
    }

    // Frame details of the spans, from the same decode as the keys: read span by span, else
    // from a whole decode; false (with the problem set) when the file no longer decodes to the
    // frames its keys describe.
    bool ensureDetails(const std::vector<FrameSpan>& spans, const std::stop_token& stop) {
        const auto held = [&](const FrameSpan& span) { return details->holds(span.first, span.count); };
        if (details && std::all_of(spans.begin(), spans.end(), held)) return true;
        try {
            details = readSpanDetails(earlier.film.path, *keys, spans, stop);
            if (!details) details = wholeDetails(stop);
        } catch (const ReviewError& error) {
            problem = fileName(earlier.film) + " could not be read (" + error.message() + "), so its decisions were not carried.";
            return false;
        }
        if (!details)
            problem = fileName(earlier.film) + " no longer decodes as when it was indexed, so its decisions were not carried.";
        return details.has_value();
    }

    std::optional<SpanDetails> wholeDetails(const std::stop_token& stop) const {
        FilmSignatures read = readSignatures(earlier.film.path, true, stop);
        if (!sameFrames(read.keys, *keys)) return std::nullopt;
        return SpanDetails(std::move(*read.details));
    }

    double endOf(const FrameRun& run) const {
        const std::size_t next = run.earlierFirst + run.count;
        return next < keys->times.size() ? keys->times[next] : earlier.film.duration;
    }
};

std::string CarryReport::summary(const std::string& filmName) const {
    return "Carried earlier decisions to " + std::to_string(carried) + " of " + std::to_string(shots) + " shots of " +
           filmName + ".";
}

CarryOver::CarryOver(std::vector<EarlierFilm> earlier, std::optional<SignatureCache> cache) : cache_(std::move(cache)) {
    for (EarlierFilm& film : earlier) {
        sources_.push_back(std::make_unique<Source>());
        sources_.back()->earlier = std::move(film);
    }
}

CarryOver::~CarryOver() = default;

bool CarryOver::hasDecisions() const {
    return std::any_of(sources_.begin(), sources_.end(), [](const auto& source) { return source->hasDecisions(); });
}

void CarryOver::remember(const Film& film, const FilmKeys& keys) const {
    if (cache_ && film.sourceSHA256) cache_->store(*film.sourceSHA256, keys);
}

CarryReport CarryOver::apply(const Film& film, std::vector<Shot>& shots, const FilmSignatures& signatures,
                             std::stop_token stop) {
    CarryReport report;
    report.shots = shots.size();
    std::vector<std::vector<Verified>> verified(shots.size());
    std::vector<bool> blocked(shots.size(), false);
    for (std::size_t s = 0; s < sources_.size(); ++s) {
        Source& source = *sources_[s];
        if (!source.hasDecisions()) continue;
        if (!sameRate(source.earlier.film.fps, film.fps)) {
            report.notes.push_back(fileName(source.earlier.film) + " runs at " + rateText(source.earlier.film.fps) +
                                   " fps and this film at " + rateText(film.fps) +
                                   " fps; films of different frame rates are not matched.");
            continue;
        }
        source.prepare(cache_, stop);
        std::vector<RunSearch> searches(shots.size());
        std::vector<FrameSpan> needed;  // the earlier frames of every run, for verification
        if (!source.problem) {
            for (std::size_t j = 0; j < shots.size(); ++j) {
                if (stop.stop_requested()) throw Cancelled();
                const auto [first, count] = framesWithin(signatures.keys.times, shots[j].start, shots[j].end);
                searches[j] = findRuns(signatures.keys, first, count, *source.keys, *source.lookup);
                if (!searches[j].complete) blocked[j] = true;
            }
            needed = earlierSpans(searches, blocked);
        }
        bool anyRun = !needed.empty() && signatures.details;
        if (anyRun && !source.ensureDetails(needed, stop)) anyRun = false;
        if (source.problem) report.notes.push_back(*source.problem);
        if (!anyRun) continue;
        for (std::size_t j = 0; j < shots.size(); ++j)
            for (const FrameRun& run : searches[j].runs) {
                if (stop.stop_requested()) throw Cancelled();
                if (!blocked[j] && runVerified(run, *signatures.details, *source.details))
                    verified[j].push_back({s, run, runDecision(run, source.decisions)});
            }
    }
    for (std::size_t j = 0; j < shots.size(); ++j) {
        const std::vector<Verified>& found = verified[j];
        if (blocked[j] || found.empty() || shots[j].disclosure != Disclosure::unreviewed) continue;
        const Disclosure decision = found.front().decision;
        const bool agreed = std::all_of(found.begin(), found.end(), [&](const Verified& v) { return v.decision == decision; });
        if (!agreed || decision == Disclosure::unreviewed) continue;
        const Source& source = *sources_[found.front().source];
        shots[j].carriedFrom = CarriedDecision{source.earlier.film.id, source.keys->times[found.front().run.earlierFirst],
                                               source.endOf(found.front().run), decision, source.earlier.project};
        ++report.carried;
    }
    return report;
}

}  // namespace marrowick
