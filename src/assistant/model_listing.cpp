// ModelListing with nlohmann::json, without exceptions.
#include "assistant/model_listing.h"

#include <algorithm>

#include <nlohmann/json.hpp>

namespace marrowick::ModelListing {

bool lists(std::string_view body, const std::string& id) {
    const nlohmann::json listing = nlohmann::json::parse(body, nullptr, false);
    if (!listing.is_object()) return false;
    const auto data = listing.find("data");
    if (data == listing.end() || !data->is_array()) return false;
    return std::any_of(data->begin(), data->end(), [&](const nlohmann::json& entry) {
        if (!entry.is_object()) return false;
        const auto name = entry.find("id");
        return name != entry.end() && name->is_string() && name->get_ref<const std::string&>() == id;
    });
}

}  // namespace marrowick::ModelListing
