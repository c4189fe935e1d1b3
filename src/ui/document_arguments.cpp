// Sorting command-line documents into a project to open and films to import.
#include "ui/document_arguments.h"

#include <algorithm>
#include <cctype>

namespace marrowick {
namespace {

bool isProjectFile(const std::filesystem::path& file) {
    std::string extension = file.extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return extension == ".marrowick";
}

}  // namespace

DocumentArguments DocumentArguments::parse(const std::vector<std::string>& arguments) {
    DocumentArguments documents;
    for (std::size_t i = 1; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (argument.empty() || argument.front() == '-') continue;
        const std::filesystem::path file(argument);
        if (!isProjectFile(file)) documents.films.push_back(file);
        else if (!documents.project) documents.project = file;
        // One review is open at a time: further project files are left alone.
    }
    return documents;
}

}  // namespace marrowick
