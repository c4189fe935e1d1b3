#include "workspace/shot_filter.h"

#include <charconv>
#include <string_view>

#include "model/keyword_table.h"

namespace marrowick {
namespace {

using Kind = ShotFilter::Kind;

// The kinds a key names by a word; a film and a group are named by their identity.
constexpr KeywordTable<Kind, 6> kNamedKinds{{{
    {Kind::all, "all"},
    {Kind::review, "review"},
    {Kind::labelled, "labelled"},
    {Kind::uncertain, "uncertain"},
    {Kind::carried, "carried"},
    {Kind::groups, "groups"},
}}};

constexpr std::string_view kGroupPrefix = "group:";

}  // namespace

ShotFilter ShotFilter::parse(const std::string& key) {
    if (const std::optional<Kind> named = kNamedKinds.parse(key)) return {*named, {}, 0};
    if (key.starts_with(kGroupPrefix)) {
        std::int64_t group = 0;
        const char* first = key.data() + kGroupPrefix.size();
        const char* last = key.data() + key.size();
        const auto [end, error] = std::from_chars(first, last, group);
        if (first == last || error != std::errc() || end != last) return {Kind::nothing, {}, 0};
        return ofGroup(group);
    }
    if (const auto film = Uuid::parse(key); film && film->text() == key) return ofFilm(*film);
    return {Kind::nothing, {}, 0};
}

std::string ShotFilter::key() const {
    if (const std::optional<std::string_view> name = kNamedKinds.find(kind)) return std::string(*name);
    if (kind == Kind::film) return film.text();
    if (kind == Kind::group) return std::string(kGroupPrefix) + std::to_string(group);
    return {};
}

}  // namespace marrowick
