// The output the preview shows and where the labels sit on it: the queries behind the layout
// editor, the output overlay and the guide warning (plain C++).
#pragma once

#include <filesystem>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "delivery/delivery_preset.h"
#include "delivery/encode_plan.h"
#include "disclosure/layout_placement.h"
#include "disclosure/safe_zones.h"
#include "model/project.h"
#include "workspace/workspace_state.h"

namespace marrowick {

// Reads the review state it is given on every call and keeps only the artwork aspect ratios,
// so a query always answers for the state as it stands.
class LayoutQueries {
public:
    // The state the queries read; each must outlive the queries.
    struct State {
        const Project& project;
        const std::set<Uuid>& selection;
        const std::vector<DeliveryPreset>& presets;
        const PresentationState& presentation;
    };

    // `safeZones` are the guides layouts may name; the label artwork is read under `resourceRoot`.
    LayoutQueries(State state, std::vector<SafeZoneProfile> safeZones, std::filesystem::path resourceRoot);

    // The safe-zone guides of the shipped catalogue, in file order.
    const std::vector<SafeZoneProfile>& safeZoneProfiles() const { return safeZones_; }
    // The listed preset whose key is the preview preset key, if any.
    std::optional<DeliveryPreset> previewPreset() const;
    // The selected film's raster as the preview preset encodes it, or its own raster without a
    // preset; nothing without a selected film or when the preset makes no usable raster.
    std::optional<RasterSize> previewSize() const;
    // Width / height of the artwork of a labelled decision in the project's style; nothing when
    // the artwork cannot be read. Each picture is decoded once.
    std::optional<double> artworkAspect(Disclosure disclosure) const;
    // The output layouts are edited for (preview preset, preview size, the "modified" artwork's
    // aspect or 4.5); nothing without a preview size.
    std::optional<LayoutOutput> layoutOutput() const;
    // The key an edit of the current output changes: the preview preset's own layout when
    // `presetScope` and a preset is previewed, else the aspect ratio's. Nothing without an output.
    std::optional<std::string> layoutKey(bool presetScope) const;
    // The layout stored under the key, or the one its first edit starts from.
    std::optional<LabelLayout> shownLayout(const std::string& key) const;
    // The safe rectangle of that layout's guide, in output pixels.
    std::optional<LabelRect> guideRect(const std::string& key) const;
    // The safe rectangle of a given layout's guide on a given output, in output pixels.
    LabelRect guideOf(const LabelLayout& layout, const LayoutOutput& output) const;
    // True when both labels can be drawn for the output and either leaves the layout's guide.
    bool labelOutsideGuide(const std::string& key) const;

private:
    State state_;
    std::vector<SafeZoneProfile> safeZones_;
    std::filesystem::path resourceRoot_;
    mutable std::map<std::pair<Disclosure, LabelStyle>, std::optional<double>> artworkAspects_;
};

}  // namespace marrowick
