// Codec defaults, raster and frame-rate toggles and the save normalisation of the preset editor.
#include "delivery/preset_editing.h"

#include "delivery/internal/preset_rules.h"
#include "delivery/internal/user_text.h"
#include "model/review_error.h"

namespace marrowick::PresetEditing {
namespace {

Audio compressedStereo(const std::string& codec) {
    return {.codec = codec, .bitrateKbps = kDefaultAudioKbps, .channels = 2, .sampleRate = kDefaultSampleRate};
}

void applyProRes(Encoding& encoding, const std::string& codec) {
    encoding.container = "mov";
    encoding.videoProfile = std::string(PresetRules::proResProfile(codec));
    encoding.pixelFormat = codec.starts_with("prores_4444") ? "yuva444p10le" : "yuv422p10le";
    encoding.rateControl = {.mode = RateMode::quality};
    encoding.encoderPreset.reset();
    encoding.audio = {.codec = "pcm_s24le", .sampleRate = kDefaultSampleRate};
    encoding.faststart.reset();
}

void applyDeliveryCodec(Encoding& encoding, const std::string& codec) {
    const bool vp9 = codec == "vp9";
    encoding.container = vp9 ? "webm" : "mp4";
    encoding.videoProfile = vp9 ? "2" : codec == "hevc" ? "main10" : "high";
    encoding.pixelFormat = codec == "h264" ? "yuv420p" : "yuv420p10le";
    encoding.rateControl = {.mode = RateMode::crf, .crf = vp9 ? kDefaultVp9Crf : kDefaultCrf};
    encoding.encoderPreset = vp9 ? "good" : "slow";
    encoding.audio = compressedStereo(vp9 ? "opus" : "aac");
}

void normalizeRate(Rate& rate, const std::string& codec) {
    if (rate.mode == RateMode::quality) {
        rate = {.mode = rate.mode};
        return;
    }
    if (rate.mode == RateMode::crf) {
        if (!rate.crf) rate.crf = codec == "vp9" ? kDefaultVp9Crf : kDefaultCrf;
        rate.bitrateKbps.reset();
        rate.minrateKbps.reset();
        rate.bufsizeBits.reset();
        return;
    }
    rate.crf.reset();
    const std::int64_t bitrate = rate.bitrateKbps.value_or(kDefaultVideoKbps);
    rate.bitrateKbps = bitrate;
    if (rate.mode != RateMode::cbr) return;
    if (bitrate < 1 || bitrate > 1'000'000) throw ReviewError("Video bitrate is out of range.");
    rate.minrateKbps = bitrate;
    rate.maxrateKbps = bitrate;
    rate.bufsizeKbps.reset();
    if (!rate.bufsizeBits) rate.bufsizeBits = bitrate * 2000;
}

}  // namespace

bool technicalLocked(const DeliveryPreset& preset) { return preset.encoding.advancedRecipe.has_value(); }

void chooseCodec(DeliveryPreset& preset, const std::string& codec) {
    Encoding& encoding = preset.encoding;
    encoding.videoCodec = codec;
    encoding.advancedRecipe.reset();
    if (isProRes(codec))
        applyProRes(encoding, codec);
    else
        applyDeliveryCodec(encoding, codec);
}

void chooseRaster(DeliveryPreset& preset, RasterMode mode) {
    Resolution& resolution = preset.requirements.resolution;
    resolution.mode = mode;
    if (mode == RasterMode::exact) {
        if (!resolution.width) resolution.width = kDefaultWidth;
        if (!resolution.height) resolution.height = kDefaultHeight;
    }
    if (mode == RasterMode::maxLongestEdge && !resolution.maxLongestEdge) resolution.maxLongestEdge = kDefaultLongestEdge;
}

bool convertsFrameRate(const DeliveryPreset& preset) {
    return preset.requirements.fps && preset.requirements.fps->mode == FrameRatePolicy::exact;
}

void setConvertsFrameRate(DeliveryPreset& preset, bool on) {
    if (on)
        preset.requirements.fps = FPS{.mode = FrameRatePolicy::exact, .value = kDefaultFramesPerSecond, .tolerance = 0.01};
    else
        preset.requirements.fps.reset();
}

DeliveryPreset normalizedForSave(DeliveryPreset preset, const std::filesystem::path& resourceRoot) {
    normalizeRate(preset.encoding.rateControl, preset.encoding.videoCodec);
    Audio& audio = preset.encoding.audio;
    if (audio.codec != "aac" && audio.codec != "opus") audio.bitrateKbps.reset();
    preset.normalizedName = UserText::lowercased(preset.name);
    preset.validated(resourceRoot);
    return preset;
}

}  // namespace marrowick::PresetEditing
