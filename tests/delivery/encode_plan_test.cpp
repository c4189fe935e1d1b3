// Encode planning: rasters, refusals in their order, frame-rate policies and the warnings.
#include "delivery/encode_plan.h"

#include <gtest/gtest.h>

#include "delivery/preset_catalogue.h"
#include "delivery/preset_fixtures.h"
#include "raised_message.h"

namespace marrowick {
namespace {

using testing::resourceRoot;
using testing::webPreset;

Film film(double duration = 30, double fps = 25, std::int64_t width = 1920, std::int64_t height = 1080) {
    Film film;
    film.path = "/films/Spot A.mov";
    film.duration = duration;
    film.fps = fps;
    film.width = width;
    film.height = height;
    return film;
}

SourceProbe taggedStereo() {
    SourceProbe source;
    source.transfer = source.primaries = source.matrix = "bt709";
    source.audio = {{"aac", 2, 48000}};
    return source;
}

DeliveryPreset withResolution(RasterMode mode, std::optional<std::int64_t> limit = {}) {
    DeliveryPreset preset = webPreset("Web");
    preset.requirements.resolution = {mode, std::nullopt, std::nullopt, limit};
    return preset;
}

DeliveryPreset withFps(FPS fps) {
    DeliveryPreset preset = webPreset("Web");
    preset.requirements.fps = std::move(fps);
    return preset;
}

EncodePlan plan(const DeliveryPreset& preset, const Film& source, const SourceProbe& probe = taggedStereo(),
                Framing framing = Framing::pad) {
    return EncodePlan::make(preset, source, probe, framing, resourceRoot());
}

std::string refusal(const DeliveryPreset& preset, const Film& source, const SourceProbe& probe = taggedStereo(),
                    Framing framing = Framing::pad) {
    return testing::raisedMessage([&] { plan(preset, source, probe, framing); });
}

const std::string kEvenRaster =
    "This encoder requires an even raster. Create an exact-raster preset to conform odd dimensions explicitly.";

TEST(EncodePlanSize, LongestEdgeLimitsScaleDownOnlyAndStayEven) {
    EXPECT_EQ(EncodePlan::outputSize(withResolution(RasterMode::maxLongestEdge, 1920), film(30, 25, 3840, 2160)),
              (RasterSize{1920, 1080}));
    EXPECT_EQ(EncodePlan::outputSize(withResolution(RasterMode::maxLongestEdge, 4096), film(30, 25, 3840, 2160)),
              (RasterSize{3840, 2160}));
    // 562 × 0.5 / 2 = 140.5 rounds away from zero to 141: 282, not 280.
    EXPECT_EQ(EncodePlan::outputSize(withResolution(RasterMode::maxLongestEdge, 500), film(30, 25, 1000, 562)),
              (RasterSize{500, 282}));
    // A sliver would scale below 16 pixels; it is held at 16.
    EXPECT_EQ(EncodePlan::outputSize(withResolution(RasterMode::maxLongestEdge, 1000), film(30, 25, 4000, 20)),
              (RasterSize{1000, 16}));
    // Portrait: the height is the longer edge.
    EXPECT_EQ(EncodePlan::outputSize(withResolution(RasterMode::maxLongestEdge, 1920), film(30, 25, 2160, 3840)),
              (RasterSize{1080, 1920}));
}

TEST(EncodePlanSize, SourceRastersMustBeEvenWhileExactCanvasesConformThem) {
    EXPECT_EQ(EncodePlan::outputSize(withResolution(RasterMode::source), film(30, 25, 1280, 720)), (RasterSize{1280, 720}));
    for (const Film& odd : {film(30, 25, 1921, 1080), film(30, 25, 1920, 1081), film(30, 25, 0, 1080)})
        EXPECT_EQ(testing::raisedMessage([&] { EncodePlan::outputSize(withResolution(RasterMode::source), odd); }), kEvenRaster);
    // A longest-edge limit above the odd raster keeps it, and so refuses it too.
    EXPECT_EQ(testing::raisedMessage([&] { EncodePlan::outputSize(withResolution(RasterMode::maxLongestEdge, 4096), film(30, 25, 1921, 1080)); }),
              kEvenRaster);

    const EncodePlan exact = plan(webPreset("Web"), film(30, 25, 1921, 1080));
    EXPECT_EQ(exact.width, 1920);
    EXPECT_EQ(exact.height, 1080);
    EXPECT_TRUE(exact.warnings.empty());  // 1921:1080 is within 0.01 of 16:9
}

TEST(EncodePlanRefusals, HighDynamicRangeIsRefusedBeforeAnyOtherRule) {
    DeliveryPreset preset = webPreset("Web");
    preset.requirements.maxDurationSeconds = 10;
    for (const char* transfer : {"smpte2084", "arib-std-b67", "linear"}) {
        SourceProbe hdr = taggedStereo();
        hdr.transfer = transfer;
        EXPECT_EQ(refusal(preset, film(30), hdr),
                  "Spot A.mov: HDR/linear media needs a colour-managed finish before this SDR exporter. It will not be "
                  "silently relabelled or tone-mapped.");
    }
}

TEST(EncodePlanRefusals, InvalidPresetsComeFirst) {
    DeliveryPreset broken = webPreset("Web");
    broken.encoding.container = "webm";
    SourceProbe hdr = taggedStereo();
    hdr.transfer = "smpte2084";
    EXPECT_TRUE(refusal(broken, film(), hdr).starts_with("Web: "));
}

TEST(EncodePlanRefusals, DurationLimitsAllowTwoHundredthsOfASecond) {
    DeliveryPreset preset = webPreset("Web");
    preset.requirements.maxDurationSeconds = 30;
    preset.requirements.minDurationSeconds = 5;
    EXPECT_NO_THROW(plan(preset, film(30.01)));
    EXPECT_EQ(refusal(preset, film(30.03)), "Web: Spot A.mov exceeds the 30.0s limit. No automatic trimming is performed.");
    EXPECT_NO_THROW(plan(preset, film(4.99)));
    EXPECT_EQ(refusal(preset, film(4.97)), "Web: source is shorter than 5.0s.");
    preset.requirements.maxDurationSeconds = 14.5;
    preset.requirements.minDurationSeconds = 20;  // an impossible window reports the upper limit
    EXPECT_EQ(refusal(preset, film(15)), "Web: Spot A.mov exceeds the 14.5s limit. No automatic trimming is performed.");
}

TEST(EncodePlanRefusals, PermittedDurationsAllowLessThanFiveHundredths) {
    DeliveryPreset preset = webPreset("Web");
    preset.requirements.allowedDurationsSeconds = std::vector<double>{15, 30};
    EXPECT_NO_THROW(plan(preset, film(29.96)));
    EXPECT_NO_THROW(plan(preset, film(15.04)));
    EXPECT_EQ(refusal(preset, film(29.95)), "Web: source duration does not match its permitted durations.");
    preset.requirements.allowedDurationsSeconds = std::vector<double>{};
    EXPECT_EQ(refusal(preset, film(30)), "Web: source duration does not match its permitted durations.");
}

TEST(EncodePlanRefusals, AudioDemandsAreNeverMetWithSilence) {
    DeliveryPreset preset = webPreset("Web");
    preset.requirements.audio = AudioRequirement{true, std::nullopt, std::nullopt, std::nullopt};
    SourceProbe silent = taggedStereo();
    silent.audio.clear();
    EXPECT_EQ(refusal(preset, film(), silent), "Web requires source audio. No silence will be inserted automatically.");
    preset.requirements.audio->required = false;
    EXPECT_NO_THROW(plan(preset, film(), silent));
}

TEST(EncodePlanRefusals, XdcamNeedsAStereoFirstAudioStream) {
    const std::vector<DeliveryPreset> catalogue = PresetCatalogue::bundled(resourceRoot());
    const auto xdcam = std::find_if(catalogue.begin(), catalogue.end(),
                                    [](const DeliveryPreset& p) { return p.key == kXdcamPresetKey; });
    ASSERT_NE(xdcam, catalogue.end());
    SourceProbe monoFirst = taggedStereo();
    monoFirst.audio = {{"pcm_s24le", 1, 48000}, {"pcm_s24le", 2, 48000}};
    EXPECT_EQ(refusal(*xdcam, film(), monoFirst),
              "XDCAM requires a stereo first audio stream for the locked L/R dual-mono mapping.");
    const EncodePlan stereo = plan(*xdcam, film(30, 29.97));
    EXPECT_EQ(stereo.fps, 25.0);
    EXPECT_EQ(stereo.warnings, (std::vector<std::string>{"Frame-rate conversion to 25.0 fps; running time is unchanged."}));
}

TEST(EncodePlanFrameRate, AllowedRatesKeepTheSourceRateWithinTheirTolerance) {
    const DeliveryPreset strict = withFps({FrameRatePolicy::allowed, std::nullopt, std::nullopt, std::vector<double>{25, 50}, {}, {}});
    EXPECT_EQ(refusal(strict, film(30, 29.97)),
              "Web does not permit this source frame rate. Create an exact-rate preset to convert explicitly.");
    EXPECT_EQ(plan(strict, film(30, 25.01)).fps, std::nullopt);
    EXPECT_NE(refusal(strict, film(30, 25.03)), "");
    const DeliveryPreset loose = withFps({FrameRatePolicy::allowed, std::nullopt, 0.5, std::vector<double>{25, 50}, {}, {}});
    EXPECT_NO_THROW(plan(loose, film(30, 49.6)));
}

TEST(EncodePlanFrameRate, RangesIncludeBothBounds) {
    const DeliveryPreset preset = withFps({FrameRatePolicy::range, std::nullopt, std::nullopt, std::nullopt, 24.0, 30.0});
    EXPECT_NO_THROW(plan(preset, film(30, 24)));
    EXPECT_NO_THROW(plan(preset, film(30, 30)));
    EXPECT_EQ(refusal(preset, film(30, 50)), "Web: source frame rate is outside its permitted range.");
    EXPECT_EQ(refusal(preset, film(30, 23.99)), "Web: source frame rate is outside its permitted range.");
}

TEST(EncodePlanFrameRate, ExactRatesConvertAndSayWhenTheRateChanges) {
    const DeliveryPreset preset = withFps({FrameRatePolicy::exact, 25.0, std::nullopt, std::nullopt, {}, {}});
    const EncodePlan same = plan(preset, film(30, 25));
    EXPECT_EQ(same.fps, 25.0);
    EXPECT_TRUE(same.warnings.empty());
    EXPECT_TRUE(plan(preset, film(30, 25.02)).warnings.empty());
    EXPECT_EQ(plan(preset, film(30, 29.97)).warnings,
              (std::vector<std::string>{"Frame-rate conversion to 25.0 fps; running time is unchanged."}));
    EXPECT_EQ(plan(webPreset("Web"), film(30, 29.97)).fps, std::nullopt);
}

TEST(EncodePlanWarnings, AllFourInTheirOrder) {
    DeliveryPreset preset = withFps({FrameRatePolicy::exact, 23.976, std::nullopt, std::nullopt, {}, {}});
    preset.requirements.recommendedMaxDurationSeconds = 15;
    SourceProbe untagged = taggedStereo();
    untagged.transfer = "unknown";  // the primaries alone being tagged is not enough
    const Film square = film(20, 25, 1080, 1080);
    EXPECT_EQ(plan(preset, square, untagged).warnings,
              (std::vector<std::string>{"Untagged source colour is assumed SDR Rec.709; confirm this before exporting.",
                                        "Frame-rate conversion to 23.976 fps; running time is unchanged.",
                                        "Canvas includes letterbox/pillarbox padding.",
                                        "Exceeds the target's recommended duration of 15.0s."}));
    const EncodePlan cropped = plan(preset, film(15, 23.976, 1080, 1080), taggedStereo(), Framing::crop);
    EXPECT_EQ(cropped.framing, Framing::crop);
    EXPECT_EQ(cropped.warnings, (std::vector<std::string>{"Canvas crops picture edges."}));
    SourceProbe noPrimaries = taggedStereo();
    noPrimaries.primaries = "unknown";
    EXPECT_EQ(plan(webPreset("Web"), film(), noPrimaries).warnings.size(), 1u);
}

TEST(EncodePlanFrameRate, NtscRatesAreWrittenAsFractions) {
    EXPECT_EQ(EncodePlan::fpsString(23.976), "24000/1001");
    EXPECT_EQ(EncodePlan::fpsString(23.9776), "24000/1001");
    EXPECT_EQ(EncodePlan::fpsString(29.97), "30000/1001");
    EXPECT_EQ(EncodePlan::fpsString(30000.0 / 1001.0), "30000/1001");
    EXPECT_EQ(EncodePlan::fpsString(59.94), "60000/1001");
    EXPECT_EQ(EncodePlan::fpsString(25), "25.0");
    EXPECT_EQ(EncodePlan::fpsString(24), "24.0");
    EXPECT_EQ(EncodePlan::fpsString(29.96), "29.96");
    EXPECT_EQ(EncodePlan::fpsString(12.5), "12.5");
}

}  // namespace
}  // namespace marrowick
