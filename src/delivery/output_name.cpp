// Output file names of a delivery, with ICU deciding what counts as a letter or digit.
#include "delivery/output_name.h"

#include <unicode/uchar.h>
#include <unicode/utf8.h>

#include <filesystem>

namespace marrowick::MasteringExporter {
namespace {

bool isKept(UChar32 c) {
    if (c == '_' || c == '-') return true;
    if (c < 0) return false;
    return (U_GET_GC_MASK(c) & (U_GC_L_MASK | U_GC_M_MASK | U_GC_N_MASK)) != 0;
}

}  // namespace

std::string safeName(std::string_view text) {
    std::string safe;
    safe.reserve(text.size());
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(text.data());
    const auto length = static_cast<std::int32_t>(text.size());
    for (std::int32_t at = 0; at < length;) {
        const std::int32_t start = at;
        UChar32 c = 0;
        U8_NEXT(bytes, at, length, c);
        if (isKept(c)) safe.append(text.substr(static_cast<std::size_t>(start), static_cast<std::size_t>(at - start)));
        else safe.push_back('_');
    }
    return safe;
}

std::string outputName(std::size_t number, const DeliveryPreset& preset, const Film& film) {
    const std::string base = std::filesystem::path(film.path).stem().string();
    return std::to_string(number) + "-" + safeName(preset.prefix + base + preset.suffix) + "." + preset.encoding.container;
}

}  // namespace marrowick::MasteringExporter
