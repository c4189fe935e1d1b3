// The output the preview shows and the label layouts on it.
#include "workspace/layout_queries.h"

#include <exception>

#include "disclosure/label_assets.h"
#include "disclosure/label_geometry.h"
#include "workspace/preview_output.h"
#include "workspace/shot_navigation.h"

namespace marrowick {
namespace {

// Sizes are computed with this aspect when the artwork cannot be read.
constexpr double kFallbackArtworkAspect = 4.5;

}  // namespace

LayoutQueries::LayoutQueries(State state, std::vector<SafeZoneProfile> safeZones, std::filesystem::path resourceRoot)
    : state_(state), safeZones_(std::move(safeZones)), resourceRoot_(std::move(resourceRoot)) {}

std::optional<DeliveryPreset> LayoutQueries::previewPreset() const {
    return PreviewOutput::preset(state_.presets, state_.presentation.previewPresetKey);
}

std::optional<RasterSize> LayoutQueries::previewSize() const {
    const std::optional<Shot> shot = ShotNavigation::selected(state_.project, state_.selection);
    const Film* film = shot ? state_.project.film(shot->filmID) : nullptr;
    return PreviewOutput::size(film ? std::optional<Film>(*film) : std::nullopt, previewPreset());
}

std::optional<double> LayoutQueries::artworkAspect(Disclosure disclosure) const {
    const LabelStyle style = LabelAssets::styleOrWhite(state_.project.labelStyle);
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

std::optional<LayoutOutput> LayoutQueries::layoutOutput() const {
    const std::optional<RasterSize> size = previewSize();
    if (!size) return std::nullopt;
    const std::optional<DeliveryPreset> preset = previewPreset();
    return LayoutOutput{preset ? std::optional<std::string>(preset->key) : std::nullopt, size->width, size->height,
                        artworkAspect(Disclosure::modified).value_or(kFallbackArtworkAspect)};
}

std::optional<std::string> LayoutQueries::layoutKey(bool presetScope) const {
    const std::optional<LayoutOutput> output = layoutOutput();
    if (!output) return std::nullopt;
    return LabelGeometry::key(presetScope ? output->presetKey : std::nullopt, output->width, output->height);
}

std::optional<LabelLayout> LayoutQueries::shownLayout(const std::string& key) const {
    const std::optional<LayoutOutput> output = layoutOutput();
    if (!output) return std::nullopt;
    return LayoutPlacement::shown(state_.project, key, *output);
}

LabelRect LayoutQueries::guideOf(const LabelLayout& layout, const LayoutOutput& output) const {
    const SafeInsets insets = SafeZones::guideInsets(safeZones_, layout, output.presetKey, output.width, output.height);
    return SafeZones::safeRect(insets, output.width, output.height);
}

std::optional<LabelRect> LayoutQueries::guideRect(const std::string& key) const {
    const std::optional<LayoutOutput> output = layoutOutput();
    if (!output) return std::nullopt;
    return guideOf(LayoutPlacement::shown(state_.project, key, *output), *output);
}

bool LayoutQueries::labelOutsideGuide(const std::string& key) const {
    const std::optional<LayoutOutput> output = layoutOutput();
    const std::optional<double> modified = artworkAspect(Disclosure::modified);
    const std::optional<double> generated = artworkAspect(Disclosure::generated);
    if (!output || !modified || !generated) return false;
    const LabelRect guide = guideOf(LayoutPlacement::shown(state_.project, key, *output), *output);
    return LayoutPlacement::outsideGuide(state_.project, *output, {*modified, *generated}, guide);
}

}  // namespace marrowick
