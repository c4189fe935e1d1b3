// Carrying decisions of earlier, reviewed cuts to the shots of a new one, as suggestions only.
#pragma once

#include <cstddef>
#include <memory>
#include <optional>
#include <stop_token>
#include <string>
#include <vector>

#include "analysis/film_signatures.h"
#include "analysis/signature_cache.h"
#include "model/film.h"
#include "model/shot.h"

namespace marrowick {

// A reviewed film whose decisions may be carried: the film, its shots, and the name of the
// review file it came from when that is not the project being imported into.
struct EarlierFilm {
    Film film;
    std::vector<Shot> shots;
    std::string project;
};

// What carrying did for one new film.
struct CarryReport {
    std::size_t carried = 0;         // shots that received a suggestion
    std::size_t shots = 0;           // shots of the film
    std::vector<std::string> notes;  // earlier films skipped, and why

    // "Carried earlier decisions to 3 of 7 shots of <film>."
    std::string summary(const std::string& filmName) const;
};

class CarryOver {
public:
    // cache, when given, keeps and supplies the frame keys of earlier films.
    CarryOver(std::vector<EarlierFilm> earlier, std::optional<SignatureCache> cache);
    ~CarryOver();
    CarryOver(const CarryOver&) = delete;
    CarryOver& operator=(const CarryOver&) = delete;

    // Whether any earlier film holds a decision; when not, there is nothing to carry and the new
    // film's decode need not keep frame details.
    bool hasDecisions() const;

    // Sets `carriedFrom` on each unreviewed shot whose every frame was verified against frames of
    // earlier films under one decision, in order and contiguously, and on no other. signatures
    // are the new film's, from its detection, with details. Earlier films are read (and their
    // keys cached) the first time a new film needs them. Throws Cancelled once a stop is requested.
    CarryReport apply(const Film& film, std::vector<Shot>& shots, const FilmSignatures& signatures,
                      std::stop_token stop = {});

    // Keeps a new film's keys for later imports (nothing without a cache or fingerprint).
    void remember(const Film& film, const FilmKeys& keys) const;

private:
    struct Source;
    std::vector<std::unique_ptr<Source>> sources_;
    std::optional<SignatureCache> cache_;
};

}  // namespace marrowick
