// Stored feature prints come from project files: any bytes must decode or fail with ReviewError.
#include <cstddef>
#include <cstdint>
#include <span>

#include "analysis/feature_print.h"
#include "model/review_error.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    try {
        const marrowick::FeaturePrint print = marrowick::FeaturePrint::decode(std::span(data, size));
        const float distance = marrowick::FeaturePrint::distance(print, print);
        if (distance != 0) __builtin_trap();
    } catch (const marrowick::ReviewError&) {
    }
    return 0;
}
