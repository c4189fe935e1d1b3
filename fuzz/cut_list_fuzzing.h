// What every cut list fuzz target does with a list its reader accepted: check it against a film
// and, when it fits, tile the film; the tiling must cover the film without holes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "interchange/cut_list_mapping.h"
#include "model/review_error.h"

namespace marrowick::fuzzing {

inline void mapOntoFilm(const CutList& list) {
    Film film;
    film.fps = 25;
    film.duration = 10;
    film.startTimecode = "10:00:00:00";
    try {
        CutListMapping::check(list, film, TimeDisplay::timecode);
    } catch (const ReviewError&) {
        return;
    }
    const std::vector<Shot> shots = CutListMapping::shots(list, film);
    double end = 0;
    for (const Shot& shot : shots) {
        if (shot.start != end || !(shot.start < shot.end)) __builtin_trap();
        end = shot.end;
    }
    if (end != film.duration) __builtin_trap();
}

// Runs a reader on the fuzzer's bytes; refusals are expected, crashes are not.
template <typename Read>
int readAndMap(const std::uint8_t* data, std::size_t size, Read read) {
    try {
        mapOntoFilm(read(std::string_view(reinterpret_cast<const char*>(data), size)));
    } catch (const ReviewError&) {
    }
    return 0;
}

}  // namespace marrowick::fuzzing
