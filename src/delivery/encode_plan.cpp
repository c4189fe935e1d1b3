// Encode planning: raster, frame rate, framing and warnings of one film against one preset.
#include "delivery/encode_plan.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <utility>

#include "delivery/colour_confirmation.h"
#include "model/decimal_text.h"
#include "model/film_name.h"
#include "model/review_error.h"

namespace marrowick {
namespace {

constexpr double kDurationLimitTolerance = 0.02;
constexpr double kPermittedDurationTolerance = 0.05;
constexpr double kAspectTolerance = 0.01;
constexpr double kNtscRateTolerance = 0.002;
constexpr std::int64_t kSmallestScaledSide = 16;

bool isHighDynamicRange(const SourceProbe& source) {
    return source.transfer == "smpte2084" || source.transfer == "arib-std-b67" || source.transfer == "linear";
}

// One side scaled by s and kept even: 2 × round(s × side / 2), halves away from zero.
std::int64_t scaledEvenSide(double scale, std::int64_t side) {
    const double half = std::round(scale * static_cast<double>(side) * 0.5);
    return std::max<std::int64_t>(static_cast<std::int64_t>(half) * 2, kSmallestScaledSide);
}

void checkDuration(const DeliveryPreset& preset, const Film& film) {
    const Requirements& rules = preset.requirements;
    if (rules.maxDurationSeconds && film.duration > *rules.maxDurationSeconds + kDurationLimitTolerance)
        throw ReviewError(preset.name + ": " + fileName(film) + " exceeds the " + decimalText(*rules.maxDurationSeconds) +
                          "s limit. No automatic trimming is performed.");
    if (rules.minDurationSeconds && film.duration < *rules.minDurationSeconds - kDurationLimitTolerance)
        throw ReviewError(preset.name + ": source is shorter than " + decimalText(*rules.minDurationSeconds) + "s.");
    if (!rules.allowedDurationsSeconds) return;
    const bool permitted = std::any_of(rules.allowedDurationsSeconds->begin(), rules.allowedDurationsSeconds->end(),
                                       [&](double allowed) { return std::abs(allowed - film.duration) < kPermittedDurationTolerance; });
    if (!permitted) throw ReviewError(preset.name + ": source duration does not match its permitted durations.");
}

void checkAudio(const DeliveryPreset& preset, const SourceProbe& source) {
    const std::optional<AudioRequirement>& demand = preset.requirements.audio;
    if (demand && demand->required && source.audio.empty())
        throw ReviewError(preset.name + " requires source audio. No silence will be inserted automatically.");
    const bool xdcam = preset.encoding.videoCodec == "mpeg2video";
    if (xdcam && (source.audio.empty() || source.audio.front().channels != 2))
        throw ReviewError("XDCAM requires a stereo first audio stream for the locked L/R dual-mono mapping.");
}

// The plan's output rate: the exact rate a preset converts to, or nothing when the source rate is
// kept (after checking that the preset permits it).
std::optional<double> frameRate(const DeliveryPreset& preset, const Film& film) {
    if (!preset.requirements.fps) return std::nullopt;
    const FPS& policy = *preset.requirements.fps;
    if (policy.mode == FrameRatePolicy::exact) return policy.value;
    if (policy.mode == FrameRatePolicy::allowed) {
        const double tolerance = policy.tolerance.value_or(kFrameRateTolerance);
        const std::vector<double> values = policy.values.value_or(std::vector<double>{});
        const bool permitted = std::any_of(values.begin(), values.end(),
                                           [&](double rate) { return std::abs(rate - film.fps) < tolerance; });
        if (!permitted)
            throw ReviewError(preset.name +
                              " does not permit this source frame rate. Create an exact-rate preset to convert explicitly.");
        return std::nullopt;
    }
    const double lowest = policy.min.value_or(-std::numeric_limits<double>::infinity());
    const double highest = policy.max.value_or(std::numeric_limits<double>::infinity());
    if (!(film.fps >= lowest && film.fps <= highest))
        throw ReviewError(preset.name + ": source frame rate is outside its permitted range.");
    return std::nullopt;
}

double aspect(double width, double height) { return width / height; }

std::vector<std::string> planWarnings(const EncodePlan& plan, const Film& film, const SourceProbe& source) {
    std::vector<std::string> notes;
    if (MasteringExporter::hasUntaggedColour(source))
        notes.emplace_back("Untagged source colour is assumed SDR Rec.709; confirm this before exporting.");
    if (plan.fps && std::abs(*plan.fps - film.fps) > kFrameRateTolerance)
        notes.push_back("Frame-rate conversion to " + decimalText(*plan.fps) + " fps; running time is unchanged.");
    const double canvasAspect = aspect(static_cast<double>(plan.width), static_cast<double>(plan.height));
    const double filmAspect = aspect(static_cast<double>(film.width), static_cast<double>(film.height));
    if (std::abs(canvasAspect - filmAspect) > kAspectTolerance)
        notes.emplace_back(plan.framing == Framing::pad ? "Canvas includes letterbox/pillarbox padding." : "Canvas crops picture edges.");
    const std::optional<double>& recommendedMax = plan.preset.requirements.recommendedMaxDurationSeconds;
    if (recommendedMax && *recommendedMax < film.duration)
        notes.push_back("Exceeds the target's recommended duration of " + decimalText(*recommendedMax) + "s.");
    return notes;
}

}  // namespace

RasterSize EncodePlan::outputSize(const DeliveryPreset& preset, const Film& film) {
    const Resolution& resolution = preset.requirements.resolution;
    RasterSize size = resolution.mode == RasterMode::exact ? RasterSize{resolution.width.value_or(0), resolution.height.value_or(0)}
                                                 : RasterSize{film.width, film.height};
    const std::int64_t longer = std::max(size.width, size.height);
    if (resolution.mode == RasterMode::maxLongestEdge && resolution.maxLongestEdge && *resolution.maxLongestEdge < longer) {
        const double scale = static_cast<double>(*resolution.maxLongestEdge) / static_cast<double>(longer);
        size = {scaledEvenSide(scale, size.width), scaledEvenSide(scale, size.height)};
    }
    const auto usable = [](std::int64_t side) { return side >= 1 && side % 2 == 0; };
    if (!usable(size.width) || !usable(size.height))
        throw ReviewError(
            "This encoder requires an even raster. Create an exact-raster preset to conform odd dimensions explicitly.");
    return size;
}

EncodePlan EncodePlan::make(const DeliveryPreset& preset, const Film& film, const SourceProbe& source,
                            Framing framing, const std::filesystem::path& resourceRoot) {
    preset.validated(resourceRoot);
    if (isHighDynamicRange(source))
        throw ReviewError(fileName(film) +
                          ": HDR/linear media needs a colour-managed finish before this SDR exporter. It will not be "
                          "silently relabelled or tone-mapped.");
    checkDuration(preset, film);
    checkAudio(preset, source);
    const RasterSize size = outputSize(preset, film);
    EncodePlan plan{preset, size.width, size.height, frameRate(preset, film), framing, {}};
    plan.warnings = planWarnings(plan, film, source);
    return plan;
}

std::string EncodePlan::fpsString(double rate) {
    static constexpr std::array<std::pair<double, const char*>, 3> kNtscRates{
        {{23.976, "24000/1001"}, {29.97, "30000/1001"}, {59.94, "60000/1001"}}};
    for (const auto& [nominal, fraction] : kNtscRates)
        if (std::abs(rate - nominal) <= kNtscRateTolerance) return fraction;
    return decimalText(rate);
}

}  // namespace marrowick
