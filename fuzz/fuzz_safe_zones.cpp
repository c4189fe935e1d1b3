// Fuzzes the safe-zone catalogue reader: any bytes give a list of usable profiles, never a crash.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "disclosure/safe_zones.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace marrowick;
    const std::vector<SafeZoneProfile> profiles =
        SafeZones::decode(std::string_view(reinterpret_cast<const char*>(data), size));
    // Every profile kept must have passed the insets rule.
    for (const SafeZoneProfile& profile : profiles) profile.normalizedContainedInsets.validate();
    (void)SafeZones::profileIDs(profiles);
    return 0;
}
