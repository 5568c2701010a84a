#include "stats/families/numbers.h"

#include <gtest/gtest.h>

#include <set>

#include "core/enumerate.h"
#include "stats/stats_env.h"

namespace zentrix {
namespace {

using test::CombValues;
using test::DrawValues;
using test::KeyRecord;
using test::LabelCounts;
using test::Labels;
using test::MakeComb;
using test::MakeDraw;
using test::TStatsEnv;
using test::W1Record;

using TStrings = std::vector<std::string>;

TEST(NumberStats, DrawValuesPerClass) {
    struct TCase {
        const char* code;
        std::array<int, 8> numbers;
        bool sorted;
        TStrings values;  // label x count in the order added
    };
    const TCase cases[] = {
        {"NUMS",
         {3, 8, 1, 20, 14, 6, 11, 17},
         false,
         {"3x1", "8x1", "1x1", "20x1", "14x1", "6x1", "11x1", "17x1"}},
        {"NUMS",
         {3, 8, 1, 20, 14, 6, 11, 17},
         true,
         {"1x1", "3x1", "6x1", "8x1", "11x1", "14x1", "17x1", "20x1"}},
        {"DIGS",
         {10, 11, 12, 13, 14, 15, 16, 20},
         false,
         {"1x8", "0x2", "2x2", "3x1", "4x1", "5x1", "6x1"}},
        {"EVEN", {1, 3, 5, 7, 9, 11, 13, 15}, false, {"0:8x1"}},
        {"EVEN", {2, 4, 6, 8, 10, 12, 14, 16}, false, {"8:0x1"}},
        {"SMAL", {1, 2, 11, 12, 13, 14, 19, 20}, false, {"2:6x1"}},
        {"PRIM", {1, 2, 3, 5, 7, 11, 13, 17}, false, {"8:0x1"}},
        {"PRIM", {4, 6, 8, 9, 10, 12, 14, 15}, false, {"0:8x1"}},
        {"PRMV", {1, 2, 3, 5, 7, 11, 13, 17}, false, {"ПППППППП (255)x1"}},
        {"PRMV", {4, 2, 6, 8, 9, 10, 12, 19}, false, {"СПСССССП (065)x1"}},
        {"EVNV", {2, 1, 4, 3, 6, 5, 8, 7}, false, {"ЧнЧнЧнЧн (085)x1"}},
        {"EVNV", {2, 1, 4, 3, 6, 5, 8, 7}, true, {"нЧнЧнЧнЧ (170)x1"}},
        {"SMLV", {20, 1, 2, 3, 4, 5, 6, 7}, false, {"21111111 (128)x1"}},
        {"SMLV", {20, 1, 2, 3, 4, 5, 6, 7}, true, {"11111112 (001)x1"}},
        {"POS1", {3, 8, 1, 20, 14, 6, 11, 17}, false, {"3x1"}},
        {"POS1", {3, 8, 1, 20, 14, 6, 11, 17}, true, {"1x1"}},
        {"POS8", {3, 8, 1, 20, 14, 6, 11, 17}, false, {"17x1"}},
        {"POE1", {3, 8, 1, 20, 14, 6, 11, 17}, false, {"4x1"}},
    };
    for (const TCase& c : cases) {
        TStatsEnv env({MakeDraw(77, c.numbers, 4)});
        auto stat = env.Create(c.code);
        EXPECT_EQ(LabelCounts(*stat, DrawValues(*stat, 0, c.sorted)), c.values) << c.code;
    }
}

TEST(NumberStats, DrawValuesCarryTheOccurrence) {
    TStatsEnv env({MakeDraw(40, {1, 2, 3, 4, 5, 6, 7, 8}), MakeDraw(41, {1, 2, 3, 4, 5, 6, 7, 9}),
                   MakeDraw(45, {9, 10, 11, 12, 13, 14, 15, 16})});
    auto stat = env.Create("NUMS");
    TStatDrawArray values;
    auto state = stat->NewScanState();
    for (int i = 0; i < 3; ++i) stat->AddDrawValues(i, 2, false, values, *state);
    const TStatDraw& one = values[values.Find(KeyRecord(1).Key)];
    EXPECT_EQ(one.Count, 2);
    EXPECT_EQ(one.LastDraw, 41);
    EXPECT_EQ(one.Depth, 2);
    EXPECT_EQ(one.PeriodMin, 1);
    const TStatDraw& nine = values[values.Find(KeyRecord(9).Key)];
    EXPECT_EQ(nine.Count, 2);
    EXPECT_EQ(nine.LastDraw, 45);
    EXPECT_EQ(nine.Depth, 1);
    EXPECT_EQ(nine.PeriodMin, 4);
    EXPECT_EQ(nine.PeriodMax, 4);
    EXPECT_EQ(values[values.Find(KeyRecord(16).Key)].PeriodMin, 0);

    // A draw outside the archive reads as zeros; the number methods read no reference draw.
    stat->LoadDraws(5, 0, false);
    EXPECT_EQ(stat->CurrentDraw(), TDraw{});
    EXPECT_EQ(stat->ReferenceDraw(), TDraw{});
    stat->LoadDraws(2, 0, true);
    EXPECT_EQ(stat->CurrentDraw().Number, 45);
}

TEST(NumberStats, PossibleValues) {
    struct TCase {
        const char* code;
        size_t count;
        const char* first;
        const char* last;
    };
    const TCase cases[] = {
        {"NUMS", 20, "1", "20"},   {"DIGS", 0, "", ""},
        {"EVEN", 8, "1:7", "8:0"}, {"SMAL", 8, "1:7", "8:0"},
        {"PRIM", 8, "1:7", "8:0"}, {"EVNV", 256, "ЧЧЧЧЧЧЧЧ (000)", "нннннннн (255)"},
        {"SMLV", 0, "", ""},       {"PRMV", 256, "СССССССС (000)", "ПППППППП (255)"},
        {"POS4", 20, "1", "20"},   {"POE1", 0, "", ""},
    };
    TStatsEnv env({MakeDraw(1, {1, 2, 3, 4, 5, 6, 7, 8})});
    for (const TCase& c : cases) {
        auto stat = env.Create(c.code);
        TStatDrawArray values;
        stat->ListPossibleValues(0, values);
        ASSERT_EQ(values.size(), c.count) << c.code;
        if (c.count == 0) continue;
        EXPECT_EQ(stat->ValueLabel(values[0]), c.first);
        EXPECT_EQ(stat->ValueLabel(values[c.count - 1]), c.last);
        for (const TStatDraw& r : values) {
            EXPECT_EQ(r.Count, 0);
            EXPECT_EQ(r.Depth, 0);
            EXPECT_EQ(r.LastDraw, 0);
        }
    }
}

TEST(NumberStats, CombinationValues) {
    TStatsEnv env;
    const TComb comb = MakeComb({1, 2, 3, 5, 10, 11, 19, 20});
    struct TCase {
        const char* code;
        TStrings values;
    };
    const TCase cases[] = {
        {"NUMS", {"1x1", "2x1", "3x1", "5x1", "10x1", "11x1", "19x1", "20x1"}},
        {"DIGS", {"1x5", "2x2", "3x1", "5x1", "0x2", "9x1"}},
        {"EVEN", {"3:5x1"}},
        {"SMAL", {"5:3x1"}},
        {"PRIM", {"6:2x1"}},
        {"EVNV", {"нЧннЧннЧ (182)x1"}},
        {"SMLV", {"11111222 (007)x1"}},
        {"PRMV", {"ППППСППС (246)x1"}},
        {"POS5", {"10x1"}},
        {"POE1", {}},
    };
    for (const TCase& c : cases) {
        auto stat = env.Create(c.code);
        EXPECT_EQ(LabelCounts(*stat, CombValues(*stat, comb)), c.values) << c.code;
    }
}

TEST(NumberStats, SmallMasksOfCombinations) {
    TStatsEnv env;
    auto stat = env.Create("SMLV");
    TStatDrawArray values;
    for (const TComb& c : AllCombs()) stat->AddCombValues(c, values);
    std::set<int> masks;
    for (const TStatDraw& r : values) masks.insert(r.Key.W1());
    EXPECT_EQ(masks, (std::set<int>{0, 1, 3, 7, 15, 31, 63, 127, 255}));
}

TEST(NumberStats, FilterTests) {
    TStatsEnv env;
    const TComb comb = MakeComb({1, 2, 3, 5, 10, 11, 19, 20});
    struct TCase {
        const char* code;
        std::vector<TStatDraw> selected;
        bool expected;
    };
    const TCase cases[] = {
        {"NUMS", {KeyRecord(4), KeyRecord(19)}, true},
        {"NUMS", {KeyRecord(4), KeyRecord(18)}, false},
        {"NUMS", {KeyRecord(19, 1)}, true},  // only K1 is compared
        {"NUMS", {}, false},
        {"DIGS", {KeyRecord(9)}, true},
        {"DIGS", {KeyRecord(4)}, false},
        {"DIGS", {KeyRecord(0)}, true},
        {"EVEN", {KeyRecord(3)}, true},
        {"EVEN", {KeyRecord(5)}, false},
        {"SMAL", {KeyRecord(5)}, true},
        {"PRIM", {KeyRecord(6)}, true},
        {"PRIM", {KeyRecord(2)}, false},
        {"EVNV", {W1Record(182)}, true},
        {"EVNV", {W1Record(183)}, false},
        {"SMLV", {W1Record(7)}, true},
        {"PRMV", {W1Record(246)}, true},
        {"POS5", {KeyRecord(10)}, true},
        {"POS5", {KeyRecord(11)}, false},
        {"POE1", {KeyRecord(0), KeyRecord(1), KeyRecord(2), KeyRecord(3), KeyRecord(4)}, false},
    };
    for (const TCase& c : cases) {
        auto stat = env.Create(c.code);
        EXPECT_EQ(stat->FilterTest(comb, c.selected, 0, false, false), c.expected) << c.code;
        EXPECT_EQ(stat->FilterTest(comb, c.selected, 0, false, true), c.expected) << c.code;
    }
}

TEST(NumberStats, LabelsParseBack) {
    TStatsEnv env;
    struct TCase {
        const char* code;
        const char* text;
        int32_t value;
    };
    const TCase cases[] = {
        {"NUMS", "17", 17},
        {"NUMS", " 5 ", 5},
        {"NUMS", "x", 0},
        {"DIGS", "7", 7},
        {"EVEN", "3:5", 3},
        {"EVEN", "3", 3},
        {"EVEN", "a:5", 0},
        {"EVEN", "", 0},
        {"PRIM", "8:0", 8},
        {"EVNV", "ЧнЧнЧнЧн (085)", 85},
        {"EVNV", "нЧ", 128},
        {"EVNV", "", 0},
        {"PRMV", "ПППППППП (255)", 255},
        {"SMLV", "11111222 (007)", 7},
        {"POS2", "20", 20},
        {"POE1", "3", 3},
    };
    for (const TCase& c : cases) {
        auto stat = env.Create(c.code);
        EXPECT_EQ(stat->ParseValue(c.text), c.value) << c.code << " " << c.text;
    }
    // Every mask label reads back as its mask.
    for (const char* code : {"EVNV", "SMLV", "PRMV"}) {
        auto stat = env.Create(code);
        for (int mask = 0; mask < 256; ++mask)
            EXPECT_EQ(stat->ParseValue(stat->ValueLabel(W1Record(mask))), mask) << code;
    }
}

TEST(NumberStats, GraphValues) {
    TStatsEnv env({MakeDraw(1, {20, 1, 2, 3, 4, 5, 6, 8}, 3)});
    struct TCase {
        const char* code;
        bool sorted;
        int32_t value;
        int32_t outside;  // a draw outside the archive reads as eight zeros
    };
    const TCase cases[] = {
        {"EVEN", false, 5, 8}, {"SMAL", false, 7, 8}, {"PRIM", false, 4, 0}, {"POS1", false, 20, 0},
        {"POS1", true, 1, 0},  {"POS8", true, 20, 0}, {"POE1", false, 3, 0},
    };
    for (const TCase& c : cases) {
        auto stat = env.Create(c.code);
        auto* graph = dynamic_cast<TCustomGraphStat*>(stat.get());
        ASSERT_NE(graph, nullptr) << c.code;
        EXPECT_EQ(graph->GraphValue(0, 0, c.sorted), c.value) << c.code;
        EXPECT_EQ(graph->GraphValue(7, 0, c.sorted), c.outside) << c.code;
    }
    auto extra = env.Create("POE1");
    EXPECT_EQ(dynamic_cast<TCustomGraphStat&>(*extra).CombGraphValue(
                  MakeComb({1, 2, 3, 4, 5, 6, 7, 8}), 0, 0, false),
              0);
}

TEST(NumberStats, FindNextOccurrence) {
    TStatsEnv env({MakeDraw(10, {1, 2, 3, 4, 5, 6, 7, 8}),
                   MakeDraw(11, {9, 10, 11, 12, 13, 14, 15, 16}),
                   MakeDraw(12, {1, 9, 10, 11, 12, 13, 14, 15})});
    auto stat = env.Create("NUMS");
    EXPECT_EQ(stat->FindNextOccurrence(KeyRecord(1), 1, false, 0), 12);
    EXPECT_EQ(stat->FindNextOccurrence(KeyRecord(9), 0, false, 0), 11);
    EXPECT_EQ(stat->FindNextOccurrence(KeyRecord(2), 1, false, 0), -1);
    EXPECT_EQ(stat->FindNextOccurrence(KeyRecord(20), 0, false, 0), -1);
    EXPECT_EQ(stat->FindNextOccurrence(KeyRecord(1), 3, false, 0), -1);
}

}  // namespace
}  // namespace zentrix
