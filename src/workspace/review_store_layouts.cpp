// The output the preview shows and the edits of label layouts for it.
#include <vector>

#include "disclosure/label_assets.h"
#include "disclosure/label_geometry.h"
#include "workspace/preview_output.h"
#include "workspace/review_store.h"

namespace marrowick {
namespace {

// Sizes are computed with this aspect when the artwork cannot be read.
constexpr double kFallbackArtworkAspect = 4.5;

// The safe rectangle of a layout's guide on the output, in output pixels.
LabelRect guideOf(const std::vector<SafeZoneProfile>& profiles, const LabelLayout& layout, const LayoutOutput& output) {
    const SafeInsets insets = SafeZones::guideInsets(profiles, layout, output.presetKey, output.width, output.height);
    return SafeZones::safeRect(insets, output.width, output.height);
}

}  // namespace

std::optional<DeliveryPreset> ReviewStore::previewPreset() const {
    return PreviewOutput::preset(presets_, presentation_.previewPresetKey);
}

std::optional<RasterSize> ReviewStore::previewSize() const { return PreviewOutput::size(selectedFilm(), previewPreset()); }

std::optional<double> ReviewStore::artworkAspect(Disclosure disclosure) const {
    const LabelStyle style = LabelAssets::styleOrWhite(project_.labelStyle);
    const auto known = artworkAspects_.find({disclosure, style});
    if (known != artworkAspects_.end()) return known->second;
    std::optional<double> aspect;
    try {
        aspect = LabelAssets::aspect(resourceRoot_, disclosure, style);
    } catch (const std::exception&) {
        // Unreadable artwork: no aspect, and nothing is drawn for that decision.
    }
    artworkAspects_[{disclosure, style}] = aspect;
    return aspect;
}

std::optional<LayoutOutput> ReviewStore::layoutOutput() const {
    const std::optional<RasterSize> size = previewSize();
    if (!size) return std::nullopt;
    const std::optional<DeliveryPreset> preset = previewPreset();
    return LayoutOutput{preset ? std::optional<std::string>(preset->key) : std::nullopt, size->width, size->height,
                        artworkAspect(Disclosure::modified).value_or(kFallbackArtworkAspect)};
}

std::optional<std::string> ReviewStore::layoutKey(bool presetScope) const {
    const std::optional<LayoutOutput> output = layoutOutput();
    if (!output) return std::nullopt;
    return LabelGeometry::key(presetScope ? output->presetKey : std::nullopt, output->width, output->height);
}

std::optional<LabelLayout> ReviewStore::shownLayout(const std::string& key) const {
    const std::optional<LayoutOutput> output = layoutOutput();
    if (!output) return std::nullopt;
    return LayoutPlacement::shown(project_, key, *output);
}

std::optional<LabelRect> ReviewStore::guideRect(const std::string& key) const {
    const std::optional<LayoutOutput> output = layoutOutput();
    if (!output) return std::nullopt;
    return guideOf(safeZones_, LayoutPlacement::shown(project_, key, *output), *output);
}

bool ReviewStore::labelOutsideGuide(const std::string& key) const {
    const std::optional<LayoutOutput> output = layoutOutput();
    const std::optional<double> modified = artworkAspect(Disclosure::modified);
    const std::optional<double> generated = artworkAspect(Disclosure::generated);
    if (!output || !modified || !generated) return false;
    const LabelRect guide = guideOf(safeZones_, LayoutPlacement::shown(project_, key, *output), *output);
    return LayoutPlacement::outsideGuide(project_, *output, {*modified, *generated}, guide);
}

void ReviewStore::changeLayout(const std::string& key, const LabelLayoutChange& change) {
    const std::optional<LayoutOutput> output = layoutOutput();
    if (!output) return;
    edit([&](Project& project) {
        const LabelLayout layout = applied(LayoutPlacement::shown(project, key, *output), change);
        layout.validate(safeZoneIDs_);
        if (!project.labelLayouts) project.labelLayouts.emplace();
        (*project.labelLayouts)[key] = layout;
    });
}

void ReviewStore::resetLayout(const std::string& key) {
    if (!layoutOutput()) return;
    edit([&](Project& project) {
        if (project.labelLayouts) project.labelLayouts->erase(key);
    });
}

void ReviewStore::fitInGuide(const std::string& key, const std::string& corner) {
    const std::optional<LayoutOutput> output = layoutOutput();
    if (!output || busy()) return;
    const LabelLayout layout = LayoutPlacement::shown(project_, key, *output);
    LabelLayout fitted;
    if (!attempt([&] { fitted = LayoutPlacement::fitted(layout, corner, guideOf(safeZones_, layout, *output), *output); }))
        return;
    changeLayout(key, LayoutChange::Whole{fitted});
}

}  // namespace marrowick
