// Member lookup and integer lists of JSONValue.
#include "delivery/json_value.h"

#include <cmath>

namespace marrowick {
namespace {

// Doubles in [-2^63, 2^63) truncate to a valid 64-bit integer.
bool fitsInt64(double value) {
    return std::isfinite(value) && value >= -9223372036854775808.0 && value < 9223372036854775808.0;
}

}  // namespace

const JSONValue* JSONValue::member(std::string_view name) const {
    const Object* members = object();
    if (members == nullptr) return nullptr;
    const auto found = members->find(name);
    return found == members->end() ? nullptr : &found->second;
}

std::optional<std::vector<std::int64_t>> JSONValue::integerList() const {
    const Array* elements = array();
    if (elements == nullptr) return std::nullopt;
    std::vector<std::int64_t> integers;
    for (const JSONValue& element : *elements) {
        const double* value = element.number();
        if (value == nullptr) continue;
        if (!fitsInt64(*value)) return std::nullopt;
        integers.push_back(static_cast<std::int64_t>(*value));
    }
    return integers;
}

}  // namespace marrowick
