// The project file's JSON form: compact for project and recovery files, indented with sorted keys
// for the review package copy.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "model/project.h"

namespace marrowick::ProjectJson {

// Throws ReviewError when the project holds a non-finite number.
std::string encode(const Project& project);
std::string encodePretty(const Project& project);

// Checks types and presence only (validation is Project::validated). Throws ReviewError with the
// reader's description of the first problem; never returns a partial project.
Project decode(std::string_view json);

// The size gate for project files the user opens: throws "Project file exceeds 256 MB." when the
// file is kProjectFileSizeLimit bytes or larger; does nothing when the size cannot be read.
void checkFileSize(const std::filesystem::path& path);

// Applies the 256 MB gate (skipped when the size cannot be read), then reads and decodes the file.
Project readFile(const std::filesystem::path& path);

// Reads and decodes without the size gate (the recovery file).
Project readFileUngated(const std::filesystem::path& path);

}  // namespace marrowick::ProjectJson
