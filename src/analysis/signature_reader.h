// Frame signatures of a film read by decoding it, for an earlier film whose keys are not cached.
#pragma once

#include <filesystem>
#include <stop_token>

#include "analysis/film_signatures.h"

namespace marrowick {

// Decodes every frame as detection does (the same analysis frames), keeping keys and, when
// asked, details. Throws ReviewError when the file cannot be read, Cancelled on a stop.
FilmSignatures readSignatures(const std::filesystem::path& path, bool withDetails, std::stop_token stop = {});

}  // namespace marrowick
