// Fuzzes the reader of FFprobe's JSON reports.
#include <cstddef>
#include <cstdint>
#include <string>

#include "delivery/source_probe.h"
#include "model/review_error.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace marrowick;
    const std::string text(reinterpret_cast<const char*>(data), size);
    try {
        const SourceProbe probe = SourceProbe::parse(text);
        // The report is kept byte for byte, and reading it again gives the same record.
        if (probe.json != text || SourceProbe::parse(probe.json) != probe) __builtin_trap();
    } catch (const ReviewError&) {
    }
    return 0;
}
