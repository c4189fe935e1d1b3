// The rate-control words: the four it knows read back to the mode they name, and nothing else does.
#include "delivery/rate_mode.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace marrowick {
namespace {

TEST(RateMode, KeysReadBackAndOtherWordsAreRefused) {
    const std::vector<std::pair<RateMode, std::string>> known = {
        {RateMode::crf, "crf"}, {RateMode::vbr, "vbr"}, {RateMode::cbr, "cbr"}, {RateMode::quality, "quality"}};
    for (const auto& [mode, word] : known) {
        EXPECT_EQ(rateModeKey(mode), word);
        EXPECT_EQ(parseRateMode(word), mode) << word;
    }
    const std::vector<std::string> refused = {"", "CRF", "abr", "cq", " vbr", "cbr ", "quality\n", std::string("crf\0", 4)};
    for (const std::string& word : refused) EXPECT_EQ(parseRateMode(word), std::nullopt) << '"' << word << '"';
}

}  // namespace
}  // namespace marrowick
