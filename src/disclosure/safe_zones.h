// The safe-zone catalogue: guide profiles with normalised safe-area insets, shipped as a resource.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "disclosure/label_rect.h"
#include "model/label_layout.h"

namespace marrowick {

// One guide of the catalogue; layouts store its `id` as their guideID.
struct SafeZoneProfile {
    std::string id;
    std::string name;
    std::string scope;
    std::string aspectRatio;  // "any" or a reduced ratio such as "9:16"
    SafeInsets normalizedContainedInsets;
    std::optional<std::string> sourceUrl;
    std::string checkedAt;
    std::string provenance;  // "editorial" for a house guide
    std::string notes;
    std::optional<std::vector<std::string>> catalogueTargetKeys;  // presets this is the automatic guide of

    friend bool operator==(const SafeZoneProfile&, const SafeZoneProfile&) = default;
};

namespace SafeZones {

inline constexpr const char* kFileName = "SafeZones.json";
inline constexpr const char* kLastResortProfileID = "marrowick-editorial-ten-percent-v1";

// The usable profiles of a catalogue document, in file order: empty when the text is not a
// catalogue of schema 1; profiles whose insets leave no usable rectangle are dropped. Never throws.
std::vector<SafeZoneProfile> decode(std::string_view json);

// decode() of "SafeZones.json" in the resource root; empty when it is missing or unreadable.
std::vector<SafeZoneProfile> load(const std::filesystem::path& resourceRoot);

// The identifiers layouts may name as their guide (besides "auto" and "custom").
std::set<std::string> profileIDs(const std::vector<SafeZoneProfile>& profiles);

// Whether a profile applies to outputs of this aspect string: "any", or the same ratio.
bool fits(const SafeZoneProfile& profile, const std::string& aspect);

// The automatic guide of an output: the first profile that names the preset (none names the
// empty key) and fits the output's ratio, else the last-resort profile whatever its ratio, else
// null. The result points into `profiles`.
const SafeZoneProfile* defaultProfile(const std::vector<SafeZoneProfile>& profiles,
                                      const std::optional<std::string>& presetKey, std::int64_t width,
                                      std::int64_t height);

// The guide a layout shows for an output: the automatic one without a layout or for "auto",
// otherwise the profile it names when that fits the output's ratio, else null.
const SafeZoneProfile* profile(const std::vector<SafeZoneProfile>& profiles, const LabelLayout* layout,
                               const std::optional<std::string>& presetKey, std::int64_t width, std::int64_t height);

// The margins of a layout's guide: its custom margins for "custom", else its profile's, else
// 0.1 on every side.
SafeInsets guideInsets(const std::vector<SafeZoneProfile>& profiles, const LabelLayout& layout,
                       const std::optional<std::string>& presetKey, std::int64_t width, std::int64_t height);

// The safe rectangle the insets leave in a frame of width x height pixels, rounded inwards.
LabelRect safeRect(const SafeInsets& insets, std::int64_t width, std::int64_t height);

}  // namespace SafeZones
}  // namespace marrowick
