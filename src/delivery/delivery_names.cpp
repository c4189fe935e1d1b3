// Safe output names, the delivery folder's name and summary lines.
#include "delivery/delivery_names.h"

#include <filesystem>

#include <unicode/uchar.h>
#include <unicode/utf8.h>

#include "model/uuid.h"

namespace marrowick::DeliveryNames {
namespace {

constexpr const char* kSeparator = " \u2014 ";

bool keeps(UChar32 scalar) {
    if (scalar == '_' || scalar == '-') return true;
    constexpr std::uint32_t kAlphanumeric = U_GC_L_MASK | U_GC_M_MASK | U_GC_N_MASK;
    return (U_GET_GC_MASK(scalar) & kAlphanumeric) != 0;
}

}  // namespace

std::string safeName(std::string_view utf8) {
    std::string safe;
    const auto length = static_cast<std::int32_t>(utf8.size());
    for (std::int32_t offset = 0; offset < length;) {
        const std::int32_t start = offset;
        UChar32 scalar = 0;
        U8_NEXT(utf8.data(), offset, length, scalar);
        if (scalar >= 0 && keeps(scalar))
            safe.append(utf8.substr(static_cast<std::size_t>(start), static_cast<std::size_t>(offset - start)));
        else
            safe += '_';
    }
    return safe;
}

std::string newFolderName() { return "Marrowick-delivery-" + Uuid::random().text().substr(0, 8); }

std::string outputName(std::size_t number, const DeliveryPreset& preset, const Film& film) {
    const std::string base = std::filesystem::path(film.path).stem().string();
    return std::to_string(number) + "-" + safeName(preset.prefix + base + preset.suffix) + "." +
           preset.encoding.container;
}

std::string summaryLine(const std::string& outputName, const EncodePlan& plan) {
    std::string warnings;
    for (const std::string& warning : plan.warnings) warnings += (warnings.empty() ? "" : " ") + warning;
    return outputName + kSeparator + plan.preset.name + kSeparator + std::to_string(plan.width) + "x" +
           std::to_string(plan.height) + kSeparator + warnings;
}

}  // namespace marrowick::DeliveryNames
