// Reading, checking and applying the cut lists of one import.
#include "interchange/cut_list_import.h"

#include <algorithm>

#include "interchange/boundary_cross_check.h"
#include "interchange/cut_list_file.h"
#include "interchange/cut_list_mapping.h"
#include "model/review_error.h"

namespace marrowick {

namespace {

// The film as far as its container tells before decoding.
Film filmOf(const MediaTiming& media) {
    Film film;
    film.duration = media.duration;
    film.fps = media.frameRate;
    FilmTime::takeTimecodeTag(film, media.timecode);
    return film;
}

}  // namespace

CutListImport::CutListImport(const std::vector<CutListPair>& pairs, const MediaTimingReader& timing,
                             TimeDisplay display)
    : display_(display) {
    for (const CutListPair& pair : pairs) {
        const MediaTiming media = timing(pair.video);
        CutList list = CutListFile::read(pair.cutList, media.frameRate);
        CutListMapping::check(list, filmOf(media), display_);
        entries_.push_back({pair.video, pair.cutList, std::move(list)});
    }
}

std::vector<std::filesystem::path> CutListImport::videos() const {
    std::vector<std::filesystem::path> result;
    for (const Entry& entry : entries_) result.push_back(entry.video);
    return result;
}

void CutListImport::applyTo(const std::filesystem::path& video, Film& film, std::vector<Shot>& shots) const {
    const auto entry = std::find_if(entries_.begin(), entries_.end(), [&](const Entry& e) { return e.video == video; });
    if (entry == entries_.end()) return;
    // Decoding may find a slightly different length than the container promised.
    CutListMapping::check(entry->list, film, display_);
    std::vector<Shot> listed = CutListMapping::shots(entry->list, film);
    BoundaryCrossCheck::annotate(listed, shots, film, display_);
    film.detector = CutListMapping::detectorName(entry->cutList);
    shots = std::move(listed);
}

}  // namespace marrowick
