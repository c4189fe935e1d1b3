// Reading a Project from JSON: types and presence only, with a message naming the key path of the
// first problem. Nothing of a failed read escapes: the Project is built locally and returned whole.
#include <simdjson.h>

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <string>

#include "model/base64.h"
#include "model/internal/project_json_reader.h"
#include "model/project_json.h"
#include "model/review_error.h"

namespace marrowick::ProjectJson {
namespace {

using simdjson::dom::array;
using simdjson::dom::element;
using simdjson::dom::element_type;
using simdjson::dom::object;

// A problem found below some key; each level on the way out adds its key or index to the path.
struct DecodeFailure {
    std::string path;
    std::string problem;
};

[[noreturn]] void fail(std::string problem) { throw DecodeFailure{{}, std::move(problem)}; }

void prefixPath(DecodeFailure& failure, std::string_view segment) {
    const bool joined = failure.path.empty() || failure.path.front() == '[';
    failure.path.insert(0, joined ? std::string(segment) : std::string(segment) + ".");
}

std::string_view text(element value) {
    std::string_view result;
    if (value.get_string().get(result)) fail("must be a string");
    return result;
}

std::string string(element value) { return std::string(text(value)); }

double number(element value) {
    switch (value.type()) {
        case element_type::DOUBLE: return value.get_double().value_unsafe();
        case element_type::INT64: return static_cast<double>(value.get_int64().value_unsafe());
        case element_type::UINT64: return static_cast<double>(value.get_uint64().value_unsafe());
        default: fail("must be a number");
    }
}

float number32(element value) {
    const double wide = number(value);
    if (std::fabs(wide) > FLT_MAX) return std::signbit(wide) ? -INFINITY : INFINITY;
    return static_cast<float>(wide);
}

// Integers are JSON integers; a number with a zero fraction (2.0) is accepted as the same integer.
std::int64_t integer(element value) {
    constexpr double kLimit = 9007199254740992.0;  // 2^53: every integer below it is exact
    switch (value.type()) {
        case element_type::INT64: return value.get_int64().value_unsafe();
        case element_type::UINT64: fail("is too large");
        case element_type::DOUBLE: {
            const double wide = value.get_double().value_unsafe();
            if (std::trunc(wide) != wide || std::fabs(wide) > kLimit) fail("must be an integer");
            return static_cast<std::int64_t>(wide);
        }
        default: fail("must be an integer");
    }
}

bool boolean(element value) {
    bool result = false;
    if (value.get_bool().get(result)) fail("must be true or false");
    return result;
}

Uuid uuid(element value) {
    const auto id = Uuid::parse(text(value));
    if (!id) fail("must be a UUID");
    return *id;
}

Blob bytes(element value) {
    auto decoded = Base64::decode(text(value));
    if (!decoded) fail("must be base64 data");
    return makeBlob(std::move(*decoded));
}

Disclosure disclosure(element value) {
    const auto decision = parseDisclosure(text(value));
    if (!decision) fail("is not a known decision");
    return *decision;
}

LabelStyle labelStyle(element value) {
    const auto style = parseLabelStyle(text(value));
    if (!style) fail("is not a known label style");
    return *style;
}

object objectOf(element value) {
    object result;
    if (value.get_object().get(result)) fail("must be an object");
    return result;
}

array arrayOf(element value) {
    array result;
    if (value.get_array().get(result)) fail("must be an array");
    return result;
}

// Reads a required key with read(element); a missing key or a null is a failure.
template <class Read>
auto required(object record, std::string_view key, Read read) {
    try {
        element value;
        if (record.at_key(key).get(value) || value.is_null()) fail("is missing");
        return read(value);
    } catch (DecodeFailure& failure) {
        prefixPath(failure, key);
        throw;
    }
}

// Reads an optional key; a missing key and a null both give the empty value.
template <class Read>
auto optional(object record, std::string_view key, Read read) -> std::optional<decltype(read(element()))> {
    try {
        element value;
        if (record.at_key(key).get(value) || value.is_null()) return std::nullopt;
        return read(value);
    } catch (DecodeFailure& failure) {
        prefixPath(failure, key);
        throw;
    }
}

// Calls add(element) for each element of an array, naming the index of a failing element.
template <class Add>
void forEach(element value, Add add) {
    std::size_t index = 0;
    for (element item : arrayOf(value)) {
        try {
            add(item);
        } catch (DecodeFailure& failure) {
            prefixPath(failure, "[" + std::to_string(index) + "]");
            throw;
        }
        ++index;
    }
}

template <class Read>
auto listOf(Read read) {
    return [read](element value) {
        std::vector<decltype(read(element()))> items;
        forEach(value, [&](element item) { items.push_back(read(item)); });
        return items;
    };
}

template <class Read>
auto sharedListOf(Read read) {
    return [read](element value) {
        SharedVector<decltype(read(element()))> items;
        forEach(value, [&](element item) { items.push_back(read(item)); });
        return items;
    };
}

SafeInsets safeInsets(element value) {
    const object record = objectOf(value);
    SafeInsets insets;
    insets.left = required(record, "left", number);
    insets.top = required(record, "top", number);
    insets.right = required(record, "right", number);
    insets.bottom = required(record, "bottom", number);
    return insets;
}

LabelLayout labelLayout(element value) {
    const object record = objectOf(value);
    LabelLayout layout;
    layout.widthFraction = required(record, "widthFraction", number);
    layout.x = required(record, "x", number);
    layout.y = required(record, "y", number);
    layout.guideID = required(record, "guideID", string);
    layout.customInsets = optional(record, "customInsets", safeInsets);
    return layout;
}

// At most the first 64 bytes of a key, cut at a character boundary, for naming it in a message.
std::string keyForMessage(std::string_view key) {
    std::size_t length = std::min<std::size_t>(key.size(), 64);
    while (length < key.size() && length > 0 && (static_cast<unsigned char>(key[length]) & 0xC0) == 0x80) --length;
    return std::string(key.substr(0, length)) + (length < key.size() ? "…" : "");
}

LabelLayouts labelLayouts(element value) {
    LabelLayouts layouts;
    for (const auto& [key, layout] : objectOf(value)) {
        try {
            layouts.insert_or_assign(std::string(key), labelLayout(layout));
        } catch (DecodeFailure& failure) {
            prefixPath(failure, "[\"" + keyForMessage(key) + "\"]");
            throw;
        }
    }
    return layouts;
}

FrameTimes frameTimes(element value) { return makeFrameTimes(listOf(number)(value)); }

Film film(element value) {
    const object record = objectOf(value);
    Film film;
    film.id = required(record, "id", uuid);
    film.path = required(record, "path", string);
    film.bookmark = optional(record, "bookmark", bytes).value_or(nullptr);
    film.duration = required(record, "duration", number);
    film.fps = required(record, "fps", number);
    film.width = required(record, "width", integer);
    film.height = required(record, "height", integer);
    film.frameTimes = optional(record, "frameTimes", frameTimes).value_or(nullptr);
    film.sourceSHA256 = optional(record, "sourceSHA256", string);
    film.detector = required(record, "detector", string);
    film.startTimecode = optional(record, "startTimecode", string);
    film.timecodeRate = optional(record, "timecodeRate", integer);
    return film;
}

// A carried decision names one of the three decisions, never "unreviewed".
Disclosure decided(element value) {
    const Disclosure decision = disclosure(value);
    if (decision == Disclosure::unreviewed) fail("must be a decision");
    return decision;
}

CarriedDecision carriedDecision(element value) {
    const object record = objectOf(value);
    CarriedDecision carried;
    carried.filmID = required(record, "filmID", uuid);
    carried.start = required(record, "start", number);
    carried.end = required(record, "end", number);
    carried.disclosure = required(record, "disclosure", decided);
    carried.project = optional(record, "project", string).value_or("");
    return carried;
}

Shot shot(element value) {
    const object record = objectOf(value);
    Shot shot;
    shot.id = required(record, "id", uuid);
    shot.filmID = required(record, "filmID", uuid);
    shot.start = required(record, "start", number);
    shot.end = required(record, "end", number);
    shot.boundaryScore = required(record, "boundaryScore", number);
    shot.disclosure = required(record, "disclosure", disclosure);
    shot.note = required(record, "note", string);
    shot.category = required(record, "category", string);
    shot.group = required(record, "group", integer);
    shot.thumbnail = optional(record, "thumbnail", bytes).value_or(nullptr);
    shot.feature = optional(record, "feature", bytes).value_or(nullptr);
    shot.assistantNote = required(record, "assistantNote", string);
    // A suggestion left on a decided shot (by a writer that does not know the key) is spent.
    shot.carriedFrom = optional(record, "carriedFrom", carriedDecision);
    if (shot.disclosure != Disclosure::unreviewed) shot.carriedFrom.reset();
    return shot;
}

// An extra key that other writers may fill in their own way: a value of another shape is left out
// rather than making the document unreadable.
template <class Read>
auto extra(object record, std::string_view key, Read read) -> std::optional<decltype(read(element()))> {
    try {
        return optional(record, key, read);
    } catch (DecodeFailure&) {
        return std::nullopt;
    }
}

Reviewer reviewer(element value) {
    const object record = objectOf(value);
    Reviewer reviewer;
    reviewer.name = required(record, "name", string);
    reviewer.role = optional(record, "role", string).value_or(std::string());
    if (reviewer.name.empty()) fail("must name the reviewer");
    return reviewer;
}

SignOffSeal seal(element value) {
    const object record = objectOf(value);
    SignOffSeal seal;
    seal.filmID = required(record, "filmID", uuid);
    seal.filmSHA256 = required(record, "filmSHA256", string);
    seal.shotsSHA256 = required(record, "shotsSHA256", string);
    return seal;
}

ReviewEvent event(element value) {
    const object record = objectOf(value);
    ReviewEvent event;
    event.date = required(record, "date", number);
    event.action = required(record, "action", string);
    event.shotIDs = required(record, "shotIDs", listOf(uuid));
    event.detail = required(record, "detail", string);
    event.reviewer = extra(record, "reviewer", reviewer);
    event.signOff = extra(record, "signOff", seal);
    return event;
}

Project project(element value) {
    const object record = objectOf(value);
    Project project;
    project.schema = required(record, "schema", integer);
    project.name = required(record, "name", string);
    project.films = required(record, "films", listOf(film));
    project.shots = required(record, "shots", sharedListOf(shot));
    project.history = required(record, "history", sharedListOf(event));
    project.threshold = required(record, "threshold", number);
    project.groupingThreshold = required(record, "groupingThreshold", number32);
    project.artisticWork = required(record, "artisticWork", boolean);
    project.workDisclosure = required(record, "workDisclosure", string);
    project.labelStyle = optional(record, "labelStyle", labelStyle);
    project.labelWidth = required(record, "labelWidth", number);
    project.corner = required(record, "corner", string);
    project.labelLayouts = optional(record, "labelLayouts", labelLayouts);
    project.id = required(record, "id", uuid);
    return project;
}

}  // namespace

Project decodePadded(const char* data, std::size_t size) {
    simdjson::dom::parser parser;
    element root;
    if (const auto error = parser.parse(data, size, false).get(root))
        throw ReviewError(std::string("The project file is not valid JSON: ") + simdjson::error_message(error));
    try {
        return project(root);
    } catch (DecodeFailure& failure) {
        const std::string where = failure.path.empty() ? "the document" : "\"" + failure.path + "\"";
        throw ReviewError("The project file is unreadable: " + where + " " + failure.problem + ".");
    }
}

Project decode(std::string_view json) {
    const simdjson::padded_string padded(json);
    return decodePadded(padded.data(), padded.size());
}

}  // namespace marrowick::ProjectJson
