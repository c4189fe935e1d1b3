// The safetensors container: an 8-byte header length, a JSON header, then raw tensor bytes.
#include "analysis/safetensors.h"

#include <bit>
#include <cerrno>
#include <cstring>
#include <fstream>
#include <limits>
#include <sstream>

#include <nlohmann/json.hpp>

#include "model/review_error.h"

namespace marrowick::Safetensors {

namespace {

static_assert(std::endian::native == std::endian::little, "safetensors data is little-endian");

constexpr std::uint64_t kMaxHeaderBytes = 100'000'000;

[[noreturn]] void damaged() { throw ReviewError("The TransNetV2 weights file is damaged."); }

std::uint64_t elementCount(const std::vector<std::int64_t>& shape) {
    std::uint64_t count = 1;
    for (const std::int64_t extent : shape) {
        if (extent < 0 || (extent > 0 && count > std::numeric_limits<std::uint32_t>::max() / static_cast<std::uint64_t>(extent)))
            damaged();
        count *= static_cast<std::uint64_t>(extent);
    }
    return count;
}

Tensor decodeTensor(const nlohmann::json& entry, std::string_view data) {
    if (!entry.is_object() || !entry.contains("shape") || !entry.contains("data_offsets")) damaged();
    const auto& offsets = entry["data_offsets"];
    if (!offsets.is_array() || offsets.size() != 2 || !offsets[0].is_number_unsigned() || !offsets[1].is_number_unsigned())
        damaged();
    const auto begin = offsets[0].get<std::uint64_t>();
    const auto end = offsets[1].get<std::uint64_t>();
    Tensor tensor;
    for (const auto& extent : entry["shape"]) {
        if (!extent.is_number_integer()) damaged();
        tensor.shape.push_back(extent.get<std::int64_t>());
    }
    const std::uint64_t count = elementCount(tensor.shape);
    if (begin > end || end > data.size() || end - begin != count * sizeof(float)) damaged();
    tensor.values.resize(count);
    if (count > 0) std::memcpy(tensor.values.data(), data.data() + begin, count * sizeof(float));
    return tensor;
}

}  // namespace

TensorMap decode(std::string_view bytes) {
    if (bytes.size() < 8) damaged();
    std::uint64_t headerBytes = 0;
    std::memcpy(&headerBytes, bytes.data(), 8);
    if (headerBytes > kMaxHeaderBytes || headerBytes > bytes.size() - 8) damaged();
    const nlohmann::json header = nlohmann::json::parse(bytes.substr(8, headerBytes), nullptr, false);
    if (!header.is_object()) damaged();
    const std::string_view data = bytes.substr(8 + headerBytes);
    TensorMap tensors;
    for (const auto& [name, entry] : header.items()) {
        if (name == "__metadata__") continue;
        if (!entry.is_object() || !entry.contains("dtype") || !entry["dtype"].is_string()) damaged();
        if (entry["dtype"].get<std::string>() != "F32") continue;
        tensors.emplace(name, decodeTensor(entry, data));
    }
    return tensors;
}

TensorMap read(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) throw ReviewError::about(path, std::strerror(errno));
    std::ostringstream contents;
    contents << file.rdbuf();
    if (file.bad()) throw ReviewError::about(path, std::strerror(errno));
    return decode(contents.str());
}

std::string encode(const TensorMap& tensors) {
    nlohmann::json header = nlohmann::json::object();
    std::uint64_t offset = 0;
    for (const auto& [name, tensor] : tensors) {
        const std::uint64_t size = tensor.values.size() * sizeof(float);
        header[name] = {{"dtype", "F32"}, {"shape", tensor.shape}, {"data_offsets", {offset, offset + size}}};
        offset += size;
    }
    std::string text = header.dump();
    text.append((8 - text.size() % 8) % 8, ' ');  // keeps the tensor data 8-byte aligned
    const std::uint64_t headerBytes = text.size();
    std::string bytes(8, '\0');
    std::memcpy(bytes.data(), &headerBytes, 8);
    bytes += text;
    for (const auto& [name, tensor] : tensors)
        bytes.append(reinterpret_cast<const char*>(tensor.values.data()), tensor.values.size() * sizeof(float));
    return bytes;
}

}  // namespace marrowick::Safetensors
