#include "stats/families/repeats.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "core/enumerate.h"
#include "stats/filter.h"
#include "stats/stat_table.h"
#include "stats/stats_env.h"
#include "stats/table_rows.h"

namespace zentrix {
namespace {

using test::DrawValues;
using test::KeyRecord;
using test::LabelCounts;
using test::Labels;
using test::MakeComb;
using test::MakeDraw;
using test::TableRows;
using test::TStatsEnv;

using TStrings = std::vector<std::string>;

// The last draw shares 4, 5, 14, 20 with the one before, and 4 with the two before that.
TDrawsArray RepeatsArchive() {
    return {MakeDraw(101, {1, 2, 3, 4, 5, 6, 7, 8}), MakeDraw(102, {2, 3, 4, 9, 10, 11, 12, 13}),
            MakeDraw(103, {3, 4, 5, 9, 14, 15, 16, 20}),
            MakeDraw(104, {20, 19, 18, 17, 14, 10, 5, 4})};
}

TEST(RepeatStats, Descriptors) {
    TStatsEnv env;
    struct TCase {
        const char* code;
        const char* className;
        const char* name;
    };
    const TCase cases[] = {
        {"RPV2", "TstRepValues2", "Повторяющиеся числа в 2-х тиражах подряд"},
        {"RPV3", "TstRepValues3", "Повторяющиеся числа в 3-х тиражах подряд"},
        {"PRL2", "TstRepValues2B3", "Повторяющиеся числа не более чем в 2-х тиражах"},
        {"PRV2O1", "TstRepValues2over1", "Повторяющиеся числа в 2-х тиражах через 1 тираж(а)"},
        {"PRV2O2", "TstRepValues2over2", "Повторяющиеся числа в 2-х тиражах через 2 тираж(а)"},
        {"PRV2O3", "TstRepValues2over3", "Повторяющиеся числа в 2-х тиражах через 3 тираж(а)"},
        {"PRV+1", "TstRepValues2P1", "Данные предыдущего тиража + 1"},
        {"PRV-1", "TstRepValues2N1", "Данные предыдущего тиража - 1"},
        {"PRV+2", "TstRepValues2P2", "Данные предыдущего тиража + 2"},
        {"PRV-2", "TstRepValues2N2", "Данные предыдущего тиража - 2"},
        {"RPC2", "TstRepCount2", "Количество повторов в 2-х тиражах подряд"},
        {"RPC3", "TstRepCount3", "Количество повторов в 3-х тиражах подряд"},
        {"PRB2", "TstRepCount2B3", "Количество повторов не более чем в 2-х тиражах"},
        {"RPO1", "TstRepCount2over1", "Количество повторов в 2-х тиражах через 1 тираж(а)"},
        {"PRC2O2", "TstRepCount2over2", "Количество повторов в 2-х тиражах через 2 тираж(а)"},
        {"PRC2O3", "TstRepCount2over3", "Количество повторов в 2-х тиражах через 3 тираж(а)"},
        {"PRC+1", "TstRepCount2P1", "Количество совпадений \"значений + 1\""},
        {"PRC-1", "TstRepCount2N1", "Количество совпадений \"значений - 1\""},
        {"PRC+2", "TstRepCount2P2", "Количество совпадений \"значений + 2\""},
        {"PRC-2", "TstRepCount2N2", "Количество совпадений \"значений - 2\""},
    };
    // Right after the sequence methods, in this order.
    const int first = env.Entry("RPV2");
    ASSERT_EQ(first, env.Entry("LENS") + 1);
    for (int i = 0; i < 20; ++i) {
        const TCase& c = cases[i];
        const TStatMethod& m = env.list.MethodAt(first + i);
        EXPECT_EQ(m.Class->CodeOf(m.Index), c.code);
        EXPECT_EQ(m.Class->className, c.className);
        EXPECT_EQ(env.list.CreateStat(first + i)->Name(), c.name);
        EXPECT_EQ(FlagLetters(m.Class->AllFlags()), "D") << c.code;
        EXPECT_TRUE(m.Class->CanParse()) << c.code;
        EXPECT_EQ(m.Class->MethodGroup(), TStatGroup::Repeats) << c.code;
    }
    EXPECT_EQ(env.list.EntryCaption(env.Entry("PRC+1"), true),
              "{ rep } Количество совпадений \"значений + 1\" [ D ]");
    EXPECT_EQ(env.Create("PRV-2")->ValueLabel(KeyRecord(19)), "19");
    EXPECT_EQ(env.Create("RPC3")->ParseValue("3"), 3);
}

// The zeros of a missing draw shift to 1, 2, 19 and 18.
TEST(RepeatStats, ShiftedZeros) {
    const int cases[][2] = {{0, 0}, {1, 1}, {2, 2}, {-1, 19}, {-2, 18}};
    for (const auto& c : cases) EXPECT_EQ(ShiftNumber(0, c[0]), c[1]) << c[0];
    EXPECT_EQ(ShiftNumber(19, 2), 1);
    EXPECT_EQ(ShiftNumber(2, -2), 20);
}

TEST(RepeatStats, TablesAgainstTheReferenceDraw) {
    TStatsEnv env(RepeatsArchive());
    struct TCase {
        const char* code;
        int offset;
        TStrings rows;
    };
    const TCase cases[] = {
        // Possible values: the last draw's numbers (shifted); counts 1..8, then 0 when it came.
        {"RPV2",
         0,
         {"20x1@104/-", "19x0@-/-", "18x0@-/-", "17x0@-/-", "14x1@104/-", "10x0@-/-", "5x1@104/-",
          "4x3@104/-"}},
        // 20 + 1 wraps to 1.
        {"PRV+1",
         0,
         {"1x0@-/-", "20x0@-/-", "19x0@-/-", "18x0@-/-", "15x0@-/-", "11x0@-/-", "6x0@-/-",
          "5x2@104/-"}},
        {"PRV-1",
         0,
         {"19x1@104/-", "18x0@-/-", "17x0@-/-", "16x0@-/-", "13x0@-/-", "9x1@103/-", "4x2@104/-",
          "3x2@103/-"}},
        {"RPV3",
         0,
         {"20x0@-/-", "19x0@-/-", "18x0@-/-", "17x0@-/-", "14x0@-/-", "10x0@-/-", "5x0@-/-",
          "4x2@104/-"}},
        {"PRL2",
         0,
         {"20x1@104/-", "19x0@-/-", "18x0@-/-", "17x0@-/-", "14x1@104/-", "10x0@-/-", "5x1@104/-",
          "4x1@102/-"}},
        // The first draw follows eight zeros, which shifted by +1 are eight times the number 1.
        {"PRC+1",
         0,
         {"1x0@-/-", "2x0@-/-", "3x0@-/-", "4x3@104/-", "5x0@-/-", "6x0@-/-", "7x0@-/-",
          "8x1@101/-"}},
        {"RPC2",
         0,
         {"1x0@-/-", "2x0@-/-", "3x2@103/-", "4x1@104/-", "5x0@-/-", "6x0@-/-", "7x0@-/-",
          "8x0@-/-", "0x1@101/-"}},
        {"RPO1",
         0,
         {"1x0@-/-", "2x1@104/-", "3x1@103/-", "4x0@-/-", "5x0@-/-", "6x0@-/-", "7x0@-/-",
          "8x0@-/-", "0x2@102/-"}},
        {"RPC3",
         0,
         {"1x1@104/-", "2x1@103/-", "3x0@-/-", "4x0@-/-", "5x0@-/-", "6x0@-/-", "7x0@-/-",
          "8x0@-/-", "0x2@102/-"}},
        {"PRB2",
         0,
         {"1x1@103/-", "2x0@-/-", "3x2@104/-", "4x0@-/-", "5x0@-/-", "6x0@-/-", "7x0@-/-",
          "8x0@-/-", "0x1@101/-"}},
        // Reference 103: the draw after it brings 4, 5, 14, 20 back; "Факт" follows the values
        // the window saw.
        {"RPV2",
         1,
         {"3x2@103/-", "4x2@103/104", "5x0@-/-", "9x1@103/-", "14x0@-/-", "15x0@-/-", "16x0@-/-",
          "20x0@-/-"}},
        {"PRL2",
         1,
         {"3x1@102/-", "4x1@102/-", "5x0@-/-", "9x1@103/-", "14x0@-/-", "15x0@-/-", "16x0@-/-",
          "20x0@-/-"}},
        {"PRV2O1",
         1,
         {"3x1@103/-", "4x1@103/104", "5x1@103/-", "9x0@-/-", "14x0@-/-", "15x0@-/-", "16x0@-/-",
          "20x0@-/-"}},
    };
    for (const TCase& c : cases)
        for (bool sorted : {false, true})
            EXPECT_EQ(TableRows(env, c.code, c.offset, sorted), c.rows)
                << c.code << " offset " << c.offset << " sorted " << sorted;
}

// The first draw of an archive: the eight zeros before it shift to 1, 19, 2 or 18.
TEST(RepeatStats, FirstDrawCountsShiftedZeros) {
    struct TCase {
        std::array<int, 8> numbers;
        const char* code;
        const char* value;
    };
    const TCase cases[] = {
        {{1, 2, 3, 4, 5, 6, 7, 8}, "PRC+1", "8x1"},
        {{1, 2, 3, 4, 5, 6, 7, 8}, "PRC-1", "0x1"},
        {{1, 2, 3, 4, 5, 6, 7, 8}, "PRC+2", "8x1"},
        {{1, 2, 3, 4, 5, 6, 7, 8}, "PRC-2", "0x1"},
        {{1, 2, 3, 4, 5, 6, 7, 8}, "RPC2", "0x1"},
        {{1, 2, 3, 4, 5, 6, 7, 8}, "PRC2O3", "0x1"},
        {{4, 5, 10, 14, 17, 18, 19, 20}, "PRC+1", "0x1"},
        {{4, 5, 10, 14, 17, 18, 19, 20}, "PRC-1", "8x1"},
        {{4, 5, 10, 14, 17, 18, 19, 20}, "PRC+2", "0x1"},
        {{4, 5, 10, 14, 17, 18, 19, 20}, "PRC-2", "8x1"},
        {{4, 5, 10, 14, 17, 18, 19, 20}, "RPC3", "0x1"},
        {{4, 5, 10, 14, 17, 18, 19, 20}, "PRB2", "0x1"},
    };
    for (const TCase& c : cases) {
        TStatsEnv env({MakeDraw(1, c.numbers)});
        auto stat = env.Create(c.code);
        EXPECT_EQ(LabelCounts(*stat, DrawValues(*stat, 0)), TStrings{c.value}) << c.code;
    }
    // The value methods find no number in the zeros.
    TStatsEnv env({MakeDraw(1, {1, 2, 3, 4, 5, 6, 7, 8})});
    for (const char* code : {"RPV2", "PRV+1", "PRV-1", "RPV3", "PRL2"}) {
        auto stat = env.Create(code);
        EXPECT_TRUE(DrawValues(*stat, 0).empty()) << code;
    }
}

TCombsArray Kept(TCustomStat& stat, const std::vector<TStatDraw>& selected, int refIndex,
                 bool exclude = false) {
    TCombsArray kept;
    FilterCombList(stat, selected, refIndex, false, exclude, AllCombs(), kept);
    return kept;
}

// A combination stands for the draw after the reference draw.
TEST(RepeatStats, FilterTheFullList) {
    TStatsEnv env(RepeatsArchive());
    struct TCase {
        const char* code;
        std::vector<int> selected;
        int refIndex;
        size_t kept;
        std::array<int, 8> one;  // a combination kept, when any
    };
    const TCase cases[] = {
        // Values: any number of the combination selected.
        {"RPV2", {4}, 3, 50388, {4, 5, 6, 7, 8, 9, 10, 11}},
        {"PRV-2", {4, 20}, 3, 82212, {1, 2, 3, 5, 6, 7, 8, 20}},
        {"RPV3", {1}, 3, 50388, {1, 2, 3, 5, 6, 7, 8, 9}},
        // Counts: against draw L + 1 - t, shifted.
        {"RPC2", {8}, 3, 1, {4, 5, 10, 14, 17, 18, 19, 20}},
        {"RPC2", {0}, 3, 495, {1, 2, 3, 6, 7, 8, 9, 11}},
        {"RPO1", {8}, 3, 1, {3, 4, 5, 9, 14, 15, 16, 20}},
        {"PRC2O3", {8}, 3, 1, {1, 2, 3, 4, 5, 6, 7, 8}},
        {"PRC+1", {8}, 3, 1, {1, 5, 6, 11, 15, 18, 19, 20}},
        {"PRC-2", {8}, 3, 1, {2, 3, 8, 12, 15, 16, 17, 18}},
        // Before the first draw: zeros, which no combination holds.
        {"RPO1", {0}, 0, 125970, {1, 2, 3, 4, 5, 6, 7, 8}},
        {"RPO1", {1, 2, 3, 4, 5, 6, 7, 8}, 0, 0, {}},
        // Against L and L - 1: 4, 5, 14, 20 in both, 10, 17, 18, 19 in L alone.
        {"RPC3", {4}, 3, 1820, {1, 2, 3, 4, 5, 6, 14, 20}},
        {"RPC3", {0}, 3, 12870, {1, 2, 3, 6, 7, 8, 9, 11}},
        {"PRB2", {4}, 3, 1820, {1, 2, 3, 10, 11, 17, 18, 19}},
        {"RPC3", {0}, 0, 125970, {4, 5, 10, 14, 17, 18, 19, 20}},
        {"PRB2", {8}, 0, 1, {1, 2, 3, 4, 5, 6, 7, 8}},
    };
    for (const TCase& c : cases) {
        auto stat = env.Create(c.code);
        std::vector<TStatDraw> selected;
        for (int v : c.selected) selected.push_back(KeyRecord(v));
        const TCombsArray kept = Kept(*stat, selected, c.refIndex);
        EXPECT_EQ(kept.size(), c.kept) << c.code << " " << c.refIndex;
        if (c.kept > 0) {
            const TComb one = MakeComb(c.one);
            EXPECT_TRUE(std::find(kept.begin(), kept.end(), one) != kept.end()) << c.code;
            EXPECT_TRUE(stat->FilterTest(one, selected, c.refIndex, false, false)) << c.code;
        }
        EXPECT_EQ(Kept(*stat, selected, c.refIndex, true).size(), AllCombs().size() - c.kept)
            << c.code;
    }
}

}  // namespace
}  // namespace zentrix
