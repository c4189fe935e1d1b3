// The two read-only preset catalogues shipped in the resource folder.
#pragma once

#include <filesystem>
#include <vector>

#include "delivery/delivery_preset.h"

namespace marrowick::PresetCatalogue {

// Reads "DeliveryTargets.json", then "MasterTargets.json", from the resource root and returns
// both lists joined in that order. Missing files raise "Delivery preset catalogue missing." or
// "ProRes master catalogue missing."; read and decode errors pass through. Read on every call.
std::vector<DeliveryPreset> bundled(const std::filesystem::path& resourceRoot);

}  // namespace marrowick::PresetCatalogue
