// Fuzzes the safetensors reader of the TransNetV2 weights file.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "analysis/safetensors.h"
#include "model/review_error.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    try {
        marrowick::Safetensors::decode(std::string_view(reinterpret_cast<const char*>(data), size));
    } catch (const marrowick::ReviewError&) {
    }
    return 0;
}
