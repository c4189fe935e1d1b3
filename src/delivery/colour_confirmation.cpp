// The untagged-colour gate of a delivery.
#include "delivery/colour_confirmation.h"

#include <filesystem>

#include "model/film_name.h"
#include "model/review_error.h"

namespace marrowick::MasteringExporter {

bool hasUntaggedColour(const SourceProbe& source) { return source.transfer == "unknown" || source.primaries == "unknown"; }

void requireConfirmedColour(const Film& film, const SourceProbe& source, bool assumeRec709) {
    if (assumeRec709 || !hasUntaggedColour(source)) return;
    throw ReviewError(fileName(film) +
                      " has untagged colour. Confirm SDR Rec.709 in the export dialog, or tag/finish the source first.");
}

}  // namespace marrowick::MasteringExporter
