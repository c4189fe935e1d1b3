#include "delivery/json_value.h"

#include <gtest/gtest.h>

#include <limits>

namespace marrowick {
namespace {

TEST(JSONValue, MemberLookupOnlyOnObjects) {
    const JSONValue recipe(JSONValue::Object{{"video", JSONValue(JSONValue::Object{{"intraMatrix", JSONValue(1.0)}})}});
    ASSERT_NE(recipe.member("video"), nullptr);
    EXPECT_EQ(*recipe.member("video")->member("intraMatrix"), JSONValue(1.0));
    EXPECT_EQ(recipe.member("audio"), nullptr);
    EXPECT_EQ(JSONValue("video").member("video"), nullptr);
    EXPECT_EQ(JSONValue(JSONValue::Array{}).member("video"), nullptr);
}

TEST(JSONValue, IntegerListDropsFractionsAndSkipsNonNumbers) {
    const JSONValue list(JSONValue::Array{JSONValue(1.0), JSONValue("a"), JSONValue(2.9), JSONValue(-3.5), JSONValue()});
    EXPECT_EQ(list.integerList(), (std::vector<std::int64_t>{1, 2, -3}));
    EXPECT_EQ(JSONValue(JSONValue::Object{}).integerList(), std::nullopt);
    EXPECT_EQ(JSONValue(5.0).integerList(), std::nullopt);
    EXPECT_EQ(JSONValue(JSONValue::Array{}).integerList(), std::vector<std::int64_t>{});
}

TEST(JSONValue, IntegerListRefusesNumbersOutsideSixtyFourBits) {
    for (double bad : {9223372036854775808.0, -1e19, std::numeric_limits<double>::infinity(),
                       std::numeric_limits<double>::quiet_NaN()})
        EXPECT_EQ(JSONValue(JSONValue::Array{JSONValue(8.0), JSONValue(bad)}).integerList(), std::nullopt) << bad;
    EXPECT_EQ(JSONValue(JSONValue::Array{JSONValue(-9223372036854775808.0)}).integerList(),
              std::vector<std::int64_t>{std::numeric_limits<std::int64_t>::min()});
}

TEST(JSONValue, EqualityComparesCaseAndPayload) {
    EXPECT_NE(JSONValue(1.0), JSONValue(true));
    EXPECT_NE(JSONValue("1"), JSONValue(1.0));
    EXPECT_EQ(JSONValue(), JSONValue(JSONValue::Null{}));
    EXPECT_EQ(JSONValue(JSONValue::Object{{"a", JSONValue(1.0)}, {"b", JSONValue()}}),
              JSONValue(JSONValue::Object{{"b", JSONValue()}, {"a", JSONValue(1.0)}}));
    EXPECT_NE(JSONValue(JSONValue::Array{JSONValue(1.0), JSONValue(2.0)}),
              JSONValue(JSONValue::Array{JSONValue(2.0), JSONValue(1.0)}));
}

}  // namespace
}  // namespace marrowick
