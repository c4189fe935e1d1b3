// The disclosure a file's XMP states as read by exiftool (Debian's libimage-exiftool-perl) and as
// read by exempi, for tests of outputs that carry it.
#pragma once

#include <cstdio>
#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>

#include <nlohmann/json.hpp>

#include "disclosure/disclosure_metadata.h"
#include "disclosure/xmp_file.h"
#include "disclosure/xmp_packet.h"

namespace marrowick::testing {

namespace exiftool {

inline nlohmann::json report(const std::filesystem::path& file) {
    const std::string command = "exiftool -j -struct -XMP:all '" + file.string() + "'";
    const std::unique_ptr<FILE, decltype(&pclose)> pipe(popen(command.c_str(), "r"), &pclose);
    if (!pipe) throw std::runtime_error("cannot run " + command);
    std::string text;
    char buffer[4096];
    for (std::size_t read; (read = std::fread(buffer, 1, sizeof buffer, pipe.get())) > 0;) text.append(buffer, read);
    return nlohmann::json::parse(text).at(0);
}

// exiftool prints numbers as JSON numbers and everything else as strings.
inline std::string text(const nlohmann::json& value) { return value.is_string() ? value.get<std::string>() : value.dump(); }

inline Disclosure decisionNamed(const std::string& name) {
    if (name == "AI generated") return Disclosure::generated;
    return name == "AI modified" ? Disclosure::modified : Disclosure::unreviewed;
}

}  // namespace exiftool

// The digital source type, description and "AI disclosure" track (the first of that name) exiftool
// finds in a movie or sidecar.
inline DisclosureMetadata exiftoolDisclosure(const std::filesystem::path& file) {
    const nlohmann::json report = exiftool::report(file);
    DisclosureMetadata metadata;
    if (report.contains("DigitalSourceType")) metadata.digitalSourceType = report["DigitalSourceType"];
    metadata.description = report.value("Description", "");
    for (const nlohmann::json& track : report.value("Tracks", nlohmann::json::array())) {
        if (track.value("TrackName", "") != kDisclosureTrackName) continue;
        metadata.frameRate = track.value("FrameRate", "");
        const nlohmann::json markers = track.value("Markers", nlohmann::json::array());  // "" when empty
        for (const nlohmann::json& marker : markers.is_array() ? markers : nlohmann::json::array())
            metadata.markers.push_back({std::stoll(exiftool::text(marker.at("StartTime"))),
                                        std::stoll(exiftool::text(marker.at("Duration"))),
                                        exiftool::decisionNamed(marker.at("Name"))});
        break;
    }
    return metadata;
}

// The same read by exempi from the packet inside a movie.
inline DisclosureMetadata exempiDisclosure(const std::filesystem::path& movie) {
    return XmpPacket::read(XmpFile::embeddedPacket(movie));
}

}  // namespace marrowick::testing
