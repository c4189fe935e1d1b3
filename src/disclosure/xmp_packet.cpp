// Disclosure metadata to and from XMP with exempi. A packet read back is first parsed by libxml2
// with its default limits: the toolkit's own parser recurses once per nesting level and would
// exhaust the stack on a hostile packet.
#include "disclosure/xmp_packet.h"

#include <charconv>
#include <cstdint>
#include <memory>
#include <optional>

#include <libxml/parser.h>

#include "disclosure/internal/exempi.h"
#include "model/review_error.h"

namespace marrowick::XmpPacket {
namespace {

using Exempi::kDublinCore;
using Exempi::kDynamicMedia;
using Exempi::kIptcExtension;
using Exempi::MetaPtr;

constexpr std::size_t kLargestPacket = 64u << 20;
constexpr const char* kDefaultLanguage = "x-default";

[[noreturn]] void unreadable(const std::string& why) { throw ReviewError("XMP packet: " + why); }

void require(bool done) {
    if (!done) throw ReviewError("Cannot build the disclosure metadata (exempi error " +
                                 std::to_string(xmp_get_error()) + ").");
}

std::string markerPath(std::size_t track, std::size_t marker) {
    return "Tracks[" + std::to_string(track) + "]/xmpDM:markers[" + std::to_string(marker) + "]";
}

void setText(XmpPtr meta, const char* space, const std::string& path, const std::string& value) {
    require(xmp_set_property(meta, space, path.c_str(), value.c_str(), 0));
}

void writeTrack(XmpPtr meta, const DisclosureMetadata& metadata) {
    require(xmp_append_array_item(meta, kDynamicMedia, "Tracks", XMP_PROP_VALUE_IS_ARRAY, nullptr,
                                  XMP_PROP_VALUE_IS_STRUCT));
    setText(meta, kDynamicMedia, "Tracks[1]/xmpDM:trackName", kDisclosureTrackName);
    setText(meta, kDynamicMedia, "Tracks[1]/xmpDM:frameRate", metadata.frameRate);
    require(xmp_set_property(meta, kDynamicMedia, "Tracks[1]/xmpDM:markers", nullptr, XMP_PROP_ARRAY_IS_ORDERED));
    for (std::size_t index = 0; index < metadata.markers.size(); ++index) {
        const DisclosureMarker& marker = metadata.markers[index];
        require(xmp_append_array_item(meta, kDynamicMedia, "Tracks[1]/xmpDM:markers", XMP_PROP_ARRAY_IS_ORDERED,
                                      nullptr, XMP_PROP_VALUE_IS_STRUCT));
        const std::string path = markerPath(1, index + 1);
        setText(meta, kDynamicMedia, path + "/xmpDM:startTime", std::to_string(marker.startFrame));
        setText(meta, kDynamicMedia, path + "/xmpDM:duration", std::to_string(marker.durationFrames));
        setText(meta, kDynamicMedia, path + "/xmpDM:name", std::string(disclosureTitle(marker.decision)));
    }
}

// Well-formed XML within libxml2's default size and depth limits, without a document type.
void requireSafeXml(std::string_view packet) {
    if (packet.size() > kLargestPacket) unreadable("larger than 64 MiB");
    const std::unique_ptr<xmlDoc, decltype(&xmlFreeDoc)> document(
        xmlReadMemory(packet.data(), static_cast<int>(packet.size()), nullptr, nullptr,
                      XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING),
        &xmlFreeDoc);
    if (!document) unreadable("not well-formed XML");
    if (document->intSubset || document->extSubset) unreadable("document type declarations are not allowed");
}

bool exists(XmpPtr meta, const std::string& path) { return xmp_has_property(meta, kDynamicMedia, path.c_str()); }

std::optional<std::string> simpleValue(XmpPtr meta, const char* space, const std::string& path) {
    const Exempi::StringPtr value = Exempi::newString();
    std::uint32_t options = 0;
    if (!xmp_get_property(meta, space, path.c_str(), value.get(), &options)) return std::nullopt;
    if (!XMP_IS_PROP_SIMPLE(options)) unreadable(path + " is not a simple value");
    return Exempi::text(value);
}

std::string requiredValue(XmpPtr meta, const std::string& path) {
    auto value = simpleValue(meta, kDynamicMedia, path);
    if (!value) unreadable(path + " is missing");
    return std::move(*value);
}

std::int64_t frames(XmpPtr meta, const std::string& path) {
    const std::string text = requiredValue(meta, path);
    std::int64_t value = -1;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc{} || end != text.data() + text.size() || value < 0)
        unreadable(path + " is not a frame count");
    return value;
}

Disclosure decisionNamed(const std::string& name, const std::string& path) {
    for (Disclosure decision : {Disclosure::generated, Disclosure::modified})
        if (name == disclosureTitle(decision)) return decision;
    unreadable(path + " names no disclosure decision");
}

// The 1-based index of the one track named "AI disclosure".
std::size_t disclosureTrack(XmpPtr meta) {
    std::size_t found = 0;
    for (std::size_t track = 1; exists(meta, "Tracks[" + std::to_string(track) + "]"); ++track) {
        if (simpleValue(meta, kDynamicMedia, "Tracks[" + std::to_string(track) + "]/xmpDM:trackName") !=
            kDisclosureTrackName)
            continue;
        if (found) unreadable("more than one AI disclosure track");
        found = track;
    }
    if (!found) unreadable("no AI disclosure track");
    return found;
}

std::string description(XmpPtr meta) {
    const Exempi::StringPtr language = Exempi::newString();
    const Exempi::StringPtr value = Exempi::newString();
    std::uint32_t options = 0;
    if (!xmp_get_localized_text(meta, kDublinCore, "description", "", kDefaultLanguage, language.get(), value.get(),
                                &options))
        return {};
    return Exempi::text(value);
}

}  // namespace

