// The options the delivery commands share: PROJECT [OUTDIR] --preset KEY... [--assume-rec709]
// [--framing pad|crop], and the presets the keys name.
#pragma once

#include <cstddef>
#include <optional>
#include <set>
#include <span>
#include <string>
#include <vector>

#include "delivery/delivery_preset.h"
#include "delivery/framing.h"

namespace marrowick::cli {

struct DeliveryOptions {
    std::vector<std::string> positional;  // the leading arguments, in order
    std::set<std::string> keys;
    bool assumeRec709 = false;
    Framing framing = Framing::pad;
};

// `positionalCount` leading arguments, then the options. Keys follow --preset until the next
// option; --preset may also be repeated. Nothing when the arguments are malformed or name no key;
// throws ReviewError kInvalidFraming for a --framing other than pad or crop.
std::optional<DeliveryOptions> parseDeliveryOptions(std::span<const std::string> arguments,
                                                    std::size_t positionalCount);

// The library's presets with the keys, in library order. Throws ReviewError for a key the library
// lacks or names an archived preset under.
std::vector<DeliveryPreset> selectedPresets(const std::vector<DeliveryPreset>& library,
                                            const std::set<std::string>& keys);

}  // namespace marrowick::cli
