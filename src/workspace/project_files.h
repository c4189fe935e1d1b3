// Reading and writing project files the user opens and saves, and reaching the films' sources.
#pragma once

#include <filesystem>

#include "model/project.h"
#include "workspace/desktop_dialogs.h"

namespace marrowick::ProjectFiles {

// The project file type in dialogs: ".marrowick" files, and JSON files for opening.
const FileExtensions& saveExtensions();
const FileExtensions& openExtensions();

// Size gate, read, decode and validation; throws ReviewError with the first failure's message.
Project read(const std::filesystem::path& file);

// Validates, encodes compactly and replaces the file atomically; throws ReviewError on failure
// and then leaves the file as it was.
void write(const std::filesystem::path& file, const Project& project);

// Regains the films' source files after a project is loaded. On Linux a film is reached by its
// stored path, so films carry no bookmark and every path stays as it is.
void resolveMedia(Project& project);

}  // namespace marrowick::ProjectFiles
