// The frames of a media file shrunk to analysis frames, one at a time, honouring a stop request.
#pragma once

#include <optional>
#include <stop_token>

#include "analysis/media_file.h"
#include "analysis/tiny_frame.h"
#include "analysis/tiny_frame_scaler.h"

namespace marrowick {

class MiddleFrames;
struct FilmSignatures;

class TinyFrameSource {
public:
    // middles, when given, sees every decoded picture; signatures, when given, every analysis frame.
    TinyFrameSource(MediaFile& media, MiddleFrames* middles, FilmSignatures* signatures = nullptr)
        : media_(media), scaler_(media.info().quarterTurns), middles_(middles), signatures_(signatures) {
        if (signatures_) exact_.emplace(media.info().quarterTurns, TinyFrameScaler::kEverySample);
    }

    // The next frame; nothing at the end. Throws Cancelled once a stop is requested, ReviewError
    // for a frame without picture or time.
    std::optional<TinyFrame> next(const std::stop_token& stop);

private:
    MediaFile& media_;
    TinyFrameScaler scaler_;
    std::optional<TinyFrameScaler> exact_;  // every sample of each area, for the signatures
    MiddleFrames* middles_;
    FilmSignatures* signatures_;
};

}  // namespace marrowick
