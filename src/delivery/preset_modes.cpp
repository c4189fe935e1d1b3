// The words of a preset's modes, read in both directions.
#include "delivery/preset_modes.h"

#include "model/keyword_table.h"

namespace marrowick {
namespace {

constexpr KeywordTable<RateMode, 4> kRateKeys{{{
    {RateMode::crf, "crf"},
    {RateMode::vbr, "vbr"},
    {RateMode::cbr, "cbr"},
    {RateMode::quality, "quality"},
}}};

constexpr KeywordTable<RasterMode, 3> kRasterKeys{{{
    {RasterMode::source, "source"},
    {RasterMode::exact, "exact"},
    {RasterMode::maxLongestEdge, "max_longest_edge"},
}}};

constexpr KeywordTable<FrameRatePolicy, 3> kFrameRateKeys{{{
    {FrameRatePolicy::exact, "exact"},
    {FrameRatePolicy::allowed, "allowed"},
    {FrameRatePolicy::range, "range"},
}}};

}  // namespace

std::string_view rateModeKey(RateMode mode) { return kRateKeys.word(mode); }
std::optional<RateMode> parseRateMode(std::string_view key) { return kRateKeys.parse(key); }

std::string_view rasterModeKey(RasterMode mode) { return kRasterKeys.word(mode); }
std::optional<RasterMode> parseRasterMode(std::string_view key) { return kRasterKeys.parse(key); }

std::string_view frameRatePolicyKey(FrameRatePolicy policy) { return kFrameRateKeys.word(policy); }
std::optional<FrameRatePolicy> parseFrameRatePolicy(std::string_view key) { return kFrameRateKeys.parse(key); }

}  // namespace marrowick
