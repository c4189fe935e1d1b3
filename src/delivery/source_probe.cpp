// Reading FFprobe's JSON report into a SourceProbe.
#include "delivery/source_probe.h"

#include <algorithm>
#include <charconv>
#include <cstdint>

#include <nlohmann/json.hpp>

#include "delivery/internal/bounded_json.h"
#include "delivery/local_process.h"
#include "model/review_error.h"

namespace marrowick {
namespace {

using nlohmann::json;

// The report's streams, or none when "streams" is missing or is not an array of objects.
json::array_t streams(const json& report) {
    if (!report.is_object()) return {};
    const auto found = report.find("streams");
    if (found == report.end() || !found->is_array()) return {};
    for (const json& stream : *found)
        if (!stream.is_object()) return {};
    return found->get<json::array_t>();
}

bool hasType(const json& stream, const char* type) {
    const auto found = stream.find("codec_type");
    return found != stream.end() && found->is_string() && found->get_ref<const std::string&>() == type;
}

std::string stringOr(const json& stream, const char* name, const std::string& fallback) {
    const auto found = stream.find(name);
    return found != stream.end() && found->is_string() ? found->get<std::string>() : fallback;
}

std::int64_t integerOr0(const json& stream, const char* name) {
    const auto found = stream.find(name);
    if (found == stream.end()) return 0;
    if (found->is_number_integer() && !found->is_number_unsigned()) return found->get<std::int64_t>();
    if (found->is_number_unsigned() && found->get<std::uint64_t>() <= INT64_MAX) return found->get<std::int64_t>();
    return 0;
}

// A base-10 integer with an optional leading sign, as the whole text; anything else is 0.
std::int64_t decimalOr0(std::string_view text) {
    if (text.starts_with('+')) {
        text.remove_prefix(1);
        if (text.starts_with('-')) return 0;
    }
    std::int64_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size() ? value : 0;
}

SourceProbe::Audio audioStream(const json& stream) {
    return {stringOr(stream, "codec_name", ""), integerOr0(stream, "channels"),
            decimalOr0(stringOr(stream, "sample_rate", ""))};
}

// The "timecode" tag when "tags" is an object whose values are all strings.
std::optional<std::string> videoTimecode(const json& stream) {
    const auto tags = stream.find("tags");
    if (tags == stream.end() || !tags->is_object()) return std::nullopt;
    for (const auto& [name, value] : tags->items())
        if (!value.is_string()) return std::nullopt;
    const auto found = tags->find("timecode");
    if (found == tags->end()) return std::nullopt;
    return found->get<std::string>();
}

}  // namespace

SourceProbe SourceProbe::parse(std::string report) {
    const nlohmann::json document = BoundedJson::parse(report, "FFprobe's report could not be read: ");
    const nlohmann::json::array_t all = streams(document);
    const auto video = std::find_if(all.begin(), all.end(), [](const nlohmann::json& stream) { return hasType(stream, "video"); });
    if (video == all.end()) throw ReviewError("No FFmpeg-readable video stream.");
    SourceProbe probe;
    for (const nlohmann::json& stream : all)
        if (hasType(stream, "audio")) probe.audio.push_back(audioStream(stream));
    probe.transfer = stringOr(*video, "color_transfer", "unknown");
    probe.primaries = stringOr(*video, "color_primaries", "unknown");
    probe.matrix = stringOr(*video, "color_space", "unknown");
    probe.range = stringOr(*video, "color_range", "unknown");
    probe.pixelFormat = stringOr(*video, "pix_fmt", "");
    probe.timecode = videoTimecode(*video);
    probe.json = std::move(report);
    return probe;
}

SourceProbe SourceProbe::read(const std::filesystem::path& file, const std::filesystem::path& ffprobe,
                              std::stop_token stop) {
    // A relative name that starts with "-" would read as an option.
    const std::string path = file.string().starts_with('-') ? "./" + file.string() : file.string();
    const std::vector<std::string> arguments{"-v", "error", "-show_streams", "-show_format", "-of", "json", path};
    return parse(LocalProcess::run(ffprobe, arguments, {}, std::move(stop)).data);
}

}  // namespace marrowick
