// Frame keys come back from the user's cache folder: any bytes must decode or read as nothing, and
// what decodes must encode to the same bytes.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "analysis/signature_cache.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const std::optional<marrowick::FilmKeys> keys = marrowick::decodeKeys(bytes);
    if (!keys) return 0;
    if (keys->times.size() != keys->keys.size()) __builtin_trap();
    const std::optional<marrowick::FilmKeys> again = marrowick::decodeKeys(marrowick::encodeKeys(*keys));
    if (!again || again->keys.size() != keys->keys.size()) __builtin_trap();
    return 0;
}
