// Fuzzes the safe-zone catalogue reader: any bytes give a list of usable profiles, never a crash,
// and every guide they give leaves a safe rectangle inside the frame.
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <utility>

#include "disclosure/safe_zones.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace marrowick;
    const std::vector<SafeZoneProfile> profiles =
        SafeZones::decode(std::string_view(reinterpret_cast<const char*>(data), size));
    // Every profile kept must have passed the insets rule.
    for (const SafeZoneProfile& profile : profiles) profile.normalizedContainedInsets.validate();
    (void)SafeZones::profileIDs(profiles);
    for (const SafeZoneProfile& profile : profiles) {
        const LabelLayout named{0.18, 1, 1, profile.id, {}};
        for (const auto& [width, height] : {std::pair<std::int64_t, std::int64_t>{1920, 1080}, {1080, 1920}, {1, 1}}) {
            const LabelRect safe =
                SafeZones::safeRect(SafeZones::guideInsets(profiles, named, profile.id, width, height), width, height);
            if (safe.x < 0 || safe.y < 0 || safe.x + safe.width > width || safe.y + safe.height > height) __builtin_trap();
        }
    }
    return 0;
}
