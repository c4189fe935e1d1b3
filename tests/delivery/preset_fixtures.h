// Shared fixtures of the delivery tests: valid presets to bend, scratch folders, resource roots.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "delivery/delivery_preset.h"

namespace marrowick::testing {

inline std::filesystem::path resourceRoot() { return MARROWICK_RESOURCE_DIR; }

// A custom H.264 MP4 preset that passes every rule.
inline DeliveryPreset webPreset(const std::string& name = "Web 1080p") {
    DeliveryPreset preset;
    preset.key = "custom:" + name;
    preset.name = name;
    preset.normalizedName = name;
    preset.group = "custom";
    preset.kind = "custom";
    preset.specificationTitle = "House";
    preset.specificationUrl = "https://example.org/spec";
    preset.requirements.resolution.mode = RasterMode::exact;
    preset.requirements.resolution.width = 1920;
    preset.requirements.resolution.height = 1080;
    preset.requirements.aspectRatios = {"16:9"};
    preset.requirements.aspectTolerancePercent = 2.0;
    preset.encoding.container = "mp4";
    preset.encoding.videoCodec = "h264";
    preset.encoding.rateControl.mode = RateMode::crf;
    preset.encoding.rateControl.crf = 20;
    preset.encoding.encoderPreset = "slow";
    preset.encoding.videoProfile = "high";
    preset.encoding.pixelFormat = "yuv420p";
    preset.encoding.faststart = true;
    preset.encoding.audio.codec = "aac";
    preset.encoding.audio.bitrateKbps = 128;
    preset.encoding.audio.channels = 2;
    preset.encoding.audio.sampleRate = 48000;
    return preset;
}

// A fresh empty folder under the system's temporary folder, removed when the test ends.
class ScratchFolder {
public:
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

private:
    std::filesystem::path path_;
};

void writeText(const std::filesystem::path& file, const std::string& text);
std::string readText(const std::filesystem::path& file);

// A resource root with copies of the shipped catalogues, for tests that change them.
std::filesystem::path copyOfResources(const ScratchFolder& folder);

}  // namespace marrowick::testing
