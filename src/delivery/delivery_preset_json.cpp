// Reading and writing DeliveryPreset records with nlohmann::json, with field paths in every error.
#include "delivery/delivery_preset_json.h"

#include <cmath>
#include <fstream>
#include <limits>
#include <iterator>

#include <nlohmann/json.hpp>

#include "delivery/internal/bounded_json.h"
#include "model/review_error.h"

namespace marrowick::DeliveryPresetJson {
namespace {

using nlohmann::json;

[[noreturn]] void fail(const std::string& detail) {
    throw ReviewError("Preset data could not be read: " + detail + ".");
}

// ---- reading ----

json parse(std::string_view text) { return BoundedJson::parse(text, "Preset data could not be read: "); }

// One JSON object being read, with the path used in messages ("targets[3].encoding").
class Fields {
public:
    Fields(const json& value, std::string path) : value_(value), path_(std::move(path)) {
        if (!value_.is_object()) fail(path_ + " is not an object");
    }

    template <typename T>
    T required(const char* name, T (*read)(const json&, const std::string&)) const {
        const json* member = find(name);
        if (member == nullptr) fail("the field \"" + std::string(name) + "\" is missing in " + path_);
        return read(*member, where(name));
    }

    template <typename T>
    std::optional<T> optional(const char* name, T (*read)(const json&, const std::string&)) const {
        const json* member = find(name);
        if (member == nullptr) return std::nullopt;
        return read(*member, where(name));
    }

private:
    // An explicit null counts as absent.
    const json* find(const char* name) const {
        const auto found = value_.find(name);
        return found == value_.end() || found->is_null() ? nullptr : &*found;
    }
    std::string where(const char* name) const { return path_ + "." + name; }

