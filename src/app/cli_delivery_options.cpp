// Parsing the delivery commands' options and finding their presets in the library.
#include "app/cli_delivery_options.h"

#include <algorithm>
#include <set>

#include "delivery/delivery_export.h"
#include "delivery/preset_library.h"
#include "model/resource_root.h"
#include "model/review_error.h"

namespace marrowick::cli {

std::optional<DeliveryOptions> parseDeliveryOptions(std::span<const std::string> arguments) {
    DeliveryOptions options;
    for (std::size_t index = 0; index < arguments.size(); ++index) {
        const std::string& argument = arguments[index];
        if (argument == "--preset") {
            const std::size_t first = index + 1;
            while (index + 1 < arguments.size() && !arguments[index + 1].starts_with("--"))
                options.presetKeys.push_back(arguments[++index]);
            if (index + 1 == first) return std::nullopt;
        } else if (argument == "--assume-rec709") {
            options.assumeRec709 = true;
        } else if (argument == "--framing") {
            if (index + 1 == arguments.size()) return std::nullopt;
            options.framing = arguments[++index];
            if (options.framing != "pad" && options.framing != "crop") return std::nullopt;
        } else if (argument.starts_with("--")) {
            return std::nullopt;
        } else {
            options.positional.push_back(argument);
        }
    }
    return options;
}

std::vector<DeliveryPreset> presetsFor(const std::vector<std::string>& keys) {
    const std::vector<DeliveryPreset> library =
        PresetLibrary::load(PresetStorage{PresetLibrary::location(), resourceRoot(runningExecutable())});
    for (const std::string& key : keys) {
        const bool known = std::any_of(library.begin(), library.end(),
                                       [&](const DeliveryPreset& preset) { return preset.key == key; });
        if (!known) throw ReviewError("No delivery preset has the key " + key + ".");
    }
    return DeliveryExport::selectedPresets(library, std::set<std::string>(keys.begin(), keys.end()));
}

}  // namespace marrowick::cli
