// Scratch folders and file helpers of the delivery tests.
#include "delivery/preset_fixtures.h"

#include <fstream>
#include <iterator>
#include <stdexcept>

#include "model/uuid.h"

namespace marrowick::testing {

ScratchFolder::ScratchFolder()
    : path_(std::filesystem::temp_directory_path() / ("marrowick-delivery-" + Uuid::random().text())) {
    std::filesystem::create_directories(path_);
}

ScratchFolder::~ScratchFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

void writeText(const std::filesystem::path& file, const std::string& text) {
    std::ofstream out(file, std::ios::binary);
    out << text;
    if (!out) throw std::runtime_error("cannot write " + file.string());
}

std::string readText(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) throw std::runtime_error("cannot read " + file.string());
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::filesystem::path copyOfResources(const ScratchFolder& folder) {
    const std::filesystem::path root = folder / "resources";
    std::filesystem::create_directories(root);
    for (const char* name : {"DeliveryTargets.json", "MasterTargets.json"})
        std::filesystem::copy_file(resourceRoot() / name, root / name);
    return root;
}

}  // namespace marrowick::testing
