// The options the delivery commands share: --preset KEY..., --assume-rec709, --framing pad|crop.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <vector>

#include "delivery/delivery_preset.h"

namespace marrowick::cli {

struct DeliveryOptions {
    std::vector<std::string> positional;  // what is not an option, in order
    std::vector<std::string> presetKeys;
    bool assumeRec709 = false;
    std::string framing = "pad";
};

// Reads the arguments; nothing when they are malformed (an unknown option, --preset without a key,
// --framing without pad or crop).
std::optional<DeliveryOptions> parseDeliveryOptions(std::span<const std::string> arguments);

// The library's presets for the keys, in library order, without archived ones. Throws ReviewError
// "No delivery preset has the key <key>." for a key the library does not hold.
std::vector<DeliveryPreset> presetsFor(const std::vector<std::string>& keys);

}  // namespace marrowick::cli
