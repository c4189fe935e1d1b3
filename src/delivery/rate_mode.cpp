// The words of the rate-control modes, read in both directions.
#include "delivery/rate_mode.h"

#include "model/keyword_table.h"

namespace marrowick {
namespace {

constexpr KeywordTable<RateMode, 4> kKeys{{{
    {RateMode::crf, "crf"},
    {RateMode::vbr, "vbr"},
    {RateMode::cbr, "cbr"},
    {RateMode::quality, "quality"},
}}};

}  // namespace

std::string_view rateModeKey(RateMode mode) { return kKeys.word(mode); }

std::optional<RateMode> parseRateMode(std::string_view key) { return kKeys.parse(key); }

}  // namespace marrowick
