// Locating the resource root of the running program.
#include "app/resource_root.h"

#include <cstdlib>
#include <system_error>

namespace marrowick {

std::filesystem::path resourceRoot() {
    if (const char* configured = std::getenv("MARROWICK_RESOURCES"); configured && *configured) return configured;
    std::error_code error;
    const std::filesystem::path executable = std::filesystem::read_symlink("/proc/self/exe", error);
    if (!error) {
        const std::filesystem::path installed = executable.parent_path().parent_path() / "share" / "marrowick";
        if (std::filesystem::is_directory(installed, error)) return installed;
    }
    return MARROWICK_SOURCE_RESOURCES;
}

}  // namespace marrowick
