// The preset editor's rules: codec defaults, raster and frame-rate toggles, save normalisation.
#include "delivery/preset_editing.h"

#include <gtest/gtest.h>

#include "delivery/preset_fixtures.h"
#include "delivery/preset_operations.h"
#include "model/review_error.h"
#include "raised_message.h"

namespace marrowick {
namespace {

using testing::resourceRoot;

std::string failureOf(const DeliveryPreset& preset) {
    return testing::raisedMessage([&] { PresetEditing::normalizedForSave(preset, resourceRoot()); });
}

TEST(PresetEditing, SwitchingProResToVp9GivesTheWebMRecipeThatValidates) {
    DeliveryPreset preset = PresetOperations::newMasteringPreset();
    PresetEditing::chooseCodec(preset, "vp9");
    const Encoding& e = preset.encoding;
    EXPECT_EQ(e.container, "webm");
    EXPECT_EQ(e.videoProfile, "2");
    EXPECT_EQ(e.pixelFormat, "yuv420p10le");
    EXPECT_EQ(e.rateControl, (Rate{.mode = RateMode::crf, .crf = 30.0}));
    EXPECT_EQ(e.encoderPreset, "good");
    EXPECT_EQ(e.audio, (Audio{.codec = "opus", .bitrateKbps = 192, .channels = 2, .sampleRate = 48000}));
    EXPECT_EQ(failureOf(preset), "");
}

TEST(PresetEditing, ProResDefaultsFollowTheCodecAndDropDeliveryValues) {
    DeliveryPreset preset = PresetOperations::newMasteringPreset();
    PresetEditing::chooseCodec(preset, "h264");
    preset.encoding.faststart = true;
    preset.encoding.advancedRecipe = JSONValue(JSONValue::Object{});
    PresetEditing::chooseCodec(preset, "prores_4444xq");
    const Encoding& e = preset.encoding;
    EXPECT_EQ(e.container, "mov");
    EXPECT_EQ(e.videoProfile, "5");
    EXPECT_EQ(e.pixelFormat, "yuva444p10le");
    EXPECT_EQ(e.rateControl, Rate{.mode = RateMode::quality});
    EXPECT_EQ(e.encoderPreset, std::nullopt);
    EXPECT_EQ(e.audio, (Audio{.codec = "pcm_s24le", .sampleRate = 48000}));
    EXPECT_EQ(e.faststart, std::nullopt);
    EXPECT_EQ(e.advancedRecipe, std::nullopt);

    PresetEditing::chooseCodec(preset, "hevc");
    EXPECT_EQ(preset.encoding.videoProfile, "main10");
    EXPECT_EQ(preset.encoding.encoderPreset, "slow");
    EXPECT_EQ(preset.encoding.rateControl, (Rate{.mode = RateMode::crf, .crf = 18.0}));
    EXPECT_EQ(failureOf(preset), "");
}

TEST(PresetEditing, CbrSaveFillsTheRangeAndBufferFromTheBitrate) {
    DeliveryPreset preset = PresetOperations::newMasteringPreset();
    PresetEditing::chooseCodec(preset, "h264");
    preset.encoding.rateControl = {.mode = RateMode::cbr, .crf = 18.0, .bitrateKbps = 8000, .bufsizeKbps = 500};
    const DeliveryPreset saved = PresetEditing::normalizedForSave(preset, resourceRoot());
    EXPECT_EQ(saved.encoding.rateControl,
              (Rate{.mode = RateMode::cbr, .bitrateKbps = 8000, .minrateKbps = 8000, .maxrateKbps = 8000, .bufsizeBits = 16'000'000}));

    preset.encoding.rateControl = {.mode = RateMode::cbr, .bitrateKbps = 0};
    EXPECT_EQ(failureOf(preset), "Video bitrate is out of range.");
    preset.encoding.rateControl = {.mode = RateMode::cbr, .bitrateKbps = 1'000'001};
    EXPECT_EQ(failureOf(preset), "Video bitrate is out of range.");
}

TEST(PresetEditing, SaveClearsWhatTheModesDoNotUse) {
    DeliveryPreset preset = PresetOperations::newMasteringPreset();
    preset.name = "Ärchive MASTER";
    preset.encoding.rateControl.bitrateKbps = 9000;
    preset.encoding.audio.bitrateKbps = 320;
    DeliveryPreset saved = PresetEditing::normalizedForSave(preset, resourceRoot());
    EXPECT_EQ(saved.encoding.rateControl, Rate{.mode = RateMode::quality});
    EXPECT_EQ(saved.encoding.audio.bitrateKbps, std::nullopt);
    EXPECT_EQ(saved.normalizedName, "ärchive master");

    PresetEditing::chooseCodec(preset, "vp9");
    preset.encoding.rateControl = {.mode = RateMode::crf, .bitrateKbps = 5000, .minrateKbps = 1, .maxrateKbps = 6000,
                                   .bufsizeKbps = 7000, .bufsizeBits = 8};
    saved = PresetEditing::normalizedForSave(preset, resourceRoot());
    EXPECT_EQ(saved.encoding.rateControl, (Rate{.mode = RateMode::crf, .crf = 30.0, .maxrateKbps = 6000, .bufsizeKbps = 7000}));

    preset.encoding.rateControl = {.mode = RateMode::vbr, .crf = 20.0};
    saved = PresetEditing::normalizedForSave(preset, resourceRoot());
    EXPECT_EQ(saved.encoding.rateControl, (Rate{.mode = RateMode::vbr, .bitrateKbps = 12000}));
}

TEST(PresetEditing, SaveReportsTheValidationMessage) {
    DeliveryPreset preset = PresetOperations::newMasteringPreset();
    PresetEditing::chooseCodec(preset, "vp9");
    preset.encoding.container = "mov";
    EXPECT_EQ(failureOf(preset), "New mastering preset: VP9 requires WebM");
}

TEST(PresetEditing, RasterAndFrameRateTogglesFillOnlyWhatIsMissing) {
    DeliveryPreset preset = PresetOperations::newMasteringPreset();
    preset.requirements.resolution.height = 720;
    PresetEditing::chooseRaster(preset, RasterMode::exact);
    EXPECT_EQ(preset.requirements.resolution.width, 1920);
    EXPECT_EQ(preset.requirements.resolution.height, 720);
    EXPECT_EQ(preset.requirements.resolution.maxLongestEdge, std::nullopt);
    PresetEditing::chooseRaster(preset, RasterMode::maxLongestEdge);
    EXPECT_EQ(preset.requirements.resolution.maxLongestEdge, 1920);

    preset.requirements.fps = FPS{.mode = FrameRatePolicy::allowed, .tolerance = 0.5, .values = std::vector<double>{25}};
    EXPECT_FALSE(PresetEditing::convertsFrameRate(preset));
    PresetEditing::setConvertsFrameRate(preset, true);
    EXPECT_EQ(preset.requirements.fps, (FPS{.mode = FrameRatePolicy::exact, .value = 25.0, .tolerance = 0.01}));
    EXPECT_TRUE(PresetEditing::convertsFrameRate(preset));
    PresetEditing::setConvertsFrameRate(preset, false);
    EXPECT_EQ(preset.requirements.fps, std::nullopt);
}

}  // namespace
}  // namespace marrowick
