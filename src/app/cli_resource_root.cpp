// The resource root of marrowick-cli.
#include "app/cli_resource_root.h"

#include <cstdlib>
#include <system_error>

namespace marrowick::cli {

std::filesystem::path resourceRoot() {
    if (const char* root = std::getenv("MARROWICK_RESOURCES"); root && *root) return root;
    std::error_code error;
    const std::filesystem::path installed =
        std::filesystem::read_symlink("/proc/self/exe", error).parent_path().parent_path() / "share" / "marrowick";
    if (!error && std::filesystem::is_directory(installed, error)) return installed;
    return MARROWICK_RESOURCE_DIR;
}

}  // namespace marrowick::cli
