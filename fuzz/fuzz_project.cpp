// Fuzz target for project files: decode, validate, and check that whatever decodes also survives
// a write and a second read unchanged.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "model/project_json.h"
#include "model/review_error.h"

namespace {

void roundTrip(const marrowick::Project& project) {
    std::string text;
    try {
        text = marrowick::ProjectJson::encode(project);
    } catch (const marrowick::ReviewError&) {
        return;  // a 32-bit grouping threshold may overflow to infinity; refusing to write is right
    }
    if (!(marrowick::ProjectJson::decode(text) == project)) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    try {
        const marrowick::Project project =
            marrowick::ProjectJson::decode(std::string_view(reinterpret_cast<const char*>(data), size));
        roundTrip(project);
        project.validated({"youtube-shorts"});
    } catch (const marrowick::ReviewError&) {
    }
    return 0;
}
