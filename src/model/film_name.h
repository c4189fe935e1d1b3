// The name a film goes by in messages, lists and reports: its file's name.
#pragma once

#include <filesystem>
#include <string>

#include "model/film.h"

namespace marrowick {

inline std::string fileName(const Film& film) { return std::filesystem::path(film.path).filename().string(); }

}  // namespace marrowick
