// Walking an OpenTimelineIO document with nlohmann::json.
#include "interchange/otio_reader.h"

#include <cmath>
#include <optional>

#include <nlohmann/json.hpp>

#include "model/review_error.h"

namespace marrowick::OtioReader {

namespace {

using nlohmann::json;

[[noreturn]] void unreadable(const std::string& why) { throw ReviewError("The cut list cannot be read: " + why + "."); }

bool hasSchema(const json& value, std::string_view name) {
    if (!value.is_object()) return false;
    const auto schema = value.find("OTIO_SCHEMA");
    if (schema == value.end() || !schema->is_string()) return false;
    const std::string& text = schema->get_ref<const std::string&>();
    return text.size() > name.size() && text.compare(0, name.size(), name) == 0 && text[name.size()] == '.';
}

std::optional<double> number(const json& object, const char* key) {
    const auto found = object.find(key);
    if (found == object.end() || !found->is_number()) return std::nullopt;
    const double value = found->get<double>();
    return std::isfinite(value) ? std::optional(value) : std::nullopt;
}

// A RationalTime: its value and rate.
struct Rational {
    double value = 0;
    double rate = 0;
    double seconds() const { return value / rate; }
};

std::optional<Rational> rationalTime(const json& object, const char* key) {
    if (!object.is_object()) return std::nullopt;
    const auto found = object.find(key);
    if (found == object.end() || !found->is_object()) return std::nullopt;
    const std::optional<double> value = number(*found, "value");
    const std::optional<double> rate = number(*found, "rate");
    if (!value || !rate || !(*rate > 0)) return std::nullopt;
    return Rational{*value, *rate};
}

// The duration of a clip, gap or nested composition: its source range, else for a clip the
// available range of its media.
std::optional<Rational> itemDuration(const json& item) {
    const auto range = item.find("source_range");
    if (range != item.end() && range->is_object()) return rationalTime(*range, "duration");
    const auto media = item.find("media_reference");
    if (media == item.end() || !media->is_object()) return std::nullopt;
    const auto available = media->find("available_range");
    if (available == media->end()) return std::nullopt;
    return rationalTime(*available, "duration");
}

const json& videoTrack(const json& timeline) {
    const auto stack = timeline.find("tracks");
    if (stack == timeline.end() || !hasSchema(*stack, "Stack")) unreadable("the timeline has no tracks");
    const auto children = stack->find("children");
    if (children == stack->end() || !children->is_array()) unreadable("the timeline has no tracks");
    for (const json& track : *children) {
        if (!hasSchema(track, "Track")) continue;
        const auto kind = track.find("kind");
        if (kind != track.end() && kind->is_string() && *kind == "Video") return track;
    }
    unreadable("the timeline has no video track");
}

class TrackReader {
public:
    explicit TrackReader(CutList& list) : list_(list) {}

    void item(const json& item, std::size_t index) {
        if (hasSchema(item, "Transition")) return transition(item, index);
        const std::optional<Rational> duration = itemDuration(item);
        if (!duration) unreadable("item " + std::to_string(index + 1) + " of the video track has no duration");
        const CutKind kind = hasSchema(item, "Gap") ? CutKind::gap : CutKind::clip;
        if (kind == CutKind::clip && list_.frameRate == 0) list_.frameRate = duration->rate;
        list_.events.push_back({position_, position_ + duration->seconds(), kind});
        position_ += duration->seconds();
    }

private:
    void transition(const json& item, std::size_t index) {
        const std::optional<Rational> in = rationalTime(item, "in_offset");
        const std::optional<Rational> out = rationalTime(item, "out_offset");
        if (!in || !out) unreadable("transition " + std::to_string(index + 1) + " of the video track has no offsets");
        list_.events.push_back({position_ - in->seconds(), position_ + out->seconds(), CutKind::transition});
    }

    CutList& list_;
    double position_ = 0;
};

}  // namespace

CutList read(std::string_view text) {
    const json document = json::parse(text.begin(), text.end(), nullptr, false);
    if (document.is_discarded() || !hasSchema(document, "Timeline")) unreadable("it is not an OpenTimelineIO timeline");
    CutList list;
    list.origin = 0;
    if (const std::optional<Rational> start = rationalTime(document, "global_start_time")) list.frameRate = start->rate;
    const json& track = videoTrack(document);
    const auto children = track.find("children");
    if (children == track.end() || !children->is_array()) return list;
    TrackReader reader(list);
    for (std::size_t i = 0; i < children->size(); ++i) reader.item((*children)[i], i);
    return list;
}

}  // namespace marrowick::OtioReader
