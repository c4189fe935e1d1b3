// libFuzzer target: label artwork PNG decoding, and scaling whatever decodes.
#include <cstddef>
#include <cstdint>
#include <span>

#include "disclosure/internal/image_scaler.h"
#include "disclosure/png_codec.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto image = marrowick::PngCodec::decodePng(std::span(data, size));
    if (!image) return 0;
    // Scale small pictures only, so a large valid picture does not stall the run.
    if (image->byteCount() <= 256 * 256 * 4) marrowick::scaleImage(*image, 7, 3);
    return 0;
}
