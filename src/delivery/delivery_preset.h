// DeliveryPreset: one delivery or mastering target, its demands and its exact encoding recipe.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "delivery/json_value.h"
#include "delivery/preset_modes.h"

namespace marrowick {

// How far an encoded or planned frame rate may stray from the one asked for, where the preset
// names no tolerance of its own.
inline constexpr double kFrameRateTolerance = 0.02;

// ProRes codecs ("prores_422", "prores_4444xq", ...) go into MOV, in quality mode, and keep their colour.
inline bool isProRes(const std::string& videoCodec) { return videoCodec.starts_with("prores"); }

// Output raster policy: the source's, exact (width x height) or limited to a longest edge.
struct Resolution {
    RasterMode mode = RasterMode::source;
    std::optional<std::int64_t> width{};
    std::optional<std::int64_t> height{};
    std::optional<std::int64_t> maxLongestEdge{};
    friend bool operator==(const Resolution&, const Resolution&) = default;
};

// Frame-rate policy: exact (value), allowed (values within tolerance) or a range (min..max).
struct FPS {
    FrameRatePolicy mode = FrameRatePolicy::exact;
    std::optional<double> value{};
    std::optional<double> tolerance{};
    std::optional<std::vector<double>> values{};
    std::optional<double> min{};
    std::optional<double> max{};
    friend bool operator==(const FPS&, const FPS&) = default;
};

struct AudioRequirement {
    bool required = false;
    std::optional<std::vector<std::int64_t>> channels{};
    std::optional<std::vector<std::int64_t>> sampleRates{};
    std::optional<std::vector<std::string>> codecs{};  // descriptive
    friend bool operator==(const AudioRequirement&, const AudioRequirement&) = default;
};

// What the target demands of a finished programme (seconds, frames per second, percent).
struct Requirements {
    Resolution resolution{};
    std::vector<std::string> aspectRatios{};  // descriptive
    double aspectTolerancePercent = 0;      // descriptive
    std::optional<double> minDurationSeconds{};
    std::optional<double> maxDurationSeconds{};
    std::optional<std::vector<double>> allowedDurationsSeconds{};
    std::optional<std::vector<double>> recommendedDurationsSeconds{};  // descriptive
    std::optional<double> recommendedMaxDurationSeconds{};
    std::optional<FPS> fps{};
    std::optional<AudioRequirement> audio{};
    friend bool operator==(const Requirements&, const Requirements&) = default;
};

// Rate control: the mode and the figures it uses.
struct Rate {
    RateMode mode = RateMode::crf;
    std::optional<double> crf{};
    std::optional<std::int64_t> bitrateKbps{};
    std::optional<std::int64_t> minrateKbps{};
    std::optional<std::int64_t> maxrateKbps{};
    std::optional<std::int64_t> bufsizeKbps{};
    std::optional<std::int64_t> bufsizeBits{};
    friend bool operator==(const Rate&, const Rate&) = default;
};

// The output's audio: "aac", "opus", "pcm_s24le", "copy" or "none".
struct Audio {
    std::string codec{};
    std::optional<std::int64_t> bitrateKbps{};
    std::optional<std::int64_t> channels{};
    std::optional<std::int64_t> sampleRate{};
    friend bool operator==(const Audio&, const Audio&) = default;
};

// The encoding recipe handed to FFmpeg.
struct Encoding {
    std::string container{};
    std::string videoCodec{};
    Rate rateControl{};
    std::optional<std::string> encoderPreset{};
    std::optional<std::string> videoProfile{};
    std::optional<std::string> pixelFormat{};
    std::optional<bool> faststart{};
    Audio audio{};
    std::optional<JSONValue> advancedRecipe{};  // present only on the locked XDCAM recipe
    friend bool operator==(const Encoding&, const Encoding&) = default;
};

inline constexpr const char* kCustomKind = "custom";
inline constexpr const char* kXdcamPresetKey = "xdcam_hd422_pal_tvc";
inline constexpr const char* kInitialDeliveryKey = "master:prores_422hq";

struct DeliveryPreset {
    std::int64_t version = 1;
    std::string key{};
    std::int64_t revision = 1;
    std::string name{};
    std::string normalizedName{};
    std::string group{};
    std::string kind{};
    std::string specificationTitle{};
    std::string specificationUrl{};
    std::optional<std::string> verifiedAt{};
    std::optional<std::string> applicabilityNotes{};
    Requirements requirements{};
    Encoding encoding{};
    std::string prefix{};
    std::string suffix{};
    std::optional<std::string> outputPattern{};
    bool hidden = false;
    std::optional<std::string> archivedAt{};

    const std::string& id() const { return key; }
    bool isCustom() const { return kind == kCustomKind; }

    // FFmpeg video encoder for the codec: libx264, libx265, libvpx-vp9, mpeg2video or prores_ks.
    std::string encoder() const;
    // One line such as "h264 · MP4 · yuv420p · aac".
    std::string summary() const;

    // Returns this preset unchanged, or throws ReviewError "<name>: <rule text>" for the first rule
    // it breaks. The locked XDCAM recipe is compared with the catalogues under resourceRoot.
    const DeliveryPreset& validated(const std::filesystem::path& resourceRoot) const;

    friend bool operator==(const DeliveryPreset&, const DeliveryPreset&) = default;
};

}  // namespace marrowick
