// JSONValue: the small generic JSON value of a preset's free-form advancedRecipe.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace marrowick {

class JSONValue {
public:
    using Object = std::map<std::string, JSONValue, std::less<>>;
    using Array = std::vector<JSONValue>;
    struct Null {
        friend bool operator==(Null, Null) = default;
    };
    // The six cases, in their defined order.
    using Storage = std::variant<Object, Array, std::string, double, bool, Null>;

    JSONValue() : storage_(Null{}) {}
    JSONValue(Object value) : storage_(std::move(value)) {}
    JSONValue(Array value) : storage_(std::move(value)) {}
    JSONValue(std::string value) : storage_(std::move(value)) {}
    JSONValue(const char* value) : storage_(std::string(value)) {}
    JSONValue(double value) : storage_(value) {}
    JSONValue(bool value) : storage_(value) {}
    JSONValue(Null) : storage_(Null{}) {}

    const Storage& storage() const { return storage_; }
    bool isNull() const { return std::holds_alternative<Null>(storage_); }
    const Object* object() const { return std::get_if<Object>(&storage_); }
    const Array* array() const { return std::get_if<Array>(&storage_); }
    const std::string* string() const { return std::get_if<std::string>(&storage_); }
    const double* number() const { return std::get_if<double>(&storage_); }
    const bool* boolean() const { return std::get_if<bool>(&storage_); }

    // On an object, the member with that name; on every other case, nothing.
    const JSONValue* member(std::string_view name) const;

    // On an array, every number element with its fraction dropped, in order; other elements are
    // skipped. A number that is not finite or does not fit a 64-bit integer makes the whole list
    // nothing, so a broken quantiser matrix is refused instead of being shortened.
    // On every other case, nothing.
    std::optional<std::vector<std::int64_t>> integerList() const;

    friend bool operator==(const JSONValue& a, const JSONValue& b) { return a.storage_ == b.storage_; }

private:
    Storage storage_;
};

}  // namespace marrowick
