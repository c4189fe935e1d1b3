// Reading the safe-zone catalogue: a missing or malformed file simply gives no guides.
#include "disclosure/safe_zones.h"

#include <algorithm>
#include <cmath>
#include <fstream>
#include <iterator>

#include <nlohmann/json.hpp>

#include "disclosure/label_geometry.h"

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

constexpr double kFallbackInset = 0.1;

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

bool fits(const SafeZoneProfile& profile, const std::string& aspect) {
    return profile.aspectRatio == "any" || profile.aspectRatio == aspect;
}

const SafeZoneProfile* defaultProfile(const std::vector<SafeZoneProfile>& profiles,
                                      const std::optional<std::string>& presetKey, std::int64_t width,
                                      std::int64_t height) {
    const std::string target = presetKey.value_or("");
    const std::string ratio = LabelGeometry::aspect(width, height);
    const auto guards = [&](const SafeZoneProfile& profile) {
        const auto& keys = profile.catalogueTargetKeys;
        return keys && std::find(keys->begin(), keys->end(), target) != keys->end() && fits(profile, ratio);
    };
    auto found = std::find_if(profiles.begin(), profiles.end(), guards);
    if (found == profiles.end())
        found = std::find_if(profiles.begin(), profiles.end(),
                             [](const SafeZoneProfile& profile) { return profile.id == kLastResortProfileID; });
    return found == profiles.end() ? nullptr : &*found;
}

const SafeZoneProfile* profile(const std::vector<SafeZoneProfile>& profiles, const LabelLayout* layout,
                               const std::optional<std::string>& presetKey, std::int64_t width, std::int64_t height) {
    if (!layout || layout->guideID == "auto") return defaultProfile(profiles, presetKey, width, height);
    const std::string ratio = LabelGeometry::aspect(width, height);
    const auto found = std::find_if(profiles.begin(), profiles.end(), [&](const SafeZoneProfile& profile) {
        return profile.id == layout->guideID && fits(profile, ratio);
    });
    return found == profiles.end() ? nullptr : &*found;
}

SafeInsets guideInsets(const std::vector<SafeZoneProfile>& profiles, const LabelLayout& layout,
                       const std::optional<std::string>& presetKey, std::int64_t width, std::int64_t height) {
    if (layout.guideID == "custom" && layout.customInsets) return *layout.customInsets;
    const SafeZoneProfile* guide = profile(profiles, &layout, presetKey, width, height);
    if (guide) return guide->normalizedContainedInsets;
    return {kFallbackInset, kFallbackInset, kFallbackInset, kFallbackInset};
}

LabelRect safeRect(const SafeInsets& insets, std::int64_t width, std::int64_t height) {
    const auto w = static_cast<double>(width);
    const auto h = static_cast<double>(height);
    const auto x0 = static_cast<std::int64_t>(std::ceil(insets.left * w));
    const auto y0 = static_cast<std::int64_t>(std::ceil(insets.top * h));
    const auto x1 = static_cast<std::int64_t>(std::floor((1 - insets.right) * w));
    const auto y1 = static_cast<std::int64_t>(std::floor((1 - insets.bottom) * h));
    return {x0, y0, std::max<std::int64_t>(x1 - x0, 0), std::max<std::int64_t>(y1 - y0, 0)};
}

}  // namespace marrowick::SafeZones
