#include "delivery/delivery_preset.h"

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "delivery/preset_catalogue.h"
#include "delivery/preset_fixtures.h"
#include "model/review_error.h"
#include "raised_message.h"

namespace marrowick {
namespace {

using testing::resourceRoot;
using testing::webPreset;

// The validation message of a preset, or "" when it passes.
std::string failure(const DeliveryPreset& preset, const std::filesystem::path& root = resourceRoot()) {
    return testing::raisedMessage([&] { preset.validated(root); });
}

using Change = std::function<void(DeliveryPreset&)>;

std::string failureAfter(const Change& change, DeliveryPreset preset = webPreset()) {
    change(preset);
    return failure(preset);
}

// One rule of the preset check: a change to a valid preset and the message it then raises ("" when
// the changed preset still passes).
struct RuleCase {
    std::string name;
    Change change;
    std::string message;
};

void expectMessages(const std::vector<RuleCase>& cases, const DeliveryPreset& base = webPreset()) {
    for (const RuleCase& rule : cases) {
        SCOPED_TRACE(rule.name);
        EXPECT_EQ(failureAfter(rule.change, base), rule.message);
    }
}

// `first`, then `second`: a case on top of a base recipe.
Change then(Change first, Change second) {
    return [first = std::move(first), second = std::move(second)](DeliveryPreset& p) {
        first(p);
        second(p);
    };
}

DeliveryPreset catalogueXdcam() {
    for (const DeliveryPreset& preset : PresetCatalogue::bundled(resourceRoot()))
        if (preset.key == kXdcamPresetKey) return preset;
    throw std::runtime_error("no XDCAM preset in the catalogue");
}

constexpr const char* kLocked = "The XDCAM technical recipe is locked; it must match the bundled Castmere recipe exactly.";

TEST(DeliveryPreset, EncoderAndSummary) {
    DeliveryPreset preset = webPreset();
    EXPECT_EQ(preset.encoder(), "libx264");
    EXPECT_EQ(preset.summary(), "h264 \u00B7 MP4 \u00B7 yuv420p \u00B7 aac");
    preset.encoding.videoCodec = "prores_4444xq";
    EXPECT_EQ(preset.encoder(), "prores_ks");
    preset.encoding.videoCodec = "vp9";
    EXPECT_EQ(preset.encoder(), "libvpx-vp9");
    preset.encoding.videoCodec = "hevc";
    EXPECT_EQ(preset.encoder(), "libx265");

    preset.encoding.videoCodec = "prores_422hq";
    preset.encoding.container = "mov";
    preset.encoding.pixelFormat.reset();
    preset.encoding.audio.codec = "pcm_s24le";
    EXPECT_EQ(preset.summary(), "prores_422hq \u00B7 MOV \u00B7 source \u00B7 pcm_s24le");
}

TEST(DeliveryPreset, EqualityTellsAbsentFromPresent) {
    DeliveryPreset a = webPreset();
    DeliveryPreset b = webPreset();
    EXPECT_EQ(a, b);
    b.verifiedAt = "";
    EXPECT_NE(a, b);
    b = a;
    b.encoding.advancedRecipe = JSONValue();
    EXPECT_NE(a.encoding, b.encoding);
    b = a;
    b.requirements.aspectTolerancePercent = 2.0000001;
    EXPECT_NE(a.requirements, b.requirements);
}

TEST(DeliveryPresetValidation, ValidPresetIsReturnedUnchanged) {
    const DeliveryPreset preset = webPreset("  Padded name\t");
    EXPECT_EQ(&preset.validated(resourceRoot()), &preset);
    EXPECT_EQ(preset.name, "  Padded name\t");
}

TEST(DeliveryPresetValidation, IdentityCountsUserPerceivedCharacters) {
    // 120 family emoji are 120 characters although they take 25 bytes each.
    std::string families;
    for (int i = 0; i < 120; ++i) families += "\U0001F468\u200D\U0001F469\u200D\U0001F467";
    expectMessages({
        {"blank name", [](DeliveryPreset& p) { p.name = " \t\u00A0\u3000"; }, " \t\u00A0\u3000: invalid preset identity"},
        {"120 letters", [](DeliveryPreset& p) { p.name = std::string(120, 'a'); }, ""},
        {"121 letters", [](DeliveryPreset& p) { p.name = std::string(121, 'a'); },
         std::string(121, 'a') + ": invalid preset identity"},
        {"120 family emoji", [&](DeliveryPreset& p) { p.name = families; }, ""},
        // A line break is not trimmed, so a name of one line feed is not empty.
        {"line feed", [](DeliveryPreset& p) { p.name = "\n"; }, ""},
        {"200-character key", [](DeliveryPreset& p) { p.key = std::string(200, 'k'); }, ""},
        {"201-character key", [](DeliveryPreset& p) { p.key = std::string(201, 'k'); }, "Web 1080p: invalid preset identity"},
        {"empty key", [](DeliveryPreset& p) { p.key.clear(); }, "Web 1080p: invalid preset identity"},
        {"version 2", [](DeliveryPreset& p) { p.version = 2; }, "Web 1080p: invalid preset identity"},
    });
    EXPECT_NE(failureAfter([&](DeliveryPreset& p) { p.name = families + "e\u0301"; }), "");
}

TEST(DeliveryPresetValidation, ContainerCodecAndPixelFormatRulesComeInOrder) {
    const auto vp9InMov = [](const char* pixelFormat) -> Change {
        return [pixelFormat](DeliveryPreset& p) {
            p.encoding.container = "mov";
            p.encoding.videoCodec = "vp9";
            p.encoding.pixelFormat = pixelFormat;
        };
    };
    expectMessages({
        {"VP9 in MOV", vp9InMov("yuv420p"), "Web 1080p: VP9 requires WebM"},
        {"VP9 in MOV, 4:2:2", vp9InMov("yuv422p"), "Web 1080p: invalid pixel format for codec"},
        {"no pixel format", [](DeliveryPreset& p) { p.encoding.pixelFormat.reset(); }, "Web 1080p: invalid pixel format for codec"},
        {"AVI", [](DeliveryPreset& p) { p.encoding.container = "avi"; }, "Web 1080p: unsupported container"},
        {"AV1", [](DeliveryPreset& p) { p.encoding.videoCodec = "av1"; }, "Web 1080p: unsupported video codec"},
        {"H.264 in WebM", [](DeliveryPreset& p) { p.encoding.container = "webm"; }, "Web 1080p: H.264/HEVC requires MP4 or MOV"},
        {"PCM in MP4", [](DeliveryPreset& p) { p.encoding.audio.codec = "pcm_s24le"; }, "Web 1080p: MP4 requires AAC or no audio"},
        {"PCM in MOV",
         [](DeliveryPreset& p) {
             p.encoding.container = "mov";
             p.encoding.audio.codec = "pcm_s24le";
         },
         ""},
    });
}

TEST(DeliveryPresetValidation, ProResQualityModeIsCheckedBeforeRateControl) {
    const Change proRes = [](DeliveryPreset& p) {
        p.encoding.container = "mov";
        p.encoding.videoCodec = "prores_422hq";
        p.encoding.pixelFormat = "yuv422p10le";
        p.encoding.videoProfile = "3";
        p.encoding.encoderPreset.reset();
        p.encoding.rateControl = Rate{.mode = RateMode::quality};
    };
    expectMessages({
        {"ProRes", proRes, ""},
        {"ProRes with CRF", then(proRes, [](DeliveryPreset& p) { p.encoding.rateControl = Rate{.mode = RateMode::crf}; }),
         "Web 1080p: ProRes uses codec quality mode"},
        {"ProRes with another profile", then(proRes, [](DeliveryPreset& p) { p.encoding.videoProfile = "4"; }),
         "Web 1080p: ProRes profile must match codec"},
        {"quality mode for H.264", [](DeliveryPreset& p) { p.encoding.rateControl = Rate{.mode = RateMode::quality}; },
         "Web 1080p: quality mode is only supported for ProRes"},
    });
}

TEST(DeliveryPresetValidation, ProfilesMatchBitDepth) {
    const Change vp9 = [](DeliveryPreset& p) {
        p.encoding.container = "webm";
        p.encoding.videoCodec = "vp9";
        p.encoding.encoderPreset = "good";
        p.encoding.videoProfile = "0";
        p.encoding.audio.codec = "opus";
    };
    expectMessages({
        {"10-bit H.264, high", [](DeliveryPreset& p) { p.encoding.pixelFormat = "yuv420p10le"; },
         "Web 1080p: 10-bit H.264 requires High 10 profile"},
        {"10-bit HEVC, main",
         [](DeliveryPreset& p) {
             p.encoding.videoCodec = "hevc";
             p.encoding.pixelFormat = "yuv420p10le";
             p.encoding.videoProfile = "main";
         },
         "Web 1080p: 10-bit HEVC requires Main 10"},
        {"VP9", vp9, ""},
        {"10-bit VP9, profile 0", then(vp9, [](DeliveryPreset& p) { p.encoding.pixelFormat = "yuv420p10le"; }),
         "Web 1080p: VP9 profile must match bit depth"},
        {"VP9 with an x264 speed", then(vp9, [](DeliveryPreset& p) { p.encoding.encoderPreset = "slow"; }),
         "Web 1080p: invalid VP9 deadline"},
        {"H.264 with a VP9 deadline", [](DeliveryPreset& p) { p.encoding.encoderPreset = "good"; },
         "Web 1080p: invalid x264/x265 speed preset"},
    });
}

TEST(DeliveryPresetValidation, ConstantBitrateNeedsMatchingRatesAndABufferInBits) {
    const auto cbr = [](std::optional<std::int64_t> rate, bool bits) -> Change {
        return [rate, bits](DeliveryPreset& p) {
            p.encoding.rateControl = Rate{.mode = RateMode::cbr, .bitrateKbps = rate, .minrateKbps = rate, .maxrateKbps = rate};
            if (bits)
                p.encoding.rateControl.bufsizeBits = 16'000'000;
            else
                p.encoding.rateControl.bufsizeKbps = 16'000;
        };
    };
    expectMessages({
        {"CBR, buffer in kb", cbr(8000, false), "Web 1080p: CBR needs matching min/max bitrate and a buffer"},
        {"CBR, buffer in bits", cbr(8000, true), ""},
        {"CBR without a bitrate", cbr(std::nullopt, true), "Web 1080p: invalid bitrate"},
        {"CBR with a higher maximum",
         [](DeliveryPreset& p) {
             p.encoding.rateControl = Rate{.mode = RateMode::cbr, .bitrateKbps = 8000, .minrateKbps = 8000, .maxrateKbps = 9000,
                                           .bufsizeBits = 1};
         },
         "Web 1080p: CBR needs matching min/max bitrate and a buffer"},
        {"VBR maximum below the average",
         [](DeliveryPreset& p) { p.encoding.rateControl = Rate{.mode = RateMode::vbr, .bitrateKbps = 8000, .maxrateKbps = 7999}; },
         "Web 1080p: maximum bitrate must not be lower than the average"},
        {"buffer beyond 2 Gbit", [](DeliveryPreset& p) { p.encoding.rateControl.bufsizeBits = 2'000'000'001; },
         "Web 1080p: invalid buffer size"},
        {"zero maximum", [](DeliveryPreset& p) { p.encoding.rateControl.maxrateKbps = 0; },
         "Web 1080p: invalid buffer or rate limit"},
    });
}

TEST(DeliveryPresetValidation, ConstantRateFactorBoundsDependOnCodec) {
    const auto crf = [](std::string codec, double value) -> Change {
        return [codec, value](DeliveryPreset& p) {
            p.encoding.videoCodec = codec;
            p.encoding.videoProfile = codec == "hevc" ? "main" : "0";
            if (codec == "vp9") {
                p.encoding.container = "webm";
                p.encoding.encoderPreset = "good";
                p.encoding.audio.codec = "opus";
            }
            p.encoding.rateControl.crf = value;
        };
    };
    expectMessages({
        {"HEVC 51", crf("hevc", 51), ""},
        {"HEVC 52", crf("hevc", 52), "Web 1080p: CRF must be 0\u201351 for this codec"},
        {"VP9 63", crf("vp9", 63), ""},
        {"VP9 63.5", crf("vp9", 63.5), "Web 1080p: invalid CRF"},
        {"HEVC -0.5", crf("hevc", -0.5), "Web 1080p: invalid CRF"},
        {"no CRF", [](DeliveryPreset& p) { p.encoding.rateControl.crf.reset(); }, "Web 1080p: invalid CRF"},
    });
}

TEST(DeliveryPresetValidation, RasterBounds) {
    const auto raster = [](std::int64_t width, std::int64_t height) -> Change {
        return [width, height](DeliveryPreset& p) {
            p.requirements.resolution.width = width;
            p.requirements.resolution.height = height;
        };
    };
    const std::string bounds = "Web 1080p: dimensions must be even and between 16 and 16384";
    expectMessages({
        {"odd width", raster(1921, 1080), bounds},
        {"largest", raster(16384, 16), ""},
        {"too wide", raster(16386, 16), bounds},
        {"too narrow", raster(14, 1080), bounds},
        {"no height", [](DeliveryPreset& p) { p.requirements.resolution.height.reset(); },
         "Web 1080p: exact raster needs width and height"},
        {"longest edge without a limit",
         [](DeliveryPreset& p) { p.requirements.resolution = Resolution{.mode = RasterMode::maxLongestEdge}; },
         "Web 1080p: longest-edge limit missing"},
    });
}

TEST(DeliveryPresetValidation, FrameRateAndDurationPolicies) {
    const auto fps = [](FPS policy) -> Change { return [policy](DeliveryPreset& p) { p.requirements.fps = policy; }; };
    expectMessages({
        {"allowed without tolerance", fps({.mode = FrameRatePolicy::allowed, .tolerance = 0, .values = std::vector<double>{25}}),
         "Web 1080p: invalid frame-rate value"},
        {"allowed without rates", fps({.mode = FrameRatePolicy::allowed, .tolerance = 0.01, .values = std::vector<double>{}}),
         "Web 1080p: allowed frame rates missing"},
        {"inverted range", fps({.mode = FrameRatePolicy::range, .min = 30, .max = 24}), "Web 1080p: frame-rate range missing"},
        {"range of one rate", fps({.mode = FrameRatePolicy::range, .min = 24, .max = 24}), ""},
        {"exact without a rate", fps({.mode = FrameRatePolicy::exact}), "Web 1080p: frame rate missing"},
        {"exact 240.5", fps({.mode = FrameRatePolicy::exact, .value = 240.5}), "Web 1080p: invalid frame-rate value"},
        {"zero permitted duration",
         [](DeliveryPreset& p) { p.requirements.allowedDurationsSeconds = std::vector<double>{15, 0}; },
         "Web 1080p: invalid duration requirement"},
        {"maximum beyond a day", [](DeliveryPreset& p) { p.requirements.maxDurationSeconds = 86400.5; },
         "Web 1080p: invalid duration requirement"},
        // Nothing relates the minimum to the maximum.
        {"minimum above maximum",
         [](DeliveryPreset& p) {
             p.requirements.minDurationSeconds = 60;
             p.requirements.maxDurationSeconds = 30;
         },
         ""},
    });
}

TEST(DeliveryPresetValidation, AudioRequirementsAndFileNameParts) {
    const std::string separators = "Web 1080p: filename prefix/suffix must not contain path separators";
    expectMessages({
        {"required audio left out",
         [](DeliveryPreset& p) {
             p.requirements.audio = AudioRequirement{.required = true};
             p.encoding.audio = Audio{.codec = "none"};
         },
         "Web 1080p: this target requires audio"},
        {"mono required", [](DeliveryPreset& p) { p.requirements.audio = AudioRequirement{.channels = std::vector<std::int64_t>{1}}; },
         "Web 1080p: audio channel count conflicts with the target requirements"},
        {"44.1 kHz required",
         [](DeliveryPreset& p) { p.requirements.audio = AudioRequirement{.sampleRates = std::vector<std::int64_t>{44100}}; },
         "Web 1080p: audio sample rate conflicts with the target requirements"},
        {"32 kHz", [](DeliveryPreset& p) { p.encoding.audio.sampleRate = 32000; }, "Web 1080p: invalid sample rate"},
        {"17 channels", [](DeliveryPreset& p) { p.encoding.audio.channels = 17; }, "Web 1080p: invalid audio channels"},
        {"31 kb/s", [](DeliveryPreset& p) { p.encoding.audio.bitrateKbps = 31; }, "Web 1080p: invalid audio bitrate"},
        {"line break in suffix", [](DeliveryPreset& p) { p.suffix = "_web\r\n"; }, separators},
        {"NUL in prefix", [](DeliveryPreset& p) { p.prefix = std::string("a\0b", 3); }, separators},
        {"backslash in prefix", [](DeliveryPreset& p) { p.prefix = "a\\b"; }, separators},
        {"81-character suffix", [](DeliveryPreset& p) { p.suffix = std::string(81, 's'); }, separators},
        {"80-character suffix", [](DeliveryPreset& p) { p.suffix = std::string(80, 's'); }, ""},
        {"date in the pattern", [](DeliveryPreset& p) { p.outputPattern = "%filename_%date"; },
         "Web 1080p: only %filename output patterns are supported"},
    });
}

TEST(DeliveryPresetValidation, XdcamRecipeIsLocked) {
    DeliveryPreset xdcam = catalogueXdcam();
    xdcam.key = "custom:renamed";
    xdcam.name = "My XDCAM";
    xdcam.kind = "custom";
    xdcam.prefix = "tvc_";
    // The recipe's mono tracks differ from the requirement's two channels; the lock replaces that rule.
    ASSERT_TRUE(xdcam.requirements.audio && xdcam.encoding.audio.channels);
    EXPECT_NE(xdcam.requirements.audio->channels, std::vector<std::int64_t>{*xdcam.encoding.audio.channels});

    expectMessages(
        {
            {"renamed copy", [](DeliveryPreset&) {}, ""},
            {"buffer one bit larger",
             [](DeliveryPreset& p) { p.encoding.rateControl.bufsizeBits = *p.encoding.rateControl.bufsizeBits + 1; }, kLocked},
            {"another recommended duration",
             [](DeliveryPreset& p) { p.requirements.recommendedDurationsSeconds->push_back(90); }, kLocked},
            {"another recipe",
             [](DeliveryPreset& p) {
                 p.encoding.advancedRecipe = JSONValue(JSONValue::Object{{"video", JSONValue(JSONValue::Object{})}});
             },
             kLocked},
        },
        xdcam);
    expectMessages({{"H.264 claiming a recipe",
                     [](DeliveryPreset& p) { p.encoding.advancedRecipe = JSONValue(JSONValue::Object{}); }, kLocked}});
}

TEST(DeliveryPresetValidation, XdcamLockNeedsTheCatalogue) {
    testing::ScratchFolder folder;
    const std::filesystem::path root = testing::copyOfResources(folder);
    const DeliveryPreset xdcam = catalogueXdcam();
    std::filesystem::remove(root / "MasterTargets.json");
    EXPECT_EQ(failure(xdcam, root), "ProRes master catalogue missing.");
    EXPECT_EQ(failure(webPreset(), root), "");
    testing::writeText(root / "MasterTargets.json", "[]");
    testing::writeText(root / "DeliveryTargets.json", "[]");
    EXPECT_EQ(failure(xdcam, root), kLocked);
}

}  // namespace
}  // namespace marrowick
