#include "model/uuid.h"

#include <gtest/gtest.h>

#include <unordered_set>

namespace marrowick {

TEST(Uuid, ParsesEitherCaseAndWritesUpperCase) {
    const auto lower = Uuid::parse("0f8fad5b-d9cb-469f-a165-70867728950e");
    const auto upper = Uuid::parse("0F8FAD5B-D9CB-469F-A165-70867728950E");
    ASSERT_TRUE(lower && upper);
    EXPECT_EQ(*lower, *upper);
    EXPECT_EQ(lower->text(), "0F8FAD5B-D9CB-469F-A165-70867728950E");
}

TEST(Uuid, RefusesMalformedText) {
    for (const char* text : {"", "0f8fad5b-d9cb-469f-a165-70867728950", "0f8fad5bd9cb-469f-a165-70867728950e0",
                             "0f8fad5b-d9cb-469f-a165-70867728950g", "{0f8fad5b-d9cb-469f-a165-70867728950e}"})
        EXPECT_FALSE(Uuid::parse(text)) << text;
}

TEST(Uuid, RandomIdentifiersAreVersionFourAndDistinct) {
    std::unordered_set<Uuid, UuidHash> seen;
    for (int i = 0; i < 1000; ++i) {
        const Uuid id = Uuid::random();
        EXPECT_EQ(id.text()[14], '4');
        EXPECT_TRUE(seen.insert(id).second);
        EXPECT_EQ(Uuid::parse(id.text()), id);
    }
}

}  // namespace marrowick
