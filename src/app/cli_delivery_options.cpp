// Parsing the delivery commands' options and finding their presets in the library.
#include "app/cli_delivery_options.h"

#include <algorithm>

#include "delivery/delivery_export.h"
#include "model/review_error.h"

namespace marrowick::cli {
namespace {

Framing framingNamed(const std::string& key) {
    const std::optional<Framing> framing = parseFraming(key);
    if (!framing) throw ReviewError(kInvalidFraming);
    return *framing;
}

}  // namespace

std::optional<DeliveryOptions> parseDeliveryOptions(std::span<const std::string> arguments,
                                                    std::size_t positionalCount) {
    if (arguments.size() < positionalCount) return std::nullopt;
    DeliveryOptions options;
    for (std::size_t at = 0; at < positionalCount; ++at) {
        if (arguments[at].starts_with("--")) return std::nullopt;
        options.positional.push_back(arguments[at]);
    }
    bool readingKeys = false;
    for (std::size_t at = positionalCount; at < arguments.size(); ++at) {
        const std::string& argument = arguments[at];
        if (argument == "--preset") {
            readingKeys = true;
        } else if (argument == "--assume-rec709") {
            options.assumeRec709 = true;
            readingKeys = false;
        } else if (argument == "--framing" && at + 1 < arguments.size()) {
            options.framing = framingNamed(arguments[++at]);
            readingKeys = false;
        } else if (readingKeys && !argument.starts_with("--")) {
            options.keys.insert(argument);
        } else {
            return std::nullopt;
        }
    }
    if (options.keys.empty()) return std::nullopt;
    return options;
}

std::vector<DeliveryPreset> selectedPresets(const std::vector<DeliveryPreset>& library,
                                            const std::set<std::string>& keys) {
    for (const std::string& key : keys) {
        const auto found =
            std::find_if(library.begin(), library.end(), [&](const DeliveryPreset& p) { return p.key == key; });
        if (found == library.end()) throw ReviewError("Unknown delivery preset \"" + key + "\".");
        if (found->archivedAt) throw ReviewError("The delivery preset \"" + key + "\" is archived.");
    }
    return DeliveryExport::selectedPresets(library, keys);
}

}  // namespace marrowick::cli
