// XMP packets inside QuickTime and MP4 files, written and read with exempi's file handlers.
#pragma once

#include <filesystem>
#include <string>

namespace marrowick::XmpFile {

// Where the movie's index ('moov') goes when the packet is written. A movie written for fast start
// keeps its index before the media, which costs one copy of the file; otherwise the packet is
// written in place or appended.
enum class Layout { indexFirst, asWritten };

// Replaces any XMP in the QuickTime or MP4 file `movie` with `packet`. Throws ReviewError
// "<file>: cannot write its XMP metadata." when the file is no movie exempi can update.
void embed(const std::filesystem::path& movie, const std::string& packet, Layout layout);

// The XMP packet in `movie`; empty when it has none. Throws ReviewError "<file>: cannot read its
// XMP metadata." when the file cannot be opened.
std::string embeddedPacket(const std::filesystem::path& movie);

}  // namespace marrowick::XmpFile
