// The mode words of a preset: each reads back to the mode it names, and nothing else does, not even
// another mode's word.
#include "delivery/preset_modes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace marrowick {
namespace {

const std::vector<std::string> kEveryWord = {"crf",   "vbr",     "cbr",   "quality", "source", "exact",
                                             "max_longest_edge", "allowed", "range"};

template <typename Mode>
void expectWords(const std::vector<std::pair<Mode, std::string>>& known, std::string_view (*key)(Mode),
                 std::optional<Mode> (*parse)(std::string_view)) {
    std::vector<std::string> refused = {"", "CRF", "Exact", " source", "range ", "vbr\n", std::string("crf\0", 4),
                                        "maxLongestEdge"};
    for (const std::string& word : kEveryWord) {
        const bool ours = std::any_of(known.begin(), known.end(), [&](const auto& entry) { return entry.second == word; });
        if (!ours) refused.push_back(word);
    }
    for (const auto& [mode, word] : known) {
        EXPECT_EQ(key(mode), word);
        EXPECT_EQ(parse(word), mode) << word;
    }
    for (const std::string& word : refused) EXPECT_EQ(parse(word), std::nullopt) << '"' << word << '"';
}

TEST(PresetModes, KeysReadBackAndOtherWordsAreRefused) {
    expectWords<RateMode>({{RateMode::crf, "crf"}, {RateMode::vbr, "vbr"}, {RateMode::cbr, "cbr"}, {RateMode::quality, "quality"}},
                          rateModeKey, parseRateMode);
    expectWords<RasterMode>({{RasterMode::source, "source"}, {RasterMode::exact, "exact"}, {RasterMode::maxLongestEdge, "max_longest_edge"}},
                            rasterModeKey, parseRasterMode);
    expectWords<FrameRatePolicy>(
        {{FrameRatePolicy::exact, "exact"}, {FrameRatePolicy::allowed, "allowed"}, {FrameRatePolicy::range, "range"}},
        frameRatePolicyKey, parseFrameRatePolicy);
}

}  // namespace
}  // namespace marrowick
