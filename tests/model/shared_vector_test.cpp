#include "model/shared_vector.h"

#include <gtest/gtest.h>

#include <numeric>
#include <vector>

namespace marrowick {
namespace {

SharedVector<int> numbers(int count) {
    SharedVector<int> v;
    for (int i = 0; i < count; ++i) v.push_back(i);
    return v;
}

}  // namespace

TEST(SharedVector, CopiesShareChunksUntilAWriteTouchesOne) {
    SharedVector<int> original = numbers(2000);
    SharedVector<int> copy = original;
    EXPECT_EQ(copy.sharedChunksWith(original), original.chunkCount());

    copy.mut(1000) = -1;
    EXPECT_EQ(original[1000], 1000);
    EXPECT_EQ(copy[1000], -1);
    EXPECT_EQ(copy.sharedChunksWith(original), original.chunkCount() - 1);
}

TEST(SharedVector, InsertAndEraseKeepOrderAcrossChunkSplits) {
    SharedVector<int> v = numbers(300);
    std::vector<int> expected(300);
    std::iota(expected.begin(), expected.end(), 0);
    const SharedVector<int> before = v;
    for (int i = 0; i < 600; ++i) {
        v.insert(10, 1000 + i);
        expected.insert(expected.begin() + 10, 1000 + i);
    }
    for (int i = 0; i < 400; ++i) {
        v.erase(static_cast<std::size_t>(i * 7 % v.size()));
        expected.erase(expected.begin() + i * 7 % static_cast<int>(expected.size()));
    }
    EXPECT_EQ(v.toVector(), expected);
    for (std::size_t i = 0; i < expected.size(); ++i) ASSERT_EQ(v[i], expected[i]) << i;
    EXPECT_EQ(before, numbers(300));
}

TEST(SharedVector, ErasingEveryElementLeavesAnEmptyVector) {
    SharedVector<int> v = numbers(600);
    while (!v.empty()) v.erase(v.size() / 2);
    EXPECT_EQ(v.begin(), v.end());
    v.push_back(7);
    EXPECT_EQ(v.toVector(), std::vector<int>{7});
}

}  // namespace marrowick
