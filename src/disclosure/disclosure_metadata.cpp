// Labelled shots to frame-exact markers.
#include "disclosure/disclosure_metadata.h"

#include <algorithm>
#include <cmath>

#include "disclosure/disclosure_record.h"

namespace marrowick {
namespace {

constexpr std::int64_t kLargestDenominator = 1001;
constexpr double kRateTolerance = 1e-9;
constexpr double kLargestFrame = 9.0e15;  // well inside int64 and exact in a double

// The text with every character XML cannot carry as a space: controls other than tab, line feed and
// carriage return, DEL, U+FFFE and U+FFFF. The XMP toolkit would blank the first ones itself and
// write the last two into a packet no parser reads, so the packet could never match the review.
std::string xmlSafe(std::string text) {
    for (std::size_t at = 0; at < text.size(); ++at) {
        const auto byte = static_cast<unsigned char>(text[at]);
        if ((byte < 0x20 && byte != '\t' && byte != '\n' && byte != '\r') || byte == 0x7f) text[at] = ' ';
        const bool nonCharacter = byte == 0xef && at + 2 < text.size() && text[at + 1] == '\xbf' &&
                                  (text[at + 2] == '\xbe' || text[at + 2] == '\xbf');
        if (nonCharacter) text.replace(at, 3, " ");
    }
    return text;
}

bool labelled(const Shot& shot) {
    return shot.disclosure == Disclosure::modified || shot.disclosure == Disclosure::generated;
}

}  // namespace

FrameRate FrameRate::of(double fps) {
    if (!std::isfinite(fps) || !(fps > 0) || fps > kLargestFrame / 1000) return {};
    for (std::int64_t denominator = 1; denominator <= kLargestDenominator; ++denominator) {
        const double scaled = fps * static_cast<double>(denominator);
        if (std::fabs(scaled - std::round(scaled)) <= kRateTolerance * scaled)
            return {std::llround(scaled), denominator};
    }
    return {std::max<std::int64_t>(std::llround(fps * 1000), 1), 1000};
}

std::string FrameRate::xmpText() const {
    std::string text = "f" + std::to_string(numerator);
    if (denominator != 1) text += "s" + std::to_string(denominator);
    return text;
}

std::int64_t FrameRate::frameAt(double seconds) const {
    const double frames = seconds * static_cast<double>(numerator) / static_cast<double>(denominator);
    if (!(frames > 0)) return 0;
    return std::llround(std::min(frames, kLargestFrame));
}

DisclosureMetadata disclosureMetadata(const Film& film, const std::vector<Shot>& shots, const Project& project) {
    const FrameRate rate = FrameRate::of(film.fps);
    DisclosureMetadata metadata{std::nullopt, xmlSafe(workDisclosureNote(project)), rate.xmpText(), {}};
    std::vector<const Shot*> ranges;
    for (const Shot& shot : shots)
        if (labelled(shot)) ranges.push_back(&shot);
    std::stable_sort(ranges.begin(), ranges.end(), [](const Shot* a, const Shot* b) { return a->start < b->start; });
    for (const Shot* shot : ranges) {
        const std::int64_t start = rate.frameAt(shot->start);
        metadata.markers.push_back({start, std::max<std::int64_t>(rate.frameAt(shot->end) - start, 0), shot->disclosure});
    }
    if (!metadata.markers.empty()) metadata.digitalSourceType = kCompositeWithTrainedAlgorithmicMedia;
    return metadata;
}

}  // namespace marrowick
