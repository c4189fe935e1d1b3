// Reading the safe-zone catalogue: a missing or malformed file simply gives no guides.
#include "disclosure/safe_zones.h"

#include <fstream>
#include <iterator>

#include <nlohmann/json.hpp>

namespace marrowick::SafeZones {
namespace {

using nlohmann::json;

constexpr int kSchema = 1;
// Far above any real catalogue; a larger file is not read at all.
constexpr std::streamsize kMaximumFileSize = 4'000'000;

// A member of the wrong kind; like any json::exception, it ends the whole decode.
struct Malformed {};

std::string text(const json& record, const char* key) { return record.at(key).get<std::string>(); }

double number(const json& record, const char* key) {
    const json& value = record.at(key);
    if (!value.is_number()) throw Malformed{};
    return value.get<double>();
}

template <class T, class Read>
std::optional<T> optional(const json& record, const char* key, Read read) {
    const auto found = record.find(key);
    if (found == record.end() || found->is_null()) return std::nullopt;
    return read(*found);
}

SafeInsets insets(const json& record) {
    return {number(record, "left"), number(record, "top"), number(record, "right"), number(record, "bottom")};
}

SafeZoneProfile profile(const json& record) {
    SafeZoneProfile profile;
    profile.id = text(record, "id");
    profile.name = text(record, "name");
    profile.scope = text(record, "scope");
    profile.aspectRatio = text(record, "aspectRatio");
    profile.normalizedContainedInsets = insets(record.at("normalizedContainedInsets"));
    profile.sourceUrl = optional<std::string>(record, "sourceUrl", [](const json& v) { return v.get<std::string>(); });
    profile.checkedAt = text(record, "checkedAt");
    profile.provenance = text(record, "provenance");
    profile.notes = text(record, "notes");
    profile.catalogueTargetKeys = optional<std::vector<std::string>>(
        record, "catalogueTargetKeys", [](const json& v) { return v.get<std::vector<std::string>>(); });
    return profile;
}

bool usable(const SafeInsets& insets) {
    try {
        insets.validate();
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

}  // namespace

std::vector<SafeZoneProfile> decode(std::string_view document) {
    std::vector<SafeZoneProfile> profiles;
    try {
        const json catalogue = json::parse(document);
        const json& schema = catalogue.at("schema");
        if (!schema.is_number_integer() || schema.get<long long>() != kSchema) return {};
        for (const json& record : catalogue.at("profiles").get_ref<const json::array_t&>()) {
            SafeZoneProfile decoded = profile(record);
            if (usable(decoded.normalizedContainedInsets)) profiles.push_back(std::move(decoded));
        }
    } catch (const json::exception&) {
        return {};
    } catch (const Malformed&) {
        return {};
    }
    return profiles;
}

std::vector<SafeZoneProfile> load(const std::filesystem::path& resourceRoot) {
    std::ifstream file(resourceRoot / kFileName, std::ios::binary);
    if (!file) return {};
    std::string bytes(static_cast<std::size_t>(kMaximumFileSize), '\0');
    file.read(bytes.data(), kMaximumFileSize);
    if (file.bad() || file.gcount() >= kMaximumFileSize) return {};
    bytes.resize(static_cast<std::size_t>(file.gcount()));
    return decode(bytes);
}

std::set<std::string> profileIDs(const std::vector<SafeZoneProfile>& profiles) {
    std::set<std::string> ids;
    for (const SafeZoneProfile& profile : profiles) ids.insert(profile.id);
    return ids;
}

}  // namespace marrowick::SafeZones
