// Which shots the shot list keeps: a sidebar entry's choice, one film, or one visual group.
#pragma once

#include <cstdint>
#include <string>

#include "model/uuid.h"

namespace marrowick {

struct ShotFilter {
    enum class Kind { all, review, labelled, uncertain, carried, groups, film, group, nothing };

    Kind kind = Kind::all;
    Uuid film;               // Kind::film
    std::int64_t group = 0;  // Kind::group

    static ShotFilter ofFilm(const Uuid& film) { return {Kind::film, film, 0}; }
    static ShotFilter ofGroup(std::int64_t group) { return {Kind::group, {}, group}; }
    // From the sidebar's key: "all", "review", "labelled", "uncertain", "carried", "groups", a
    // film's id or "group:N". Any other key keeps no shot.
    static ShotFilter parse(const std::string& key);
    // The key `parse` reads back to this filter.
    std::string key() const;

    friend bool operator==(const ShotFilter&, const ShotFilter&) = default;
};

}  // namespace marrowick
