// Sound outlines come back from the user's cache folder: any bytes in a ".peaks" file must load or
// read as nothing, and what loads must save and load again unchanged.
#include <unistd.h>

#include <cstddef>
#include <cstdlib>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>

#include "analysis/audio_peaks.h"
#include "model/review_error.h"

namespace {

const std::string kFingerprint(64, 'a');

std::filesystem::path folderName() {
    return std::filesystem::temp_directory_path() / ("fuzz-peaks-" + std::to_string(::getpid()));
}

const std::filesystem::path& folder() {
    static const std::filesystem::path path = [] {
        std::filesystem::create_directories(folderName());
        std::atexit([] {
            std::error_code ignored;
            std::filesystem::remove_all(folderName(), ignored);
        });
        return folderName();
    }();
    return path;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    {
        std::ofstream file(folder() / (kFingerprint + ".peaks"), std::ios::binary | std::ios::trunc);
        file.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    const std::optional<marrowick::AudioPeaks> peaks = marrowick::AudioPeaks::load(folder(), kFingerprint);
    if (!peaks) return 0;
    try {
        peaks->save(folder(), kFingerprint);
    } catch (const marrowick::ReviewError&) {
        return 0;
    }
    if (marrowick::AudioPeaks::load(folder(), kFingerprint) != peaks) __builtin_trap();
    return 0;
}
