// The delivery folder's name and summary lines.
#include "delivery/delivery_names.h"

#include "model/uuid.h"

namespace marrowick::DeliveryNames {
namespace {

constexpr const char* kSeparator = " \u2014 ";

}  // namespace

std::string newFolderName() { return "Marrowick-delivery-" + Uuid::random().text().substr(0, 8); }

std::string summaryLine(const std::string& outputName, const EncodePlan& plan) {
    std::string warnings;
    for (const std::string& warning : plan.warnings) warnings += (warnings.empty() ? "" : " ") + warning;
    return outputName + kSeparator + plan.preset.name + kSeparator + std::to_string(plan.width) + "x" +
           std::to_string(plan.height) + kSeparator + warnings;
}

}  // namespace marrowick::DeliveryNames
