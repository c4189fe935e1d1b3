// The user's home and XDG base folders, found without a desktop toolkit.
#pragma once

#include <filesystem>

namespace marrowick::UserFolders {

// $HOME, else the account's home folder, else the current folder.
std::filesystem::path home();

// The XDG base folder named by `variable` (for example "XDG_DATA_HOME") when it holds an absolute
// path, else `fallback` inside the home folder; a relative or empty value is ignored, as the
// base-directory rules say.
std::filesystem::path xdg(const char* variable, const std::filesystem::path& fallback);

}  // namespace marrowick::UserFolders
