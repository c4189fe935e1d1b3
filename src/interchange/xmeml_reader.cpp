// Reading an xmeml sequence's first video track through libxml2.
#include "interchange/xmeml_reader.h"

#include <charconv>
#include <optional>
#include <vector>

#include "interchange/internal/xml_document.h"
#include "model/review_error.h"

namespace marrowick::XmemlReader {

namespace {

[[noreturn]] void unreadable(const std::string& why) { throw ReviewError("The cut list cannot be read: " + why + "."); }

std::optional<long long> integer(XmlElement parent, std::string_view name) {
    const XmlElement element = parent ? XmlDocument::child(parent, name) : nullptr;
    if (!element) return std::nullopt;
    const std::string text = XmlDocument::text(element);
    long long value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return value;
}

double frameRateOf(XmlElement sequence) {
    const XmlElement rate = XmlDocument::child(sequence, "rate");
    const std::optional<long long> timebase = integer(rate, "timebase");
    if (!timebase || *timebase <= 0 || *timebase > 1000) unreadable("the sequence has no frame rate");
    const XmlElement ntsc = XmlDocument::child(rate, "ntsc");
    const bool pulledDown = ntsc && XmlDocument::text(ntsc) == "TRUE";
    return pulledDown ? double(*timebase) * 1000.0 / 1001.0 : double(*timebase);
}

// One item of the track in frames; a clip side under a transition reads -1 until resolved.
struct Item {
    CutKind kind = CutKind::clip;
    long long start = 0;
    long long end = 0;
    long long cut = 0;  // transitions: where the outgoing clip ends and the incoming one starts
};

long long cutPoint(XmlElement transition, long long start, long long end) {
    const XmlElement alignment = XmlDocument::child(transition, "alignment");
    const std::string where = alignment ? XmlDocument::text(alignment) : "center";
    if (where == "start" || where == "start-black") return start;
    if (where == "end" || where == "end-black") return end;
    return start + (end - start) / 2;
}

std::optional<Item> itemOf(XmlElement element, std::size_t index) {
    const std::string name = XmlDocument::name(element);
    const bool transition = name == "transitionitem";
    if (!transition && name != "clipitem" && name != "generatoritem") return std::nullopt;
    const std::optional<long long> start = integer(element, "start");
    const std::optional<long long> end = integer(element, "end");
    if (!start || !end || *start < -1 || *end < -1 || *start > (1LL << 40) || *end > (1LL << 40))
        unreadable("item " + std::to_string(index + 1) + " of the video track has no start or end");
    if (!transition) return Item{CutKind::clip, *start, *end, 0};
    if (*start < 0 || *end < 0) unreadable("transition " + std::to_string(index + 1) + " of the video track has no start or end");
    return Item{CutKind::transition, *start, *end, cutPoint(element, *start, *end)};
}

// Clip sides reading -1 take the cut point of the transition beside them.
void resolveTransitionSides(std::vector<Item>& items) {
    for (std::size_t i = 0; i < items.size(); ++i) {
        Item& item = items[i];
        if (item.kind == CutKind::transition) continue;
        if (item.start == -1) {
            if (i == 0 || items[i - 1].kind != CutKind::transition) unreadable("a clip starts under no transition");
            item.start = items[i - 1].cut;
        }
        if (item.end == -1) {
            if (i + 1 == items.size() || items[i + 1].kind != CutKind::transition) unreadable("a clip ends under no transition");
            item.end = items[i + 1].cut;
        }
    }
}

}  // namespace

CutList read(std::string_view text) {
    const XmlDocument document(text);
    const XmlElement root = document.root();
    if (XmlDocument::name(root) != "xmeml") unreadable("it is not a Final Cut Pro XML document");
    const XmlElement sequence = XmlDocument::find(root, "sequence");
    if (!sequence) unreadable("the file holds no sequence");
    CutList list;
    list.frameRate = frameRateOf(sequence);
    const XmlElement media = XmlDocument::child(sequence, "media");
    const XmlElement video = media ? XmlDocument::child(media, "video") : nullptr;
    const XmlElement track = video ? XmlDocument::child(video, "track") : nullptr;
    if (!track) return list;
    std::vector<Item> items;
    const std::vector<XmlElement> elements = XmlDocument::children(track);
    for (std::size_t i = 0; i < elements.size(); ++i)
        if (std::optional<Item> item = itemOf(elements[i], i)) items.push_back(*item);
    resolveTransitionSides(items);
    for (const Item& item : items)
        list.events.push_back({double(item.start) / list.frameRate, double(item.end) / list.frameRate, item.kind});
    return list;
}

}  // namespace marrowick::XmemlReader
