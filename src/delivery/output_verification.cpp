// The ten output checks, read from FFprobe's report of the encoded file.
#include "delivery/output_verification.h"

#include <charconv>
#include <cmath>
#include <optional>
#include <string_view>

#include <nlohmann/json.hpp>

#include "delivery/internal/preset_rules.h"
#include "delivery/mastering_graph.h"
#include "model/review_error.h"

namespace marrowick::MasteringExporter {
namespace {

using nlohmann::json;

constexpr double kDurationTolerance_s = 0.15;

[[noreturn]] void fail(const char* message) { throw ReviewError(message); }

void require(bool condition, const char* message) {
    if (!condition) fail(message);
}

std::optional<double> parseNumber(std::string_view text) {
    double value = 0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    if (result.ec != std::errc{} || result.ptr != text.data() + text.size()) return std::nullopt;
    return value;
}

std::string stringMember(const json& object, const char* name) {
    const auto found = object.find(name);
    return found != object.end() && found->is_string() ? found->get<std::string>() : std::string();
}

std::optional<std::int64_t> integerMember(const json& object, const char* name) {
    const auto found = object.find(name);
    if (found == object.end() || !found->is_number_integer()) return std::nullopt;
    return found->get<std::int64_t>();
}

// The first stream whose "codec_type" is "video"; null when there is none.
const json* videoStream(const json& report) {
    const auto streams = report.find("streams");
    if (streams == report.end() || !streams->is_array()) return nullptr;
    for (const json& stream : *streams)
        if (stream.is_object() && stringMember(stream, "codec_type") == "video") return &stream;
    return nullptr;
}

// "a/b" with b > 0 as a / b; nothing otherwise.
std::optional<double> frameRate(const std::string& text) {
    const std::size_t slash = text.find('/');
    if (slash == std::string::npos) return std::nullopt;
    const auto numerator = parseNumber(std::string_view(text).substr(0, slash));
    const auto denominator = parseNumber(std::string_view(text).substr(slash + 1));
    if (!numerator || !denominator || !(*denominator > 0)) return std::nullopt;
    return *numerator / *denominator;
}

void checkPicture(const EncodePlan& plan, const json* video) {
    const Encoding& encoding = plan.preset.encoding;
    require(video && integerMember(*video, "width") == plan.width && integerMember(*video, "height") == plan.height,
            "Encoded raster does not match the preset.");
    require(stringMember(*video, "codec_name") == eCodec(encoding.videoCodec),
            "Encoded codec/pixel format does not match the preset.");
    if (encoding.pixelFormat) {
        const std::string pixelFormat = stringMember(*video, "pix_fmt");
        require(pixelFormat == *encoding.pixelFormat ||
                    (encoding.videoCodec.find("4444") != std::string::npos && pixelFormat == "yuva444p12le"),
                "Encoded codec/pixel format does not match the preset.");
    }
    if (encoding.videoCodec.starts_with("prores"))
        require(stringMember(*video, "profile") == PresetRules::proResReportedProfile(encoding.videoCodec),
                "Encoded ProRes profile does not match the preset.");
    const auto rate = frameRate(stringMember(*video, "avg_frame_rate"));
    if (plan.fps && rate)
        require(std::fabs(*rate - *plan.fps) <= kFrameRateTolerance, "Encoded frame rate does not match the preset.");
}

void checkAudio(const Audio& preset, const std::vector<SourceProbe::Audio>& streams) {
    if (preset.codec == "copy") return;
    for (const SourceProbe::Audio& stream : streams) {
        require(stream.codec == preset.codec, "Encoded audio codec differs from the preset.");
        require(!preset.sampleRate || stream.sampleRate == *preset.sampleRate,
                "Encoded audio sample rate differs from the preset.");
        require(!preset.channels || stream.channels == *preset.channels,
                "Encoded audio channel mapping differs from the preset.");
    }
}

std::optional<double> duration(const json& report) {
    const auto format = report.find("format");
    if (format == report.end() || !format->is_object()) return std::nullopt;
    const auto text = format->find("duration");
    if (text == format->end() || !text->is_string()) return std::nullopt;
    return parseNumber(text->get_ref<const std::string&>());
}

}  // namespace

std::string eCodec(const std::string& videoCodec) {
    if (videoCodec.starts_with("prores")) return "prores";
    if (videoCodec == "vp9" || videoCodec == "h264" || videoCodec == "hevc") return videoCodec;
    return "mpeg2video";
}

void verifyOutput(const EncodePlan& plan, const Film& film, const SourceProbe& source, const SourceProbe& output) {
    json report;
    try {
        report = json::parse(output.json);
    } catch (const json::exception& error) {
        throw ReviewError(error.what());
    }
    const Encoding& encoding = plan.preset.encoding;
    checkPicture(plan, report.is_object() ? videoStream(report) : nullptr);
    require(ColourTriple{output.primaries, output.transfer, output.matrix} == colour(&plan.preset, &source),
            "Encoded colour signalling does not match the export plan.");
    require(encoding.audio.codec == "none" || source.audio.empty() || !output.audio.empty(),
            "Encoded output lost source audio.");
    if (encoding.videoCodec == "mpeg2video")
        require(output.audio.size() == 2 && output.audio[0].channels == 1 && output.audio[1].channels == 1,
                "XDCAM dual-mono audio verification failed.");
    const auto seconds = duration(report);
    require(!seconds || std::fabs(*seconds - film.duration) <= kDurationTolerance_s,
            "Encoded duration differs from source.");
    checkAudio(encoding.audio, output.audio);
}

}  // namespace marrowick::MasteringExporter
