#include "model/base64.h"

#include <gtest/gtest.h>

#include <string>

namespace marrowick {
namespace {

std::vector<std::uint8_t> bytesOf(std::string_view text) { return {text.begin(), text.end()}; }

}  // namespace

TEST(Base64, MatchesTheStandardVectorsBothWays) {
    const std::pair<const char*, const char*> vectors[] = {
        {"", ""}, {"f", "Zg=="}, {"fo", "Zm8="}, {"foo", "Zm9v"}, {"foob", "Zm9vYg=="}, {"fooba", "Zm9vYmE="},
        {"foobar", "Zm9vYmFy"}, {"\xff\xfe\xfd", "//79"}, {"\xfb\xef", "++8="},
    };
    for (const auto& [plain, encoded] : vectors) {
        EXPECT_EQ(Base64::encode(bytesOf(plain)), encoded);
        EXPECT_EQ(Base64::decode(encoded), bytesOf(plain)) << encoded;
    }
}

TEST(Base64, RefusesAnythingButPaddedStandardText) {
    for (const char* text : {"Zg", "Zg=", "Zm9", "Z===", "====", "Zg==Zg==", "Zm9v\n", "Zm 9", "Zm-_", "Zm9v=AAA", "Z=9v"})
        EXPECT_FALSE(Base64::decode(text)) << text;
}

TEST(Base64, RoundTripsEveryByteValueAtEveryLengthRemainder) {
    std::vector<std::uint8_t> bytes;
    for (int i = 0; i < 259; ++i) {
        EXPECT_EQ(Base64::decode(Base64::encode(bytes)), bytes) << i;
        bytes.push_back(static_cast<std::uint8_t>(i * 7));
    }
}

}  // namespace marrowick
