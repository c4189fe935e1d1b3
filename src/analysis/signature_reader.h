// Frame signatures of a film read by decoding it, for an earlier film whose keys are not cached,
// and frame details of chosen spans of a film whose keys are.
#pragma once

#include <filesystem>
#include <optional>
#include <stop_token>
#include <vector>

#include "analysis/film_signatures.h"
#include "analysis/span_details.h"

namespace marrowick {

// Decodes every frame as detection does (the same analysis frames, see signatureDecoding),
// keeping keys and, when asked, details. Throws ReviewError when the file cannot be read, Cancelled on a stop.
FilmSignatures readSignatures(const std::filesystem::path& path, bool withDetails, std::stop_token stop = {});

// The details of the frames of the spans (joined, in order), decoding from the key frame before
// each span rather than the whole film. keys are the film's, from a whole decode: every frame of
// a span must decode with its recorded time and a matching key, else nothing is returned (the file no longer
// decodes as indexed, or its key frames do not allow starting there). Throws ReviewError when
// the file cannot be read, Cancelled on a stop.
std::optional<SpanDetails> readSpanDetails(const std::filesystem::path& path, const FilmKeys& keys,
                                           const std::vector<FrameSpan>& spans, std::stop_token stop = {});

}  // namespace marrowick
