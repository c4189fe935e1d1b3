// The FFmpeg filter graph of one encode job: colour signalling, framing, frame rate and the two
// label overlays that show only inside the shots decided for them.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "delivery/delivery_preset.h"
#include "delivery/encode_plan.h"
#include "delivery/source_probe.h"
#include "disclosure/label_rect.h"
#include "model/project.h"
#include "model/shot.h"

namespace marrowick::MasteringExporter {

// FFmpeg's names of a picture's colour primaries, transfer characteristic and matrix.
struct ColourTriple {
    std::string primaries;
    std::string transfer;
    std::string matrix;
    friend bool operator==(const ColourTriple&, const ColourTriple&) = default;
};

// Every delivery encode is signalled Rec.709. A ProRes master, or no preset at all, keeps each
// of the source's members that FFmpeg can convert from and treats the rest (or no source) as
// Rec.709. Either argument may be null.
ColourTriple colour(const DeliveryPreset* preset, const SourceProbe* source);

// "(gte(t,S)*lt(t,E))" for every shot with that decision, joined with "+"; "0" when there is none.
// Times carry exactly nine decimals with a point, whatever the program's locale.
std::string enableExpression(const std::vector<Shot>& shots, Disclosure disclosure);

// Where the label of a decision sits in the plan's frame: the project's layout for the preset's
// key, sized for the artwork of the project's style (white when it has none).
// Throws ReviewError "Official label artwork missing." when the artwork cannot be measured.
LabelRect labelRect(const EncodePlan& plan, const Project& project, Disclosure disclosure,
                    const std::filesystem::path& resourceRoot);

// The one-line filter-graph script for input 0 (the source), 1 (the "generated" label picture)
// and 2 (the "modified" label picture), ending in the pad "[outv]". `source` may be null.
// Throws ReviewError "Official label artwork missing." when the artwork cannot be measured.
std::string graph(const EncodePlan& plan, const std::vector<Shot>& shots, const Project& project,
                  const SourceProbe* source, const std::filesystem::path& resourceRoot);

}  // namespace marrowick::MasteringExporter
