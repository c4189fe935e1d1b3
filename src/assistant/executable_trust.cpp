// ExecutableTrust with stat(2).
#include "assistant/executable_trust.h"

#include <sys/stat.h>
#include <unistd.h>

namespace marrowick::ExecutableTrust {
namespace {

bool ownedAndProtected(const struct stat& status) {
    const bool owner = status.st_uid == 0 || status.st_uid == getuid();
    return owner && (status.st_mode & (S_IWGRP | S_IWOTH)) == 0;
}

bool trustedFolder(const std::filesystem::path& folder) {
    struct stat status {};
    return stat(folder.c_str(), &status) == 0 && S_ISDIR(status.st_mode) && ownedAndProtected(status);
}

}  // namespace

bool trusted(const std::filesystem::path& executable) {
    std::error_code error;
    const std::filesystem::path target = std::filesystem::canonical(executable, error);
    if (error) return false;
    struct stat status {};
    if (stat(target.c_str(), &status) != 0 || !S_ISREG(status.st_mode)) return false;
    if (!ownedAndProtected(status) || access(target.c_str(), X_OK) != 0) return false;
    return trustedFolder(target.parent_path()) &&
           trustedFolder(std::filesystem::absolute(executable, error).parent_path());
}

}  // namespace marrowick::ExecutableTrust
