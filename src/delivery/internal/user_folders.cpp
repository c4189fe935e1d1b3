// Home and XDG base folders from the environment and the account database.
#include "delivery/internal/user_folders.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>

namespace marrowick::UserFolders {

std::filesystem::path home() {
    if (const char* home = std::getenv("HOME"); home != nullptr && *home != '\0') return home;
    if (const passwd* user = ::getpwuid(::getuid()); user != nullptr && user->pw_dir != nullptr) return user->pw_dir;
    return std::filesystem::current_path();
}

std::filesystem::path xdg(const char* variable, const std::filesystem::path& fallback) {
    if (const char* folder = std::getenv(variable); folder != nullptr && folder[0] == '/') return folder;
    return home() / fallback;
}

}  // namespace marrowick::UserFolders
