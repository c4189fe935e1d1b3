// The preset editor's rules on its working copy: codec defaults, raster and frame-rate toggles, and
// the normalisation applied before a preset is saved. Plain values in and out.
#pragma once

#include <string>

#include "delivery/delivery_preset.h"

namespace marrowick::PresetEditing {

// The values a number field shows while its field is absent.
inline constexpr double kDefaultCrf = 18.0;
inline constexpr double kDefaultVp9Crf = 30.0;
inline constexpr std::int64_t kDefaultVideoKbps = 12000;
inline constexpr std::int64_t kDefaultWidth = 1920;
inline constexpr std::int64_t kDefaultHeight = 1080;
inline constexpr std::int64_t kDefaultLongestEdge = 1920;
inline constexpr double kDefaultFramesPerSecond = 25.0;
inline constexpr std::int64_t kDefaultSampleRate = 48000;
inline constexpr std::int64_t kDefaultAudioKbps = 192;

// A locked technical recipe (one carrying an advancedRecipe): only presentation details change.
bool technicalLocked(const DeliveryPreset& preset);

// Picking a video codec: clears the advanced recipe and sets the codec's container, profile,
// pixel format, rate control, encoder preset and audio. Other fields keep their values.
void chooseCodec(DeliveryPreset& preset, const std::string& codec);

// Picking a raster mode: exact fills a missing width and height, a longest edge a missing limit.
void chooseRaster(DeliveryPreset& preset, RasterMode mode);

// Whether the frame rate is converted to one exact rate.
bool convertsFrameRate(const DeliveryPreset& preset);
// On: an exact policy of 25 fps with tolerance 0.01, replacing any other policy. Off: no policy.
void setConvertsFrameRate(DeliveryPreset& preset, bool on);

// Fills and clears the rate and audio values the chosen modes use, sets the normalised name and
// validates. Throws ReviewError ("Video bitrate is out of range." or the validation message).
DeliveryPreset normalizedForSave(DeliveryPreset preset, const std::filesystem::path& resourceRoot);

}  // namespace marrowick::PresetEditing
