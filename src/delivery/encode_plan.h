// EncodePlan: one film against one delivery preset, checked before anything is encoded.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "delivery/delivery_preset.h"
#include "delivery/framing.h"
#include "delivery/source_probe.h"
#include "model/film.h"

namespace marrowick {

// An output raster in pixels.
struct RasterSize {
    std::int64_t width = 0;
    std::int64_t height = 0;
    friend bool operator==(const RasterSize&, const RasterSize&) = default;
};

struct EncodePlan {
    DeliveryPreset preset;               // validated
    std::int64_t width = 0;
    std::int64_t height = 0;
    std::optional<double> fps;           // present when the preset converts to an exact rate
    Framing framing = Framing::pad;
    std::vector<std::string> warnings;   // non-blocking notes for the user

    // Plans the film for the preset, or throws ReviewError with the refusal (an invalid preset, HDR
    // or linear light, duration, audio, raster or frame-rate rules). The
    // preset is validated against the catalogues under `resourceRoot`.
    static EncodePlan make(const DeliveryPreset& preset, const Film& film, const SourceProbe& source,
                           Framing framing, const std::filesystem::path& resourceRoot);

    // The raster the preset makes of the film; throws ReviewError for an odd or empty raster.
    static RasterSize outputSize(const DeliveryPreset& preset, const Film& film);

    // The frame rate as FFmpeg is given it: "24000/1001", "30000/1001", "60000/1001" for the NTSC
    // rates, else the decimal text ("25.0").
    static std::string fpsString(double rate);

    friend bool operator==(const EncodePlan&, const EncodePlan&) = default;
};

}  // namespace marrowick
