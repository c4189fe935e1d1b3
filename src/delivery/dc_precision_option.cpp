// Asking ffmpeg for its mpeg2video options once, and reading the answer.
#include "delivery/dc_precision_option.h"

#include <exception>
#include <map>
#include <mutex>

#include "delivery/local_process.h"

namespace marrowick::MasteringExporter {

std::string dcPrecisionOptionIn(std::string_view encoderHelp) {
    // Option lines read "  -intra_dc_precision <int> ..."; the name must stand as an option.
    return encoderHelp.find("-intra_dc_precision ") != std::string_view::npos ? "-intra_dc_precision" : "-dc";
}

std::string dcPrecisionOption(const std::filesystem::path& ffmpeg) {
    static std::mutex lock;
    static std::map<std::filesystem::path, std::string> decided;
    const std::lock_guard guard(lock);
    if (const auto known = decided.find(ffmpeg); known != decided.end()) return known->second;
    std::string option = "-dc";
    try {
        option = dcPrecisionOptionIn(LocalProcess::run(ffmpeg, {"-hide_banner", "-h", "encoder=mpeg2video"}).data);
    } catch (const std::exception&) {
        // An ffmpeg that cannot describe its encoder fails the encode itself, with its own message.
    }
    return decided.emplace(ffmpeg, option).first->second;
}

}  // namespace marrowick::MasteringExporter
