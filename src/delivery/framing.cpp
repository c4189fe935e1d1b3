#include "delivery/framing.h"

#include "model/keyword_table.h"

namespace marrowick {
namespace {

constexpr KeywordTable<Framing, 2> kKeys{{{
    {Framing::pad, "pad"},
    {Framing::crop, "crop"},
}}};

}  // namespace

std::string_view framingKey(Framing framing) { return kKeys.word(framing); }

std::optional<Framing> parseFraming(std::string_view key) { return kKeys.parse(key); }

}  // namespace marrowick
