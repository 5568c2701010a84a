#include "stats/stat_draw.h"

#include <gtest/gtest.h>

#include "stats/stats_env.h"

namespace zentrix {
namespace {

using test::KeyRecord;

TStatDraw Occurrence(int k1, int lastDraw, int depth, int count = 1) {
    TStatDraw r = KeyRecord(k1);
    r.LastDraw = lastDraw;
    r.PrevDraw = lastDraw;
    r.Depth = depth;
    r.Count = count;
    return r;
}

TEST(StatDraw, AddValueKeepsTheMostRecentOccurrence) {
    TStatDrawArray list;
    AddValue(list, Occurrence(7, 100, 3), true);
    AddValue(list, Occurrence(7, 102, 1), true);
    AddValue(list, Occurrence(7, 101, 2), true);
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(list[0].Count, 3);
    EXPECT_EQ(list[0].Depth, 1);
    EXPECT_EQ(list[0].LastDraw, 102);
    // PrevDraw follows the scan, whatever the depth.
    EXPECT_EQ(list[0].PrevDraw, 101);
}

TEST(StatDraw, AddValueDepthZeroIsReplacedAndNormStartsAtZero) {
    TStatDrawArray list;
    TStatDraw possible = KeyRecord(4);
    possible.Norm = 55;
    AddValue(list, possible, false);
    EXPECT_EQ(list[0].Norm, 0);
    EXPECT_EQ(list[0].Depth, 0);
    AddValue(list, Occurrence(4, 9, 5), true);
    EXPECT_EQ(list[0].Depth, 5);
    EXPECT_EQ(list[0].LastDraw, 9);
    // A later record with depth 0 does not hide the occurrence.
    AddValue(list, KeyRecord(4), false);
    EXPECT_EQ(list[0].Depth, 5);
}

TEST(StatDraw, PeriodsAreDistancesBetweenConsecutiveOccurrences) {
    struct TCase {
        std::vector<int> draws;
        bool track;
        int min, max;
    };
    const TCase cases[] = {
        {{10, 13, 19}, true, 3, 6},  {{10, 14}, true, 4, 4},         {{10}, true, 0, 0},
        {{10, 13, 19}, false, 0, 0}, {{5, 20, 22, 40}, true, 2, 18},
    };
    for (const TCase& c : cases) {
        TStatDrawArray list;
        int depth = 100;
        for (int d : c.draws) AddValue(list, Occurrence(1, d, depth--), c.track);
        EXPECT_EQ(list[0].PeriodMin, c.min) << c.draws.size();
        EXPECT_EQ(list[0].PeriodMax, c.max) << c.draws.size();
        EXPECT_EQ(list[0].PrevDraw, c.draws.back());
    }
}

TEST(StatDraw, PeriodBeyondSixteenBitsIsHeldAsTheLargest) {
    TStatDrawArray list;
    AddValue(list, Occurrence(1, 1, 3), true);
    AddValue(list, Occurrence(1, 100001, 2), true);
    EXPECT_EQ(list[0].PeriodMin, 65535);
    EXPECT_EQ(list[0].PeriodMax, 65535);
    AddValue(list, Occurrence(1, 100004, 1), true);
    EXPECT_EQ(list[0].PeriodMin, 3);
    EXPECT_EQ(list[0].PeriodMax, 65535);
}

TEST(StatDraw, InsertionOrderAndHashIndexOverManyKeys) {
    TStatDrawArray list;
    for (int i = 0; i < 5000; ++i) AddValue(list, Occurrence((i * 37) % 5000, i + 1, 1), false);
    for (int i = 0; i < 5000; ++i) AddValue(list, Occurrence((i * 37) % 5000, i + 1, 1), false);
    ASSERT_EQ(list.size(), 5000u);
    for (int i = 0; i < 5000; ++i) {
        EXPECT_EQ(list[i].Key.K[0], (i * 37) % 5000);
        EXPECT_EQ(list[i].Count, 2);
        EXPECT_EQ(list.Find(list[i].Key), i);
    }
    EXPECT_EQ(list.Find(KeyRecord(1, 1).Key), -1);
    list.clear();
    EXPECT_EQ(list.Find(KeyRecord(0).Key), -1);
    AddValue(list, Occurrence(3, 1, 1), false);
    EXPECT_EQ(list.Find(KeyRecord(3).Key), 0);
}

TEST(StatDraw, CompareKeysReadsComponentsUnsigned) {
    EXPECT_LT(CompareKeys(KeyRecord(1).Key, KeyRecord(2).Key), 0);
    EXPECT_GT(CompareKeys(KeyRecord(-1).Key, KeyRecord(32767).Key), 0);  // 65535 > 32767
    EXPECT_LT(CompareKeys(KeyRecord(5, 9).Key, KeyRecord(6, 0).Key), 0);
    EXPECT_LT(CompareKeys(KeyRecord(5, 0, 0, 1).Key, KeyRecord(5, 0, 0, -1).Key), 0);
    EXPECT_EQ(CompareKeys(KeyRecord(5, 1, 2, 3).Key, KeyRecord(5, 1, 2, 3).Key), 0);
}

TEST(StatDraw, SortValuesIsStableAndKeepsTheIndex) {
    TStatDrawArray list;
    const int keys[] = {3, -2, 1, 3, 0};
    int draw = 1;
    for (int k : keys) {
        TStatDraw r = Occurrence(k, draw++, 1);
        r.Key.K[1] = static_cast<int16_t>(k == 3 && draw > 3 ? 1 : 0);
        AddValue(list, r, false);
    }
    SortValues(list);
    std::vector<int> order;
    for (const TStatDraw& r : list) order.push_back(r.Key.K[0] * 10 + r.Key.K[1]);
    EXPECT_EQ(order, (std::vector<int>{0, 10, 30, 31, -20}));
    for (size_t i = 0; i < list.size(); ++i) EXPECT_EQ(list.Find(list[i].Key), int(i));
}

TEST(StatDraw, ValueTotals) {
    const TValueTotals empty = ValueTotals({});
    EXPECT_EQ(empty.MinCount, INT32_MAX);
    EXPECT_EQ(empty.MaxCount, 0);
    EXPECT_EQ(empty.MaxDepth, 0);
    EXPECT_EQ(empty.TotalCount, 0);

    std::vector<TStatDraw> list = {Occurrence(1, 5, 3, 4), Occurrence(2, 6, 9, 0),
                                   Occurrence(3, 7, 1, INT32_MAX)};
    const TValueTotals t = ValueTotals(list);
    EXPECT_EQ(t.MinCount, 0);
    EXPECT_EQ(t.MaxCount, INT32_MAX);
    EXPECT_EQ(t.MaxDepth, 9);
    EXPECT_EQ(t.TotalCount, int64_t{INT32_MAX} + 4);  // summed in 64 bits
}

TEST(StatDraw, MatchHelpers) {
    TStatDraw a = KeyRecord(5, 9, 0, 0);
    TStatDraw b = KeyRecord(-1, 0, 7, 0);
    const std::vector<TStatDraw> selected = {a, b};
    EXPECT_TRUE(MatchKey(selected, 5, 9, 0, 0));
    EXPECT_FALSE(MatchKey(selected, 5, 9, 0, 1));
    EXPECT_FALSE(MatchKey({}, 5, 9, 0, 0));
    EXPECT_TRUE(MatchK(selected, 1, 5));
    EXPECT_TRUE(MatchK(selected, 3, 7));
    EXPECT_FALSE(MatchK(selected, 2, 7));
    EXPECT_FALSE(MatchK(selected, 5, 0));
    // W1 of a is 9 * 65536 + 5; W1 of b is 65535.
    EXPECT_TRUE(MatchWk(selected, 1, 9 * 65536 + 5));
    EXPECT_TRUE(MatchWk(selected, 1, 65535));
    EXPECT_TRUE(MatchWk(selected, 2, 7));
    EXPECT_FALSE(MatchWk(selected, 3, 0));
    // MatchW widens its arguments as unsigned 16-bit values.
    EXPECT_TRUE(MatchW(selected, -1, 7));
    EXPECT_TRUE(MatchW(selected, 65535, 7));
    EXPECT_FALSE(MatchW(selected, 5, 0));
    // Bytes in memory order: K1 low byte first.
    EXPECT_TRUE(MatchByte(selected, 1, 5));
    EXPECT_TRUE(MatchByte(selected, 3, 9));
    EXPECT_TRUE(MatchByte(selected, 2, 255));
    EXPECT_FALSE(MatchByte(selected, 9, 0));
}

}  // namespace
}  // namespace zentrix
