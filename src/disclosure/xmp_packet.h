// The XMP packet of a film output's disclosure: written from the metadata, and read back from a
// packet that may come from anywhere.
#pragma once

#include <string>
#include <string_view>

#include "disclosure/disclosure_metadata.h"

namespace marrowick::XmpPacket {

// What a check says when an output's packet is missing, unreadable or tells another story than the
// review.
inline constexpr const char* kMismatch = "Encoded disclosure metadata does not match the review.";

// The packet: Iptc4xmpExt:DigitalSourceType when present, dc:description (x-default), and one
// xmpDM:Tracks track named "AI disclosure" with the frame rate and one marker per labelled range
// (xmpDM:startTime and xmpDM:duration in frames, xmpDM:name "AI generated" or "AI modified").
// Throws ReviewError when the toolkit cannot build it.
std::string write(const DisclosureMetadata& metadata);

// The disclosure a packet states. Throws ReviewError for a packet that is not well-formed XML, is
// larger than 64 MiB, nests deeper than 256 elements, has a document type declaration, is not XMP,
// holds no or several "AI disclosure" tracks, or a marker whose frames or name it cannot read.
DisclosureMetadata read(std::string_view packet);

// Throws ReviewError kMismatch unless `packet` reads back as exactly `expected`.
void requireMatch(std::string_view packet, const DisclosureMetadata& expected);

}  // namespace marrowick::XmpPacket
