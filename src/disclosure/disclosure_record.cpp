// Disclosure record text. The detector and descriptor lines name what actually ran on this computer.
#include "disclosure/disclosure_record.h"

#include <algorithm>

#include "model/decimal_text.h"
#include "model/reference_date.h"

namespace marrowick {
namespace {

constexpr const char* kNoFilms = "no films detected";
constexpr const char* kVisualDescriptor = "Marrowick local image descriptors";

// Shortest round-trip text with a fractional part, for the 32-bit grouping distance (0.35, not
// 0.3499999940395355).
std::string floatText(float value) {
    std::string text = shortestText(value);
    if (text.find_first_of(".e") == std::string::npos) text += ".0";
    return text;
}

std::string joined(const std::vector<std::string>& names) {
    if (names.empty()) return kNoFilms;
    std::string text = names.front();
    for (std::size_t i = 1; i < names.size(); ++i) text += (i + 1 == names.size() ? " and " : ", ") + names[i];
    return text;
}

}  // namespace

std::vector<std::string> detectorNames(const Project& project) {
    std::vector<std::string> names;
    for (const Film& film : project.films) {
        if (film.detector.empty() || std::find(names.begin(), names.end(), film.detector) != names.end()) continue;
        names.push_back(film.detector);
    }
    return names;
}

std::string workDisclosureNote(const Project& project) {
    return project.artisticWork ? "Creative-work disclosure note: " + project.workDisclosure
                                : "Per-shot visible disclosure selected.";
}

std::string disclosureRecord(const Project& project, double createdAt) {
    const std::string lines[] = {
        "Marrowick review export",
        "Project: " + project.name,
        "Created: " + iso8601Utc(createdAt),
        "Reviewed shots: " + std::to_string(project.reviewed()) + "/" + std::to_string(project.shots.size()),
        "Range convention: inclusive in, exclusive out, original media presentation seconds.",
        "Detector: " + joined(detectorNames(project)) + ", threshold " +
            decimalText(project.threshold) + ".",
        "Visual groups: " + std::string(kVisualDescriptor) + ", distance " + floatText(project.groupingThreshold) +
            ". Similarity is advisory.",
        workDisclosureNote(project),
        "",
        "Review decisions are human declarations. Neither visual similarity nor local model output establishes AI "
        "provenance or legal scope. An unreviewed shot is not a declaration of no AI use.",
        "Official EU icons are optional; use does not establish compliance. Article 50(4) concerns deepfakes and "
        "provides an adapted disclosure approach for evidently creative works. Exported reports are review records, "
        "not signed provenance or C2PA credentials. Visible video export does not implement a provider's separate "
        "Article 50(2) machine-readable marking obligations.",
        "Source: " + std::string(kEuIconsAddress),
        "Regulation: " + std::string(kRegulationAddress),
    };
    std::string text;
    for (const std::string& line : lines) {
        if (&line != &lines[0]) text += '\n';
        text += line;
    }
    return text;
}

}  // namespace marrowick
