// The framing's words: the two it knows read back to the framing they name, and nothing else does.
#include "delivery/framing.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace marrowick {
namespace {

TEST(Framing, KeysReadBackAndOtherWordsAreRefused) {
    for (const Framing framing : {Framing::pad, Framing::crop}) EXPECT_EQ(parseFraming(framingKey(framing)), framing);
    EXPECT_EQ(framingKey(Framing::pad), "pad");
    EXPECT_EQ(framingKey(Framing::crop), "crop");

    const std::vector<std::string> refused = {"", "fit", "fill", "Pad", "CROP", " pad", "crop ", "pad\n", std::string("pad\0", 4)};
    for (const std::string& word : refused) EXPECT_EQ(parseFraming(word), std::nullopt) << '"' << word << '"';
}

}  // namespace
}  // namespace marrowick
