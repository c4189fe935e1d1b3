// The ordered rules a delivery preset must satisfy (all but the locked XDCAM recipe check).
#pragma once

#include <span>
#include <string_view>

#include "delivery/delivery_preset.h"

namespace marrowick::PresetRules {

struct Rule {
    bool (*holds)(const DeliveryPreset& preset);
    std::string_view text;  // shown after "<preset name>: "
};

// The profile a ProRes codec must carry ("2" to "5"), or empty for any other codec.
std::string_view proResProfile(std::string_view codec);

// The profile FFprobe reports for a ProRes codec's output ("Standard", "HQ", "4444", "XQ"), or
// empty for any other codec.
std::string_view proResReportedProfile(std::string_view codec);

// The rules in the order they are checked; the order decides which message the user sees.
std::span<const Rule> ordered();

// The first rule the preset breaks, or nullptr.
const Rule* firstBroken(const DeliveryPreset& preset);

}  // namespace marrowick::PresetRules
