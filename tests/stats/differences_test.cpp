#include "stats/families/differences.h"

#include <gtest/gtest.h>

#include "stats/stat_table.h"
#include "stats/stats_env.h"

namespace zentrix {
namespace {

using test::CombValues;
using test::DrawValues;
using test::ExpectDescriptor;
using test::KeyRecord;
using test::LabelCounts;
using test::Labels;
using test::MakeComb;
using test::MakeDraw;
using test::TDescriptor;
using test::TStatsEnv;

using TStrings = std::vector<std::string>;

TEST(DifferenceStats, Descriptors) {
    TStatsEnv env;
    struct TCase {
        TDescriptor d;
        bool canParse;
    };
    const TCase cases[] = {
        {{"DIFA", "TstDiffTotal", "Все разности между соседними позициями", "SN"}, true},
        {{"DIFM", "TstDiffMax", "Максимальная разность между соседними позициями", "SNG"}, true},
        {{"DIFD", "TstMinMaxDiffs", "Разность между минимальным и максимальным числом", "NG"},
         true},
        {{"DIFO", "TstDiffSame", "Одинаковые разности между соседними позициями", "SN"}, false},
        {{"DIFK", "TstDiffSameCnt", "Количество одинаковых разностей между соседними позициями",
          "SNG"},
         true},
        {{"KDS2", "TstCombDiffSeq2", "Сочетания из 2 разностей между числами", "S"}, false},
        {{"KDS3", "TstCombDiffSeq3", "Сочетания из 3 разностей между числами", "S"}, false},
        {{"KDS4", "TstCombDiffSeq4", "Сочетания из 4 разностей между числами", "S"}, false},
    };
    for (const TCase& c : cases) {
        const int entry = ExpectDescriptor(env, c.d, TStatGroup::Differences);
        if (entry < 0) continue;
        EXPECT_EQ(env.list.MethodAt(entry).Class->CanParse(), c.canParse) << c.d.code;
    }
}

TEST(DifferenceStats, DrawValues) {
    struct TCase {
        const char* code;
        std::array<int, 8> numbers;
        bool sorted;
        TStrings values;  // label x count in the order added
    };
    const std::array<int, 8> ascending = {1, 2, 3, 4, 5, 6, 7, 8};
    const std::array<int, 8> spread = {1, 3, 5, 8, 11, 14, 17, 20};
    const std::array<int, 8> stored = {20, 1, 2, 3, 4, 5, 6, 8};
    const TCase cases[] = {
        {"DIFA", ascending, false, {"1x7"}},
        {"DIFM", ascending, false, {"1x1"}},
        {"DIFD", ascending, false, {"7x1"}},
        {"DIFO", ascending, false, {"1 x 7x1"}},
        {"DIFK", ascending, false, {"7x1"}},
        {"KDS2", ascending, false, {"1:1x6"}},
        {"KDS4", ascending, false, {"1:1:1:1x4"}},
        {"DIFA", spread, false, {"2x2", "3x5"}},
        {"DIFO", spread, false, {"2 x 2x1", "3 x 5x1"}},
        {"DIFK", spread, false, {"5x1"}},
        {"KDS3", spread, false, {"2:2:3x1", "2:3:3x1", "3:3:3x3"}},
        // The stored order: 20 then 1 is a difference of 19.
        {"DIFA", stored, false, {"19x1", "1x5", "2x1"}},
        {"DIFA", stored, true, {"1x5", "2x1", "12x1"}},
        {"DIFM", stored, false, {"19x1"}},
        {"DIFM", stored, true, {"12x1"}},
        {"DIFD", stored, false, {"19x1"}},
        {"DIFD", stored, true, {"19x1"}},
        {"DIFO", stored, false, {"19 x 1x1", "1 x 5x1", "2 x 1x1"}},
        {"DIFK", stored, true, {"5x1"}},
        {"KDS2", stored, false, {"19:1x1", "1:1x4", "1:2x1"}},
        {"KDS3", stored, true, {"1:1:1x3", "1:1:2x1", "1:2:12x1"}},
    };
    for (const TCase& c : cases) {
        TStatsEnv env({MakeDraw(7, c.numbers)});
        auto stat = env.Create(c.code);
        EXPECT_EQ(LabelCounts(*stat, DrawValues(*stat, 0, c.sorted)), c.values)
            << c.code << " sorted " << c.sorted;
        // The combination values (the full set) are those of the ascending numbers.
        if (stat->StatClass().HasNorm() && c.numbers != stored) {
            EXPECT_EQ(LabelCounts(*stat, CombValues(*stat, MakeComb(c.numbers))), c.values)
                << c.code;
        }
    }
    // The runs of differences have no full set.
    TStatsEnv env;
    EXPECT_TRUE(CombValues(*env.Create("KDS2"), MakeComb(ascending)).empty());
}

// Only the first difference (and the first run) of a draw updates the occurrence intervals.
TEST(DifferenceStats, IntervalsOfTheFirstValueOnly) {
    // Differences 2,1,1,1,1,1,1 and 1,2,1,1,1,1,1.
    TStatsEnv env({MakeDraw(10, {1, 3, 4, 5, 6, 7, 8, 9}), MakeDraw(13, {1, 2, 4, 5, 6, 7, 8, 9})});
    struct TCase {
        const char* code;
        TStatDraw key;
        int count;
        int periodMin;
    };
    const TCase cases[] = {
        {"DIFA", KeyRecord(2), 2, 0},     // second at 13
        {"DIFA", KeyRecord(1), 12, 3},    // first at 13
        {"KDS2", KeyRecord(2, 1), 2, 0},  // second run at 13
        {"KDS2", KeyRecord(1, 1), 9, 0},  // never a first run
        {"DIFO", KeyRecord(2, 1), 2, 3},  // every value tracked
        {"DIFO", KeyRecord(1, 6), 2, 3}, {"DIFM", KeyRecord(2), 2, 3},
    };
    for (const TCase& c : cases) {
        auto stat = env.Create(c.code);
        TStatDrawArray values;
        auto state = stat->NewScanState();
        for (int i = 0; i < 2; ++i) stat->AddDrawValues(i, 1, false, values, *state);
        const int found = values.Find(c.key.Key);
        ASSERT_GE(found, 0) << c.code;
        EXPECT_EQ(values[found].Count, c.count) << c.code;
        EXPECT_EQ(values[found].PeriodMin, c.periodMin) << c.code;
        EXPECT_EQ(values[found].LastDraw, 13) << c.code;
    }
}

TEST(DifferenceStats, PossibleValues) {
    TStatsEnv env({MakeDraw(1, {1, 2, 3, 4, 5, 6, 7, 8})});
    struct TCase {
        const char* code;
        size_t count;
        const char* first;
        const char* last;
    };
    const TCase cases[] = {
        {"DIFA", 19, "1", "19"}, {"DIFM", 19, "1", "19"}, {"DIFD", 19, "1", "19"},
        {"DIFO", 0, "", ""},     {"DIFK", 7, "1", "7"},   {"KDS2", 0, "", ""},
        {"KDS4", 0, "", ""},
    };
    for (const TCase& c : cases) {
        auto stat = env.Create(c.code);
        TStatDrawArray values;
        stat->ListPossibleValues(0, values);
        ASSERT_EQ(values.size(), c.count) << c.code;
        if (c.count == 0) continue;
        EXPECT_EQ(stat->ValueLabel(values[0]), c.first);
        EXPECT_EQ(stat->ValueLabel(values[c.count - 1]), c.last);
    }
}

TEST(DifferenceStats, FilterTests) {
    TStatsEnv env;
    // Differences 2, 2, 3, 3, 3, 3, 3.
    const TComb comb = MakeComb({1, 3, 5, 8, 11, 14, 17, 20});
    struct TCase {
        const char* code;
        std::vector<TStatDraw> selected;
        bool expected;
    };
    const TCase cases[] = {
        {"DIFA", {KeyRecord(2)}, true},          {"DIFA", {KeyRecord(4), KeyRecord(1)}, false},
        {"DIFM", {KeyRecord(3)}, true},          {"DIFM", {KeyRecord(2)}, false},
        {"DIFD", {KeyRecord(19)}, true},         {"DIFD", {KeyRecord(18)}, false},
        {"DIFO", {KeyRecord(3, 5)}, true},       {"DIFO", {KeyRecord(2, 2)}, true},
        {"DIFO", {KeyRecord(3, 4)}, false},      {"DIFO", {KeyRecord(3)}, false},
        {"DIFK", {KeyRecord(5)}, true},          {"DIFK", {KeyRecord(2)}, false},
        {"KDS2", {KeyRecord(2, 3)}, true},       {"KDS2", {KeyRecord(3, 2)}, false},
        {"KDS3", {KeyRecord(2, 2, 3)}, true},    {"KDS3", {KeyRecord(2, 2)}, false},
        {"KDS4", {KeyRecord(3, 3, 3, 3)}, true}, {"KDS4", {KeyRecord(3, 3, 3, 2)}, false},
    };
    for (const TCase& c : cases) {
        auto stat = env.Create(c.code);
        EXPECT_EQ(stat->FilterTest(comb, c.selected, 0, false, false), c.expected) << c.code;
        EXPECT_EQ(stat->FilterTest(comb, c.selected, 0, false, true), c.expected) << c.code;
    }
}

TEST(DifferenceStats, TableInSortedMode) {
    // 20, 1, ... stored; sorted it reads 1, 2, 3, 4, 5, 6, 8, 20.
    TStatsEnv env({MakeDraw(5, {20, 1, 2, 3, 4, 5, 6, 8}), MakeDraw(6, {1, 2, 3, 4, 5, 6, 7, 9})});
    for (bool sorted : {false, true}) {
        TStatTableParams p;
        p.RefIndex = 1;
        p.WindowLength = 10;
        p.SortedDraws = sorted;
        TStatTable t = TStatTable::Compute(env.Create("DIFM"), p);
        ASSERT_EQ(t.RowCount(), 19);
        EXPECT_EQ(t.CellText(1, kColCount), "1");  // 2 (draw 6)
        EXPECT_EQ(t.CellText(11, kColCount), sorted ? "1" : "0");
        EXPECT_EQ(t.CellText(18, kColCount), sorted ? "0" : "1");
        EXPECT_EQ(t.CellText(18, kColDepth), sorted ? "-" : "2");
    }
    EXPECT_EQ(env.Create("DIFO")->ValueLabel(KeyRecord(3, 2)), "3 x 2");
    EXPECT_EQ(env.Create("KDS3")->ValueLabel(KeyRecord(2, 5, 1)), "2:5:1");
    EXPECT_EQ(env.Create("DIFA")->ParseValue("12"), 12);
    EXPECT_EQ(env.Create("DIFO")->ParseValue("3"), 0);
}

}  // namespace
}  // namespace zentrix
