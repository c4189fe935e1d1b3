// One entry of the settings' list of local models.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace marrowick {

struct LocalModel {
    std::string name;                                       // shown, and stored as the chosen model
    std::optional<std::vector<std::string>> capabilities;   // what the model can take

    // The one model the program runs (installed separately, under the resource root).
    static LocalModel included() { return {"Qwen3-VL-2B", std::vector<std::string>{"vision"}}; }

    friend bool operator==(const LocalModel&, const LocalModel&) = default;
};

}  // namespace marrowick
