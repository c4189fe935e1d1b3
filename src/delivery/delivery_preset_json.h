// The JSON form of delivery presets: preset files are arrays of records, written indented with
// sorted keys; absent optionals are left out.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "delivery/delivery_preset.h"

namespace marrowick::DeliveryPresetJson {

// Throws ReviewError when a preset holds a number that is not finite (JSON cannot carry it).
std::string encode(const DeliveryPreset& preset);
std::string encodeArray(const std::vector<DeliveryPreset>& presets);

// Type and presence checks only (validation is DeliveryPreset::validated). Throws ReviewError with
// the reader's description of the first problem.
DeliveryPreset decode(std::string_view json);
std::vector<DeliveryPreset> decodeArray(std::string_view json);

// An import file: an array of presets, or else an object whose "targets" member is that array.
// When both readings fail, the second failure is reported.
std::vector<DeliveryPreset> decodeImport(std::string_view json);

// Reads a whole file; throws ReviewError when it cannot be read.
std::string readFile(const std::filesystem::path& path);

}  // namespace marrowick::DeliveryPresetJson