    const json& value_;
    std::string path_;
};

[[noreturn]] void wrongType(const std::string& path, const char* expected) {
    fail(path + " must be " + expected);
}

std::string readString(const json& value, const std::string& path) {
    if (!value.is_string()) wrongType(path, "a string");
    return value.get<std::string>();
}

bool readBool(const json& value, const std::string& path) {
    if (!value.is_boolean()) wrongType(path, "true or false");
    return value.get<bool>();
}

// Whole numbers written with a fraction of zero (48000.0) are accepted; 2.5 is not.
std::int64_t readInteger(const json& value, const std::string& path) {
    if (value.is_number_unsigned()) {
        if (value.get<std::uint64_t>() <= static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max()))
            return static_cast<std::int64_t>(value.get<std::uint64_t>());
    } else if (value.is_number_integer()) {
        return value.get<std::int64_t>();
    } else if (value.is_number_float()) {
        const double number = value.get<double>();
        if (number == std::trunc(number) && number >= -9223372036854775808.0 && number < 9223372036854775808.0)
            return static_cast<std::int64_t>(number);
    }
    wrongType(path, "a whole number within 64 bits");
}

double readFloat(const json& value, const std::string& path) {
    if (!value.is_number()) wrongType(path, "a number");
    const double number = value.get<double>();
    if (!std::isfinite(number)) wrongType(path, "a finite number");
    return number;
}

template <auto Read>
auto readList(const json& value, const std::string& path) {
    if (!value.is_array()) wrongType(path, "an array");
    std::vector<decltype(Read(value, path))> items;
    items.reserve(value.size());
    for (std::size_t index = 0; index < value.size(); ++index)
        items.push_back(Read(value[index], path + "[" + std::to_string(index) + "]"));
    return items;
}

JSONValue readValue(const json& value, const std::string& path) {
    switch (value.type()) {
        case json::value_t::null: return JSONValue();
        case json::value_t::boolean: return JSONValue(value.get<bool>());
        case json::value_t::number_integer:
        case json::value_t::number_unsigned:
        case json::value_t::number_float: return JSONValue(readFloat(value, path));
        case json::value_t::string: return JSONValue(value.get<std::string>());
        case json::value_t::object: {
            JSONValue::Object members;
            for (const auto& [name, member] : value.items()) members.emplace(name, readValue(member, path + "." + name));
            return JSONValue(std::move(members));
        }
        case json::value_t::array: return JSONValue(readList<readValue>(value, path));
        case json::value_t::binary:
        case json::value_t::discarded: break;
    }
    wrongType(path, "a JSON value");
}

// A mode word this program does not know; the preset that holds it is named in the message, which
// is the validator's rule text for that mode.
struct RefusedWord {
    const char* rule;
};

template <typename Mode>
Mode known(std::optional<Mode> mode, const char* rule) {
    if (!mode) throw RefusedWord{rule};
    return *mode;
}

RateMode readRateMode(const json& value, const std::string& path) {
    return known(parseRateMode(readString(value, path)), kUnsupportedRateControl);
}

RasterMode readRasterMode(const json& value, const std::string& path) {
    return known(parseRasterMode(readString(value, path)), kInvalidResolutionMode);
}

FrameRatePolicy readFrameRatePolicy(const json& value, const std::string& path) {
    return known(parseFrameRatePolicy(readString(value, path)), kInvalidFrameRatePolicy);
}

Resolution readResolution(const json& value, const std::string& path) {
    const Fields fields(value, path);
    return {fields.required("mode", readRasterMode), fields.optional("width", readInteger),
            fields.optional("height", readInteger), fields.optional("maxLongestEdge", readInteger)};
}

FPS readFPS(const json& value, const std::string& path) {
    const Fields fields(value, path);
    return {fields.required("mode", readFrameRatePolicy), fields.optional("value", readFloat),
            fields.optional("tolerance", readFloat), fields.optional("values", readList<readFloat>),
            fields.optional("min", readFloat), fields.optional("max", readFloat)};
}

AudioRequirement readAudioRequirement(const json& value, const std::string& path) {
    const Fields fields(value, path);
    return {fields.required("required", readBool), fields.optional("channels", readList<readInteger>),
            fields.optional("sampleRates", readList<readInteger>), fields.optional("codecs", readList<readString>)};
}

Requirements readRequirements(const json& value, const std::string& path) {
    const Fields fields(value, path);
    return {fields.required("resolution", readResolution),
            fields.required("aspectRatios", readList<readString>),
            fields.required("aspectTolerancePercent", readFloat),
            fields.optional("minDurationSeconds", readFloat),
            fields.optional("maxDurationSeconds", readFloat),
            fields.optional("allowedDurationsSeconds", readList<readFloat>),
            fields.optional("recommendedDurationsSeconds", readList<readFloat>),
            fields.optional("recommendedMaxDurationSeconds", readFloat),
            fields.optional("fps", readFPS),
            fields.optional("audio", readAudioRequirement)};
}

Rate readRate(const json& value, const std::string& path) {
    const Fields fields(value, path);
    return {fields.required("mode", readRateMode),          fields.optional("crf", readFloat),
            fields.optional("bitrateKbps", readInteger),  fields.optional("minrateKbps", readInteger),
            fields.optional("maxrateKbps", readInteger),  fields.optional("bufsizeKbps", readInteger),
            fields.optional("bufsizeBits", readInteger)};
}

Audio readAudio(const json& value, const std::string& path) {
    const Fields fields(value, path);
    return {fields.required("codec", readString), fields.optional("bitrateKbps", readInteger),
            fields.optional("channels", readInteger), fields.optional("sampleRate", readInteger)};
}

Encoding readEncoding(const json& value, const std::string& path) {
    const Fields fields(value, path);
    return {fields.required("container", readString),
                      fields.required("videoCodec", readString),
                      fields.required("rateControl", readRate),
                      fields.optional("encoderPreset", readString),
                      fields.optional("videoProfile", readString),
                      fields.optional("pixelFormat", readString),
                      fields.optional("faststart", readBool),
                      fields.required("audio", readAudio),
                      fields.optional("advancedRecipe", readValue)};
}

DeliveryPreset readFields(const Fields& fields) {
    return {fields.required("version", readInteger),
            fields.required("key", readString),
            fields.required("revision", readInteger),
            fields.required("name", readString),
            fields.required("normalizedName", readString),
            fields.required("group", readString),
            fields.required("kind", readString),
            fields.required("specificationTitle", readString),
            fields.required("specificationUrl", readString),
            fields.optional("verifiedAt", readString),
            fields.optional("applicabilityNotes", readString),
            fields.required("requirements", readRequirements),
            fields.required("encoding", readEncoding),
            fields.required("prefix", readString),
            fields.required("suffix", readString),
            fields.optional("outputPattern", readString),
            fields.required("hidden", readBool),
            fields.optional("archivedAt", readString)};
}

// An unknown mode word is refused in the validator's words for it, "<name>: <rule text>"; the name
// is read before the requirements and the encoding, so it is known to be there.
DeliveryPreset readPreset(const json& value, const std::string& path) {
    const Fields fields(value, path);
    try {
        return readFields(fields);
    } catch (const RefusedWord& refused) {
        throw ReviewError(fields.required("name", readString) + ": " + refused.rule);
    }
}

std::vector<DeliveryPreset> readPresetArray(const json& value, const std::string& path) {
    if (!value.is_array()) wrongType(path, "an array of presets");
    std::vector<DeliveryPreset> presets;
    presets.reserve(value.size());
    for (std::size_t index = 0; index < value.size(); ++index)
        presets.push_back(readPreset(value[index], path + "[" + std::to_string(index) + "]"));
    return presets;
}

// ---- writing ----

json number(double value) {
    if (!std::isfinite(value)) throw ReviewError("Preset data could not be written: a number is not finite.");
    return value;
}

template <typename T>
json plain(const T& value) { return value; }

json numbers(const std::vector<double>& values) {
    json list = json::array();
    for (double value : values) list.push_back(number(value));
    return list;
}

// Sets the member only when the optional holds a value.
template <typename T, typename Write>
void put(json& object, const char* name, const std::optional<T>& value, Write write) {
    if (value) object[name] = write(*value);
}

json write(const JSONValue& value);

struct ValueWriter {
    json operator()(const JSONValue::Object& members) const {
        json object = json::object();
        for (const auto& [name, member] : members) object[name] = write(member);
        return object;
    }
    json operator()(const JSONValue::Array& elements) const {
        json array = json::array();
        for (const JSONValue& element : elements) array.push_back(write(element));
        return array;
    }
    json operator()(const std::string& text) const { return text; }
    json operator()(double value) const { return number(value); }
    json operator()(bool value) const { return value; }
    json operator()(JSONValue::Null) const { return nullptr; }
};

json write(const JSONValue& value) { return std::visit(ValueWriter{}, value.storage()); }

json write(const Resolution& r) {
    json object = {{"mode", rasterModeKey(r.mode)}};
    put(object, "width", r.width, plain<std::int64_t>);
    put(object, "height", r.height, plain<std::int64_t>);
    put(object, "maxLongestEdge", r.maxLongestEdge, plain<std::int64_t>);
    return object;
}

json write(const FPS& fps) {
    json object = {{"mode", frameRatePolicyKey(fps.mode)}};
    put(object, "value", fps.value, number);
    put(object, "tolerance", fps.tolerance, number);
    put(object, "values", fps.values, numbers);
    put(object, "min", fps.min, number);
    put(object, "max", fps.max, number);
    return object;
}

json write(const AudioRequirement& audio) {
    json object = {{"required", audio.required}};
    put(object, "channels", audio.channels, plain<std::vector<std::int64_t>>);
    put(object, "sampleRates", audio.sampleRates, plain<std::vector<std::int64_t>>);
    put(object, "codecs", audio.codecs, plain<std::vector<std::string>>);
    return object;
}

json write(const Requirements& r) {
    json object = {{"resolution", write(r.resolution)},
                   {"aspectRatios", r.aspectRatios},
                   {"aspectTolerancePercent", number(r.aspectTolerancePercent)}};
    put(object, "minDurationSeconds", r.minDurationSeconds, number);
    put(object, "maxDurationSeconds", r.maxDurationSeconds, number);
    put(object, "allowedDurationsSeconds", r.allowedDurationsSeconds, numbers);
    put(object, "recommendedDurationsSeconds", r.recommendedDurationsSeconds, numbers);
    put(object, "recommendedMaxDurationSeconds", r.recommendedMaxDurationSeconds, number);
    put(object, "fps", r.fps, [](const FPS& fps) { return write(fps); });
    put(object, "audio", r.audio, [](const AudioRequirement& audio) { return write(audio); });
    return object;
}

json write(const Rate& rate) {
    json object = {{"mode", rateModeKey(rate.mode)}};
    put(object, "crf", rate.crf, number);
    put(object, "bitrateKbps", rate.bitrateKbps, plain<std::int64_t>);
    put(object, "minrateKbps", rate.minrateKbps, plain<std::int64_t>);
    put(object, "maxrateKbps", rate.maxrateKbps, plain<std::int64_t>);
    put(object, "bufsizeKbps", rate.bufsizeKbps, plain<std::int64_t>);
    put(object, "bufsizeBits", rate.bufsizeBits, plain<std::int64_t>);
    return object;
}

json write(const Audio& audio) {
    json object = {{"codec", audio.codec}};
    put(object, "bitrateKbps", audio.bitrateKbps, plain<std::int64_t>);
    put(object, "channels", audio.channels, plain<std::int64_t>);
    put(object, "sampleRate", audio.sampleRate, plain<std::int64_t>);
    return object;
}

json write(const Encoding& e) {
    json object = {{"container", e.container},
                   {"videoCodec", e.videoCodec},
                   {"rateControl", write(e.rateControl)},
                   {"audio", write(e.audio)}};
    put(object, "encoderPreset", e.encoderPreset, plain<std::string>);
    put(object, "videoProfile", e.videoProfile, plain<std::string>);
    put(object, "pixelFormat", e.pixelFormat, plain<std::string>);
    put(object, "faststart", e.faststart, plain<bool>);
    put(object, "advancedRecipe", e.advancedRecipe, [](const JSONValue& value) { return write(value); });
    return object;
}

json write(const DeliveryPreset& p) {
    json object = {{"version", p.version},
                   {"key", p.key},
                   {"revision", p.revision},
                   {"name", p.name},
                   {"normalizedName", p.normalizedName},
                   {"group", p.group},
                   {"kind", p.kind},
                   {"specificationTitle", p.specificationTitle},
                   {"specificationUrl", p.specificationUrl},
                   {"requirements", write(p.requirements)},
                   {"encoding", write(p.encoding)},
                   {"prefix", p.prefix},
                   {"suffix", p.suffix},
                   {"hidden", p.hidden}};
    put(object, "verifiedAt", p.verifiedAt, plain<std::string>);
    put(object, "applicabilityNotes", p.applicabilityNotes, plain<std::string>);
    put(object, "outputPattern", p.outputPattern, plain<std::string>);
    put(object, "archivedAt", p.archivedAt, plain<std::string>);
    return object;
}

// nlohmann's objects keep their keys sorted, so the dump is in key order. Text that is not UTF-8
// (never read from a file, which the parser checks) is written with replacement characters.
std::string pretty(const json& value) { return value.dump(2, ' ', false, json::error_handler_t::replace) + "\n"; }

}  // namespace

std::string encode(const DeliveryPreset& preset) { return pretty(write(preset)); }

std::string encodeArray(const std::vector<DeliveryPreset>& presets) {
    json array = json::array();
    for (const DeliveryPreset& preset : presets) array.push_back(write(preset));
    return pretty(array);
}

DeliveryPreset decode(std::string_view text) { return readPreset(parse(text), "the preset"); }

std::vector<DeliveryPreset> decodeArray(std::string_view text) { return readPresetArray(parse(text), "the preset list"); }

std::vector<DeliveryPreset> decodeImport(std::string_view text) {
    const json document = parse(text);
    try {
        return readPresetArray(document, "the preset list");
    } catch (const ReviewError&) {
        if (!document.is_object()) throw;
    }
    const auto targets = document.find("targets");
    if (targets == document.end()) fail("the field \"targets\" is missing in the preset file");
    return readPresetArray(*targets, "targets");
}

std::string readFile(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) throw ReviewError("Could not read \"" + path.filename().string() + "\".");
    std::string bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    if (file.bad()) throw ReviewError("Could not read \"" + path.filename().string() + "\".");
    return bytes;
}

}  // namespace marrowick::DeliveryPresetJson
