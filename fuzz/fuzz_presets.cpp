// Fuzzes the preset file decoder, the validator and the encoder's round trip.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "delivery/delivery_preset_json.h"
#include "model/review_error.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace marrowick;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    try {
        const std::vector<DeliveryPreset> presets = DeliveryPresetJson::decodeImport(text);
        // Whatever decodes must encode and read back as the same presets.
        if (DeliveryPresetJson::decodeArray(DeliveryPresetJson::encodeArray(presets)) != presets) __builtin_trap();
        for (const DeliveryPreset& preset : presets) {
            try {
                preset.validated(MARROWICK_RESOURCE_DIR);
                (void)preset.summary();
            } catch (const ReviewError&) {
            }
        }
    } catch (const ReviewError&) {
    }
    return 0;
}
