// The preset rules as one ordered table of checks and their user-facing texts.
#include "delivery/internal/preset_rules.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <optional>

#include "delivery/internal/user_text.h"

namespace marrowick::PresetRules {
namespace {

using Names = std::initializer_list<std::string_view>;

bool isOneOf(std::string_view value, Names names) {
    return std::find(names.begin(), names.end(), value) != names.end();
}

bool isOneOf(std::string_view value, std::span<const std::string_view> names) {
    return std::find(names.begin(), names.end(), value) != names.end();
}

// An absent optional passes: only present values are checked.
bool isAbsentOrOneOf(const std::optional<std::string>& value, Names names) {
    return !value || isOneOf(*value, names);
}

bool isAbsentOrOneOf(const std::optional<std::string>& value, std::span<const std::string_view> names) {
    return !value || isOneOf(*value, names);
}

template <typename Number>
bool within(const std::optional<Number>& value, Number low, Number high) {
    return !value || (std::isfinite(static_cast<double>(*value)) && *value >= low && *value <= high);
}

bool isX26x(const DeliveryPreset& p) { return isOneOf(p.encoding.videoCodec, {"h264", "hevc"}); }
bool codecIs(const DeliveryPreset& p, std::string_view codec) { return p.encoding.videoCodec == codec; }
bool pixelFormatIs(const DeliveryPreset& p, std::string_view format) { return p.encoding.pixelFormat == format; }
bool profileIs(const DeliveryPreset& p, std::string_view profile) { return p.encoding.videoProfile == profile; }
bool rateModeIs(const DeliveryPreset& p, RateMode mode) { return p.encoding.rateControl.mode == mode; }

// Every encoder preset: the nine x264/x265 speed presets, then the two VP9 deadlines.
constexpr std::string_view kEncoderPresets[] = {"ultrafast", "superfast", "veryfast", "faster", "fast", "medium",
                                                "slow", "slower", "veryslow", "good", "realtime"};
constexpr auto kX26xSpeedPresets = std::span(kEncoderPresets).first<9>();
constexpr auto kVp9Deadlines = std::span(kEncoderPresets).last<2>();

// Each ProRes codec with the profile number its preset carries and the profile FFprobe reports.
struct ProResProfile {
    std::string_view codec;
    std::string_view number;
    std::string_view reported;
};
constexpr ProResProfile kProResProfiles[] = {
    {"prores_422", "2", "Standard"}, {"prores_422hq", "3", "HQ"}, {"prores_4444", "4", "4444"}, {"prores_4444xq", "5", "XQ"}};

const ProResProfile* proResProfileOf(std::string_view codec) {
    for (const ProResProfile& profile : kProResProfiles)
        if (profile.codec == codec) return &profile;
    return nullptr;
}

bool pixelFormatFitsCodec(const DeliveryPreset& p) {
    if (!p.encoding.pixelFormat) return false;
    const std::string& format = *p.encoding.pixelFormat;
    const std::string& codec = p.encoding.videoCodec;
    if (isOneOf(codec, {"h264", "hevc", "vp9"})) return isOneOf(format, {"yuv420p", "yuv420p10le"});
    if (codec == "mpeg2video") return format == "yuv422p";
    if (isOneOf(codec, {"prores_422", "prores_422hq"})) return format == "yuv422p10le";
    return format == "yuva444p10le";
}

bool identityHolds(const DeliveryPreset& p) {
    return p.version == 1 && !p.key.empty() && UserText::characterCount(p.key) <= 200 &&
           !UserText::trimmed(p.name).empty() && UserText::characterCount(p.name) <= 120;
}

bool cbrHasMatchingRatesAndBuffer(const DeliveryPreset& p) {
    const Rate& rate = p.encoding.rateControl;
    if (!rateModeIs(p, RateMode::cbr)) return true;
    const bool ratesEqual = rate.bitrateKbps == rate.minrateKbps && rate.minrateKbps == rate.maxrateKbps;
    return ratesEqual && rate.bufsizeBits.has_value();
}

template <typename Number>
bool listAccepts(const std::optional<Number>& value, const std::optional<std::vector<Number>>& list) {
    return !value || !list || std::find(list->begin(), list->end(), *value) != list->end();
}

bool channelsFitRequirement(const DeliveryPreset& p) {
    const auto& required = p.requirements.audio;
    return p.encoding.advancedRecipe || !required || listAccepts(p.encoding.audio.channels, required->channels);
}

bool sampleRateFitsRequirement(const DeliveryPreset& p) {
    const auto& required = p.requirements.audio;
    return p.encoding.advancedRecipe || !required || listAccepts(p.encoding.audio.sampleRate, required->sampleRates);
}

bool isEvenDimension(const std::optional<std::int64_t>& pixels) {
    return !pixels || (*pixels % 2 == 0 && *pixels >= 16 && *pixels <= 16384);
}

bool isFrameRate(double value) { return std::isfinite(value) && value > 0 && value <= 240; }
bool isFrameRate(const std::optional<double>& value) { return !value || isFrameRate(*value); }

bool frameRateValuesHold(const FPS& fps) {
    const bool listHolds = !fps.values || std::all_of(fps.values->begin(), fps.values->end(),
                                                      [](double value) { return isFrameRate(value); });
    return isFrameRate(fps.value) && isFrameRate(fps.min) && isFrameRate(fps.max) && isFrameRate(fps.tolerance) && listHolds;
}

// Applies `holds` to the frame-rate policy when there is one.
template <typename Check>
bool fpsRule(const DeliveryPreset& p, Check holds) {
    return !p.requirements.fps || holds(*p.requirements.fps);
}

bool isDuration(double seconds) { return std::isfinite(seconds) && seconds > 0 && seconds <= 86400; }
bool isDuration(const std::optional<double>& seconds) { return !seconds || isDuration(*seconds); }

bool durationsHold(const Requirements& r) {
    const bool listHolds = !r.allowedDurationsSeconds ||
                           std::all_of(r.allowedDurationsSeconds->begin(), r.allowedDurationsSeconds->end(),
                                       [](double seconds) { return isDuration(seconds); });
    return isDuration(r.minDurationSeconds) && isDuration(r.maxDurationSeconds) &&
           isDuration(r.recommendedMaxDurationSeconds) && listHolds;
}

bool isFileNamePart(const std::string& text) {
    return UserText::characterCount(text) <= 80 && text.find_first_of(std::string_view("/\\\0\n\r", 5)) == std::string::npos;
}

constexpr Rule kRules[] = {
    {identityHolds, "invalid preset identity"},
    {[](const DeliveryPreset& p) { return isOneOf(p.encoding.container, {"mp4", "mov", "webm", "mxf"}); },
     "unsupported container"},
    {[](const DeliveryPreset& p) {
         return isOneOf(p.encoding.videoCodec, {"h264", "hevc", "vp9", "mpeg2video", "prores_422", "prores_422hq",
                                                "prores_4444", "prores_4444xq"});
     },
     "unsupported video codec"},
    {pixelFormatFitsCodec, "invalid pixel format for codec"},
    {[](const DeliveryPreset& p) { return !codecIs(p, "vp9") || p.encoding.container == "webm"; }, "VP9 requires WebM"},
    {[](const DeliveryPreset& p) { return !isProRes(p.encoding.videoCodec) || p.encoding.container == "mov"; }, "ProRes requires MOV"},
    {[](const DeliveryPreset& p) { return !codecIs(p, "mpeg2video") || p.encoding.container == "mxf"; },
     "XDCAM requires MXF"},
    {[](const DeliveryPreset& p) { return !isX26x(p) || isOneOf(p.encoding.container, {"mp4", "mov"}); },
     "H.264/HEVC requires MP4 or MOV"},
    {[](const DeliveryPreset& p) { return isOneOf(p.encoding.audio.codec, {"aac", "opus", "pcm_s24le", "copy", "none"}); },
     "unsupported audio codec"},
    {[](const DeliveryPreset& p) { return p.encoding.container != "webm" || isOneOf(p.encoding.audio.codec, {"opus", "none"}); },
     "WebM requires Opus or no audio"},
    {[](const DeliveryPreset& p) { return p.encoding.container != "mp4" || isOneOf(p.encoding.audio.codec, {"aac", "none"}); },
     "MP4 requires AAC or no audio"},
    {[](const DeliveryPreset& p) { return within<std::int64_t>(p.encoding.audio.channels, 1, 16); }, "invalid audio channels"},
    {[](const DeliveryPreset& p) {
         const auto& rate = p.encoding.audio.sampleRate;
         return !rate || *rate == 44100 || *rate == 48000 || *rate == 96000;
     },
     "invalid sample rate"},
    {[](const DeliveryPreset& p) { return within<std::int64_t>(p.encoding.audio.bitrateKbps, 32, 1536); },
     "invalid audio bitrate"},
    {[](const DeliveryPreset& p) {
         return isAbsentOrOneOf(p.encoding.encoderPreset, std::span<const std::string_view>(kEncoderPresets));
     },
     "invalid encoder preset"},
    {[](const DeliveryPreset& p) {
         return isAbsentOrOneOf(p.encoding.videoProfile, {"baseline", "main", "high", "high10", "main10", "0", "1", "2", "3", "4", "5"});
     },
     "invalid codec profile"},
    {[](const DeliveryPreset& p) { return !isProRes(p.encoding.videoCodec) || rateModeIs(p, RateMode::quality); }, "ProRes uses codec quality mode"},
    {[](const DeliveryPreset& p) { return !isX26x(p) || isAbsentOrOneOf(p.encoding.encoderPreset, kX26xSpeedPresets); },
     "invalid x264/x265 speed preset"},
    {[](const DeliveryPreset& p) { return !codecIs(p, "vp9") || isAbsentOrOneOf(p.encoding.encoderPreset, kVp9Deadlines); },
     "invalid VP9 deadline"},
    {[](const DeliveryPreset& p) { return !codecIs(p, "h264") || isAbsentOrOneOf(p.encoding.videoProfile, {"baseline", "main", "high", "high10"}); },
     "invalid H.264 profile"},
    {[](const DeliveryPreset& p) { return !codecIs(p, "hevc") || isAbsentOrOneOf(p.encoding.videoProfile, {"main", "main10"}); },
     "invalid HEVC profile"},
    {[](const DeliveryPreset& p) { return !codecIs(p, "hevc") || !pixelFormatIs(p, "yuv420p10le") || profileIs(p, "main10"); },
     "10-bit HEVC requires Main 10"},
    {[](const DeliveryPreset& p) { return !codecIs(p, "vp9") || profileIs(p, pixelFormatIs(p, "yuv420p10le") ? "2" : "0"); },
     "VP9 profile must match bit depth"},
    {[](const DeliveryPreset& p) { return !isProRes(p.encoding.videoCodec) || profileIs(p, proResProfile(p.encoding.videoCodec)); },
     "ProRes profile must match codec"},
    {[](const DeliveryPreset& p) {
         const auto& crf = p.encoding.rateControl.crf;
         return !rateModeIs(p, RateMode::crf) || (crf && within(crf, 0.0, 63.0));
     },
     "invalid CRF"},
    {cbrHasMatchingRatesAndBuffer, "CBR needs matching min/max bitrate and a buffer"},
    {[](const DeliveryPreset& p) {
         const auto& bitrate = p.encoding.rateControl.bitrateKbps;
         const bool setsBitrate = rateModeIs(p, RateMode::vbr) || rateModeIs(p, RateMode::cbr);
         return !setsBitrate || (bitrate && within<std::int64_t>(bitrate, 1, 1'000'000));
     },
     "invalid bitrate"},
    {[](const DeliveryPreset& p) {
         const Rate& rate = p.encoding.rateControl;
         return within<std::int64_t>(rate.minrateKbps, 1, 10'000'000) && within<std::int64_t>(rate.maxrateKbps, 1, 10'000'000) &&
                within<std::int64_t>(rate.bufsizeKbps, 1, 10'000'000);
     },
     "invalid buffer or rate limit"},
    {[](const DeliveryPreset& p) { return within<std::int64_t>(p.encoding.rateControl.bufsizeBits, 1, 2'000'000'000); },
     "invalid buffer size"},
    {[](const DeliveryPreset& p) { return !rateModeIs(p, RateMode::quality) || isProRes(p.encoding.videoCodec); },
     "quality mode is only supported for ProRes"},
    {[](const DeliveryPreset& p) { return !codecIs(p, "h264") || !pixelFormatIs(p, "yuv420p10le") || profileIs(p, "high10"); },
     "10-bit H.264 requires High 10 profile"},
    {[](const DeliveryPreset& p) {
         const auto& required = p.requirements.audio;
         return !required || !required->required || p.encoding.audio.codec != "none";
     },
     "this target requires audio"},
    {channelsFitRequirement, "audio channel count conflicts with the target requirements"},
    {sampleRateFitsRequirement, "audio sample rate conflicts with the target requirements"},
    {[](const DeliveryPreset& p) {
         const Rate& rate = p.encoding.rateControl;
         return !rate.bitrateKbps || !rate.maxrateKbps || *rate.maxrateKbps >= *rate.bitrateKbps;
     },
     "maximum bitrate must not be lower than the average"},
    {[](const DeliveryPreset& p) {
         const auto& crf = p.encoding.rateControl.crf;
         return !isX26x(p) || !rateModeIs(p, RateMode::crf) || !crf || *crf <= 51;
     },
     "CRF must be 0–51 for this codec"},
    {[](const DeliveryPreset& p) {
         const Resolution& r = p.requirements.resolution;
         return isEvenDimension(r.width) && isEvenDimension(r.height) && isEvenDimension(r.maxLongestEdge);
     },
     "dimensions must be even and between 16 and 16384"},
    {[](const DeliveryPreset& p) {
         const Resolution& r = p.requirements.resolution;
         return r.mode != RasterMode::exact || (r.width && r.height);
     },
     "exact raster needs width and height"},
    {[](const DeliveryPreset& p) {
         const Resolution& r = p.requirements.resolution;
         return r.mode != RasterMode::maxLongestEdge || r.maxLongestEdge.has_value();
     },
     "longest-edge limit missing"},
    {[](const DeliveryPreset& p) { return fpsRule(p, frameRateValuesHold); }, "invalid frame-rate value"},
    {[](const DeliveryPreset& p) { return fpsRule(p, [](const FPS& fps) { return fps.mode != FrameRatePolicy::exact || fps.value; }); },
     "frame rate missing"},
    {[](const DeliveryPreset& p) {
         return fpsRule(p, [](const FPS& fps) { return fps.mode != FrameRatePolicy::allowed || (fps.values && !fps.values->empty()); });
     },
     "allowed frame rates missing"},
    {[](const DeliveryPreset& p) {
         return fpsRule(p, [](const FPS& fps) { return fps.mode != FrameRatePolicy::range || (fps.min && fps.max && *fps.min <= *fps.max); });
     },
     "frame-rate range missing"},
    {[](const DeliveryPreset& p) { return durationsHold(p.requirements); }, "invalid duration requirement"},
    {[](const DeliveryPreset& p) { return isFileNamePart(p.prefix) && isFileNamePart(p.suffix); },
     "filename prefix/suffix must not contain path separators"},
    {[](const DeliveryPreset& p) { return !p.outputPattern || *p.outputPattern == "%filename"; },
     "only %filename output patterns are supported"},
};

}  // namespace

std::string_view proResProfile(std::string_view codec) {
    const ProResProfile* profile = proResProfileOf(codec);
    return profile ? profile->number : std::string_view();
}

std::string_view proResReportedProfile(std::string_view codec) {
    const ProResProfile* profile = proResProfileOf(codec);
    return profile ? profile->reported : std::string_view();
}

std::span<const Rule> ordered() { return kRules; }

const Rule* firstBroken(const DeliveryPreset& preset) {
    for (const Rule& rule : kRules)
        if (!rule.holds(preset)) return &rule;
    return nullptr;
}

}  // namespace marrowick::PresetRules
