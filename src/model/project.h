// The review project: films, shots, history and project-wide settings. A value; copies are cheap.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "model/film.h"
#include "model/label_layout.h"
#include "model/label_style.h"
#include "model/review_event.h"
#include "model/shared_vector.h"
#include "model/shot.h"
#include "model/uuid.h"

namespace marrowick {

inline constexpr std::int64_t kProjectSchema = 1;
// Seconds by which shot ranges may miss each other or the film's ends and still tile the film.
inline constexpr double kRangeTolerance = 0.0001;
inline constexpr const char* kDefaultWorkDisclosure = "This work contains content generated or modified using AI.";

using LabelLayouts = std::map<std::string, LabelLayout>;

struct Project {
    std::int64_t schema = kProjectSchema;
    std::string name = "Untitled review";
    std::vector<Film> films;
    SharedVector<Shot> shots;
    SharedVector<ReviewEvent> history;
    double threshold = 0.5;
    float groupingThreshold = 0.35f;
    bool artisticWork = false;
    std::string workDisclosure = kDefaultWorkDisclosure;
    std::optional<LabelStyle> labelStyle;
    double labelWidth = 0.18;
    std::string corner = "Bottom right";
    std::optional<LabelLayouts> labelLayouts;
    Uuid id = Uuid::random();

    // Number of shots whose decision is not unreviewed.
    std::size_t reviewed() const;

    // Returns the project unchanged or throws ReviewError with the first broken rule's message.
    // Label layout guides are checked against the safe-zone catalogue's profile identifiers.
    const Project& validated(const std::set<std::string>& safeZoneProfileIDs = {}) const;

    // Range editing. Each appends one history entry; none validates the result (the caller does).
    void decide(const std::vector<Uuid>& shotIDs, Disclosure disclosure);
    void split(const Uuid& shotID, double seconds);
    void moveRange(const Uuid& shotID, double start, double end);
    void mergeWithNext(const Uuid& shotID);
    void setNote(const Uuid& shotID, const std::string& note);
    // Makes the carried decision of each listed unreviewed shot its decision and removes the
    // suggestion; one history entry names the earlier film and range of each. Returns how many
    // shots changed (no entry when none did).
    std::size_t acceptCarried(const std::vector<Uuid>& shotIDs);

    // Names the reviewer on every history entry from index `firstEvent` on; without a reviewer
    // the entries stay unattributed.
    void attribute(std::size_t firstEvent, const std::optional<Reviewer>& reviewer);

    const Film* film(const Uuid& filmID) const;
    // The film's shots ordered by start.
    std::vector<const Shot*> shotsInOrder(const Film& film) const;
    std::optional<std::size_t> shotIndex(const Uuid& shotID) const;

    friend bool operator==(const Project& a, const Project& b);
};

// The file-size gate for project files the user opens: throws "Project file exceeds 256 MB."
inline constexpr std::uintmax_t kProjectFileSizeLimit = 256'000'000;

}  // namespace marrowick
