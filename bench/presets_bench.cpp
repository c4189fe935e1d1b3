// Times loading a full preset library (1000 presets) against parsing the same bytes as plain JSON.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <vector>

#include <nlohmann/json.hpp>

#include "bench_timing.h"
#include "delivery/delivery_preset_json.h"
#include "delivery/preset_catalogue.h"
#include "delivery/preset_library.h"
#include "delivery/preset_operations.h"
#include "model/atomic_file.h"
#include "model/uuid.h"

namespace {

using namespace marrowick;

using bench::medianMilliseconds;

// Custom copies of the catalogue presets, cycled until the library holds its maximum.
std::vector<DeliveryPreset> fullCustomList(const std::vector<DeliveryPreset>& catalogue) {
    std::vector<DeliveryPreset> custom;
    while (catalogue.size() + custom.size() < PresetLibrary::kMaximumPresets) {
        DeliveryPreset copy = PresetOperations::duplicatePreset(catalogue[custom.size() % catalogue.size()]);
        copy.name += " " + std::to_string(custom.size());
        custom.push_back(copy);
    }
    return custom;
}

}  // namespace

int main() {
    const std::filesystem::path folder = std::filesystem::temp_directory_path() / ("marrowick-bench-" + Uuid::random().text());
    std::filesystem::create_directories(folder);
    const PresetStorage storage{folder / "delivery-presets.json", MARROWICK_RESOURCE_DIR};
    const std::vector<DeliveryPreset> catalogue = PresetCatalogue::bundled(storage.resourceRoot);
    const std::vector<DeliveryPreset> custom = fullCustomList(catalogue);
    const std::string bytes = DeliveryPresetJson::encodeArray(custom);
    writeFileAtomically(storage.libraryFile, bytes);

    std::size_t sink = 0;  // keeps the results alive so nothing is optimised away
    const double parse = medianMilliseconds(9, [&] { sink += nlohmann::json::parse(bytes).size(); });
    const double decode = medianMilliseconds(9, [&] { sink += DeliveryPresetJson::decodeArray(bytes).size(); });
    const double load = medianMilliseconds(9, [&] { sink += PresetLibrary::load(storage).size(); });
    std::vector<DeliveryPreset> all = catalogue;
    all.insert(all.end(), custom.begin(), custom.end());
    const double save = medianMilliseconds(5, [&] { PresetLibrary::save(all, storage); });

    std::printf("metric: preset_file_bytes %zu bytes\n", bytes.size());
    std::printf("metric: preset_json_parse_ms %.3f ms\n", parse);
    std::printf("metric: preset_decode_ms %.3f ms\n", decode);
    std::printf("metric: preset_library_load_1000_ms %.3f ms\n", load);
    std::printf("metric: preset_library_save_1000_ms %.3f ms\n", save);
    std::printf("metric: preset_decode_vs_json_parse %.2f ratio\n", decode / parse);
    std::printf("metric: preset_load_vs_json_parse %.2f ratio\n", load / parse);
    std::filesystem::remove_all(folder);
    return sink == 0;
}
