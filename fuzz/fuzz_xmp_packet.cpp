// Fuzzes the reader of XMP disclosure packets read back from outputs and their sidecars.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "disclosure/xmp_packet.h"
#include "model/review_error.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace marrowick;
    const std::string_view packet(reinterpret_cast<const char*>(data), size);
    try {
        const DisclosureMetadata metadata = XmpPacket::read(packet);
        // What was read writes out and reads back as the same disclosure.
        if (XmpPacket::read(XmpPacket::write(metadata)) != metadata) __builtin_trap();
    } catch (const ReviewError&) {
    }
    return 0;
}
