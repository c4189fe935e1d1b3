// The name a film goes by in messages, lists and reports (its file's name), and the names a person
// may give it.
#pragma once

#include <filesystem>
#include <string>

#include "model/film.h"

namespace marrowick {

inline std::string fileName(const Film& film) { return std::filesystem::path(film.path).filename().string(); }

// Whether a person typing `name` (on the command line) means this film: its file name, its full
// path or its ID. Several films may share a file name.
inline bool isNamed(const Film& film, const std::string& name) {
    return film.path == name || film.id.text() == name || fileName(film) == name;
}

}  // namespace marrowick
