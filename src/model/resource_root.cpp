// The resource root lookup shared by every program.
#include "model/resource_root.h"

#include <cstdlib>
#include <system_error>

namespace marrowick {

std::filesystem::path resourceRoot(const std::filesystem::path& executable) {
    if (const char* configured = std::getenv("MARROWICK_RESOURCES"); configured != nullptr && *configured != '\0')
        return configured;
    std::error_code error;
    const std::filesystem::path installed = executable.parent_path().parent_path() / "share" / "marrowick";
    if (!executable.empty() && std::filesystem::is_directory(installed, error)) return installed;
    return MARROWICK_SOURCE_RESOURCES;
}

std::filesystem::path runningExecutable() {
    std::error_code error;
    std::filesystem::path executable = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::filesystem::path() : executable;
}

}  // namespace marrowick
