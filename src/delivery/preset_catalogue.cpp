// Reading the delivery-target and ProRes-master catalogues from the resource folder.
#include "delivery/preset_catalogue.h"

#include <system_error>

#include "delivery/delivery_preset_json.h"
#include "model/review_error.h"

namespace marrowick::PresetCatalogue {
namespace {

std::vector<DeliveryPreset> readCatalogue(const std::filesystem::path& file, const char* missingMessage) {
    std::error_code error;
    if (!std::filesystem::exists(file, error)) throw ReviewError(missingMessage);
    return DeliveryPresetJson::decodeArray(DeliveryPresetJson::readFile(file));
}

}  // namespace

std::vector<DeliveryPreset> bundled(const std::filesystem::path& resourceRoot) {
    std::vector<DeliveryPreset> presets =
        readCatalogue(resourceRoot / "DeliveryTargets.json", "Delivery preset catalogue missing.");
    std::vector<DeliveryPreset> masters = readCatalogue(resourceRoot / "MasterTargets.json", "ProRes master catalogue missing.");
    presets.insert(presets.end(), std::make_move_iterator(masters.begin()), std::make_move_iterator(masters.end()));
    return presets;
}

}  // namespace marrowick::PresetCatalogue
