#include "core/game.h"

#include <gtest/gtest.h>

#include "core/draw.h"
#include "core/enumerate.h"
#include "core/palette.h"

namespace zentrix {
namespace {

TEST(Game, CountingHelpers) {
    EXPECT_EQ(Binomial(20, 8), 125970);
    EXPECT_EQ(Binomial(8, 8), 1);
    EXPECT_EQ(Binomial(5, 9), 1);  // k >= n gives 1, not 0
    EXPECT_EQ(Binomial(9, 8), 9);
    EXPECT_EQ(Factorial(0), 1);
    EXPECT_EQ(RisingProduct(3, 0), 1);
    EXPECT_EQ(RisingProduct(3, 3), 60);
    EXPECT_EQ(FallingProduct(5, 2), 20);
    EXPECT_EQ(CeilDiv(20, 6), 4);
    EXPECT_EQ(CeilDiv(20, 5), 4);
    EXPECT_EQ(GroupCount(1, 20, 6), 4);
    EXPECT_EQ(GroupCount(0, 20, 6), 4);
    EXPECT_EQ(GroupCount(0, 9, 4), 3);
    EXPECT_EQ(kSumMin, 36);
    EXPECT_EQ(kSumMax, 132);
    EXPECT_EQ(kSumStep, 9);
}

TEST(Game, MatchDistribution) {
    const int64_t expected[] = {495, 6336, 25872, 44352, 34650, 12320, 1848, 96, 1};
    int64_t sum = 0;
    long double probability = 0;
    for (int k = 0; k <= 8; ++k) {
        EXPECT_EQ(MatchCount(20, 8, k), expected[k]) << k;
        EXPECT_EQ(MatchTables().counts[k], expected[k]);
        sum += MatchTables().counts[k];
        probability += MatchTables().probabilities[k];
    }
    EXPECT_EQ(sum, 125970);
    EXPECT_NEAR(static_cast<double>(probability), 1.0, 1e-15);
}

TEST(Game, MatrixAndChannels) {
    EXPECT_EQ(CellOf(1, 4).col, 0);
    EXPECT_EQ(CellOf(1, 4).row, 0);
    EXPECT_EQ(CellOf(7, 4).col, 2);
    EXPECT_EQ(CellOf(7, 4).row, 1);
    EXPECT_EQ(ColumnOf(20, 6), 2);
    EXPECT_EQ(RowOf(20, 6), 4);
    EXPECT_EQ(CellNumber(3, 6, 1), 20);
    EXPECT_EQ(CellNumber(3, 6, 2), 21);  // not a number of the game
    EXPECT_EQ(ChannelColor(21, 4), (TColor{255, 0, 0}));
    EXPECT_EQ(ChannelColor(0, 4), (TColor{255, 0, 0}));
    EXPECT_EQ(ChannelColor(1, 4), (TColor{170, 255, 170}));
    EXPECT_EQ(ChannelColor(5, 4), (TColor{255, 255, 170}));
    EXPECT_EQ(ChannelColor(19, 1), (TColor{213, 234, 255}));
    EXPECT_EQ(ChannelColor(20, 1), ChannelColor(1, 1));  // channel 20 wraps to channel 1
}

TEST(Game, ShiftsAndMembership) {
    EXPECT_EQ(ShiftNumber(20, 1), 1);
    EXPECT_EQ(ShiftNumber(1, -1), 20);
    EXPECT_EQ(ShiftNumber(5, 0), 5);
    EXPECT_EQ(ShiftNumber(15, 10), 5);
    EXPECT_EQ(ShiftComb({1, 2, 3, 4, 5, 6, 7, 20}, 1), (TComb{2, 3, 4, 5, 6, 7, 8, 1}));
    TDraw d;
    d.Numbers = {3, 8, 1, 20, 14, 6, 11, 17};
    EXPECT_TRUE(InDraw(20, d));
    EXPECT_FALSE(InDraw(2, d));
    EXPECT_TRUE(GroupInDraw(5, d, 4));   // 17..20
    EXPECT_FALSE(GroupInDraw(5, d, 2));  // neither 9 nor 10
    std::array<uint8_t, 20> map{};
    map.fill(1);
    map[19] = 7;
    EXPECT_TRUE(MappedInDraw(7, d, map));
    EXPECT_FALSE(MappedInDraw(2, d, map));
    EXPECT_EQ(CommonCount(d, TComb{1, 3, 6, 8, 11, 14, 17, 20}), 8);
    EXPECT_EQ(CommonCount(d, TComb{1, 2, 4, 5, 7, 9, 10, 12}), 1);
    EXPECT_EQ(CommonCount(d, TComb{1, 1, 1, 1, 1, 1, 1, 1}), 8);  // pairs, not sets
    TCountedNumbers set{3, {20, 2, 3}};
    TCountedNumbers inter = IntersectNumbers(d, set);
    EXPECT_EQ(inter.Count, 2);
    EXPECT_EQ(inter.Numbers[0], 3);
    EXPECT_EQ(inter.Numbers[1], 20);
    EXPECT_TRUE(SameNumbers(TCountedNumbers{2, {3, 20}}, inter));
    EXPECT_FALSE(SameNumbers(TCountedNumbers{2, {3, 19}}, inter));
}

TEST(Game, ListHelpers) {
    TByteArray list;
    AddUnique(5, list);
    AddUnique(5, list);
    AppendByte(5, list);
    EXPECT_EQ(list, (TByteArray{5, 5}));
    EXPECT_EQ(UniqueNumbers(AllCombs(), AllCombs().size()), 20);
    TCombsArray two = {{1, 2, 3, 4, 5, 6, 7, 8}, {5, 6, 7, 8, 9, 10, 0, 255}};
    EXPECT_EQ(UniqueNumbers(two, 2), 10);  // bytes outside 1..20 are not numbers
    EXPECT_EQ(UniqueNumbers(two, 1), 8);
    TByteArray collected;
    CollectNumbers(two, 2, collected);
    EXPECT_EQ(collected.size(), 12u);
    EXPECT_EQ(collected[8], 9);

    TStatSimpleArray counts;
    AddKeyCount(counts, 40, 1);
    AddKeyCount(counts, 36, 2);
    AddKeyCount(counts, 40, 3);
    AddKeyCount(counts, 40, 0);
    SortKeyCounts(counts);
    EXPECT_EQ(counts, (TStatSimpleArray{{36, 2}, {40, 4}}));

    TLastValueArray last;
    TStatKey key;
    key.K[0] = 5;
    EXPECT_EQ(UpdateLastValue(last, {10, key}), -1);
    EXPECT_EQ(UpdateLastValue(last, {14, key}), 4);
    EXPECT_EQ(last.size(), 1u);
}

TEST(Game, Sorts) {
    TComb c{8, 7, 6, 5, 4, 3, 2, 1};
    SortComb(c);
    EXPECT_EQ(c, (TComb{1, 2, 3, 4, 5, 6, 7, 8}));
    TDraw d;
    d.Numbers = {3, 8, 1, 20, 14, 6, 11, 17};
    d.Extra = 2;
    SortDrawNumbers(d);
    EXPECT_EQ(d.Numbers, (TComb{1, 3, 6, 8, 11, 14, 17, 20}));
    EXPECT_EQ(d.Extra, 2);
    TCountedNumbers s{3, {9, 2, 5, 1}};
    SortCountedNumbers(s);
    EXPECT_EQ(s.Numbers, (std::array<uint8_t, 8>{2, 5, 9, 1}));
    TIntArray ints{3, -1, 7, 3};
    SortIntsDescending(ints);
    EXPECT_EQ(ints, (TIntArray{7, 3, 3, -1}));
}

TEST(Game, StatKeyViews) {
    TStatKey k;
    k.SetW1(0x00020001);
    EXPECT_EQ(k.K[0], 1);
    EXPECT_EQ(k.K[1], 2);
    k.SetW2(-1);
    EXPECT_EQ(k.K[2], -1);
    EXPECT_EQ(k.K[3], -1);
    EXPECT_EQ(k.W2(), -1);
    EXPECT_EQ(k.Byte(1), 1);
    EXPECT_EQ(k.Byte(3), 2);
    k.SetByte(2, 7);
    EXPECT_EQ(k.K[0], 0x0701);
    EXPECT_EQ(TStatKey::FromPacked(k.Packed()), k);
}

TEST(Enumeration, LexicographicFullSet) {
    const TCombsArray& all = AllCombs();
    ASSERT_EQ(all.size(), 125970u);
    EXPECT_EQ(all.front(), (TComb{1, 2, 3, 4, 5, 6, 7, 8}));
    EXPECT_EQ(all[1], (TComb{1, 2, 3, 4, 5, 6, 7, 9}));
    EXPECT_EQ(all.back(), (TComb{13, 14, 15, 16, 17, 18, 19, 20}));
    for (size_t i = 1; i < all.size(); ++i) ASSERT_LT(all[i - 1], all[i]) << i;
    TCombsArray withOne;
    EnumerateCombs([](const TComb& c) { return InComb(1, c); }, withOne);
    EXPECT_EQ(withOne.size(), 125970u - 75582u);
}

}  // namespace
}  // namespace zentrix
