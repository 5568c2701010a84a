#include "core/comb_rank.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "core/enumerate.h"

namespace zentrix {
namespace {

bool PlainCanonical(const TComb& c) {
    if (c[0] < 1 || c[kCombSize - 1] > kMaxNumber) return false;
    for (int i = 1; i < kCombSize; ++i)
        if (c[i - 1] >= c[i]) return false;
    return true;
}

TEST(CombRank, IsThePositionInTheFullList) {
    for (int i = 0; i < kCombCount; ++i) ASSERT_EQ(CombRank(AllCombs()[i]), i);
    EXPECT_EQ(CombRank(TComb{1, 2, 3, 4, 5, 6, 7, 8}), 0);
    EXPECT_EQ(CombRank(TComb{13, 14, 15, 16, 17, 18, 19, 20}), kCombCount - 1);
}

// The word test agrees with the plain one on bytes of every kind: zeros, 21, values past 127
// and 148 (where adding carries), equal and falling neighbours.
TEST(CombRank, OnlyAscendingNumbersOfTheGameHaveARank) {
    const std::vector<TComb> fixed = {{0, 2, 3, 4, 5, 6, 7, 8},
                                      {1, 2, 3, 4, 5, 6, 7, 21},
                                      {1, 2, 3, 4, 5, 6, 7, 200},
                                      {1, 1, 3, 4, 5, 6, 7, 8},
                                      {2, 1, 3, 4, 5, 6, 7, 8},
                                      {1, 2, 3, 4, 5, 6, 8, 7},
                                      {129, 130, 131, 132, 133, 134, 135, 136},
                                      {1, 2, 3, 4, 5, 6, 7, 20},
                                      {149, 2, 3, 4, 5, 6, 7, 8},
                                      {255, 255, 255, 255, 255, 255, 255, 255}};
    for (const TComb& c : fixed) EXPECT_EQ(IsCanonicalComb(c), PlainCanonical(c));
    uint32_t seed = 7;
    for (int i = 0; i < 200000; ++i) {
        TComb c;
        for (uint8_t& b : c) {
            seed = seed * 1103515245u + 12345u;
            b = static_cast<uint8_t>((seed >> 16) % (i % 3 == 0 ? 256 : 22));
        }
        if (i % 3 == 2) std::sort(c.begin(), c.end());
        ASSERT_EQ(IsCanonicalComb(c), PlainCanonical(c)) << i;
        ASSERT_EQ(CombRank(c) >= 0, PlainCanonical(c)) << i;
    }
}

}  // namespace
}  // namespace zentrix