std::string write(const DisclosureMetadata& metadata) {
    Exempi::ready();
    const MetaPtr meta(xmp_new_empty());
    require(meta != nullptr);
    if (metadata.digitalSourceType)
        setText(meta.get(), kIptcExtension, "DigitalSourceType", *metadata.digitalSourceType);
    require(xmp_set_localized_text(meta.get(), kDublinCore, "description", "", kDefaultLanguage,
                                   metadata.description.c_str(), 0));
    writeTrack(meta.get(), metadata);
    const Exempi::StringPtr packet = Exempi::newString();
    require(xmp_serialize(meta.get(), packet.get(), XMP_SERIAL_OMITPACKETWRAPPER, 0));
    return Exempi::text(packet);
}

DisclosureMetadata read(std::string_view packet) {
    requireSafeXml(packet);
    Exempi::ready();
    const MetaPtr meta(xmp_new(packet.data(), packet.size()));
    if (!meta) unreadable("not XMP");
    DisclosureMetadata metadata;
    metadata.digitalSourceType = simpleValue(meta.get(), kIptcExtension, "DigitalSourceType");
    metadata.description = description(meta.get());
    const std::size_t track = disclosureTrack(meta.get());
    metadata.frameRate = requiredValue(meta.get(), "Tracks[" + std::to_string(track) + "]/xmpDM:frameRate");
    for (std::size_t index = 1; exists(meta.get(), markerPath(track, index)); ++index) {
        const std::string path = markerPath(track, index);
        const std::int64_t start = frames(meta.get(), path + "/xmpDM:startTime");
        const std::int64_t duration = frames(meta.get(), path + "/xmpDM:duration");
        metadata.markers.push_back({start, duration, decisionNamed(requiredValue(meta.get(), path + "/xmpDM:name"), path)});
    }
    return metadata;
}

void requireMatch(std::string_view packet, const DisclosureMetadata& expected) {
    bool same = false;
    try {
        same = read(packet) == expected;
    } catch (const ReviewError&) {
    }
    if (!same) throw ReviewError(kMismatch);
}

}  // namespace marrowick::XmpPacket
