#include "stats/families/sequences.h"

#include <gtest/gtest.h>

#include "core/enumerate.h"
#include "stats/filter.h"
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

using TStrings = std::vector<std::string>;

TEST(SequenceStats, Descriptors) {
    TStatsEnv env;
    struct TCase {
        const char* code;
        const char* className;
        const char* name;
        const char* letters;
    };
    const TCase cases[] = {
        {"SEQL", "TstSequenceLen", "Длина последовательности в тираже", "SN"},
        {"SEQS", "TstSequenceCnt", "Количество последовательностей в тираже", "SNG"},
        {"LENS", "TstSequenceLenMax", "Макс. длина последовательности в тираже", "SNG"},
    };
    const int first = env.Entry("SEQL");
    ASSERT_EQ(env.list.MethodAt(first - 1).Class->className, "TstSegmCount");
    for (int i = 0; i < 3; ++i) {
        const TCase& c = cases[i];
        const TStatMethod& m = env.list.MethodAt(first + i);
        EXPECT_EQ(m.Class->CodeOf(m.Index), c.code);
        EXPECT_EQ(m.Class->className, c.className);
        EXPECT_EQ(env.list.CreateStat(first + i)->Name(), c.name);
        EXPECT_EQ(FlagLetters(m.Class->AllFlags()), c.letters) << c.code;
        EXPECT_TRUE(m.Class->CanParse()) << c.code;
        EXPECT_EQ(m.Class->MethodGroup(), TStatGroup::Sequences) << c.code;
    }
    EXPECT_EQ(env.list.EntryCaption(env.Entry("LENS"), true),
              "{ seq } Макс. длина последовательности в тираже [ SNG ]");
    EXPECT_EQ(env.Create("SEQS")->ParseValue(" 3 "), 3);
    EXPECT_EQ(env.Create("LENS")->ValueLabel(KeyRecord(7)), "7");
}

// The values of one draw, as stored or sorted, and the graph values of that draw.
TEST(SequenceStats, RunsOfOneDraw) {
    struct TCase {
        std::array<int, 8> numbers;
        bool sorted;
        TStrings seql;
        const char* seqs;
        const char* lens;
        int seqsGraph;
        int lensGraph;
    };
    const TCase cases[] = {
        {{1, 2, 3, 7, 8, 12, 15, 20}, false, {"3x1", "2x1", "1x3"}, "2x1", "3x1", 2, 3},
        {{1, 2, 5, 6, 7, 12, 15, 20}, false, {"2x1", "3x1", "1x3"}, "2x1", "3x1", 2, 3},
        {{1, 3, 5, 7, 9, 11, 13, 15}, false, {"1x8"}, "0x1", "1x1", 0, 0},
        {{13, 14, 15, 16, 17, 18, 19, 20}, false, {"8x1"}, "1x1", "8x1", 1, 8},
        {{1, 2, 4, 5, 7, 8, 10, 11}, false, {"2x4"}, "4x1", "2x1", 4, 2},
        // Descending neighbours are no step, but the graphs take them as one.
        {{5, 4, 3, 10, 12, 14, 16, 18}, false, {"1x8"}, "0x1", "1x1", 1, 3},
        {{5, 4, 3, 10, 12, 14, 16, 18}, true, {"3x1", "1x5"}, "1x1", "3x1", 1, 3},
        {{2, 1, 4, 3, 6, 5, 8, 7}, false, {"1x8"}, "0x1", "1x1", 4, 2},
    };
    for (const TCase& c : cases) {
        TStatsEnv env({MakeDraw(1, c.numbers)});
        auto seql = env.Create("SEQL");
        auto seqs = env.Create("SEQS");
        auto lens = env.Create("LENS");
        EXPECT_EQ(LabelCounts(*seql, DrawValues(*seql, 0, c.sorted)), c.seql) << c.numbers[0];
        EXPECT_EQ(LabelCounts(*seqs, DrawValues(*seqs, 0, c.sorted)), TStrings{c.seqs});
        EXPECT_EQ(LabelCounts(*lens, DrawValues(*lens, 0, c.sorted)), TStrings{c.lens});
        EXPECT_EQ(dynamic_cast<TCustomGraphStat&>(*seqs).GraphValue(0, 0, c.sorted), c.seqsGraph);
        EXPECT_EQ(dynamic_cast<TCustomGraphStat&>(*lens).GraphValue(0, 0, c.sorted), c.lensGraph);
        if (!c.sorted && c.numbers[0] < c.numbers[1]) {
            // An ascending set: the combination values are the draw values.
            EXPECT_EQ(LabelCounts(*seql, CombValues(*seql, MakeComb(c.numbers))), c.seql);
            EXPECT_EQ(LabelCounts(*lens, CombValues(*lens, MakeComb(c.numbers))), TStrings{c.lens});
        }
    }
}

TEST(SequenceStats, PossibleValues) {
    TStatsEnv env({MakeDraw(1, {1, 2, 3, 4, 5, 6, 7, 8})});
    const std::pair<const char*, TStrings> cases[] = {
        {"SEQL", {"1", "2", "3", "4", "5", "6", "7", "8"}},
        {"SEQS", {"0", "1", "2", "3", "4"}},
        {"LENS", {"1", "2", "3", "4", "5", "6", "7", "8"}},
    };
    for (const auto& [code, labels] : cases) {
        auto stat = env.Create(code);
        TStatDrawArray values;
        stat->ListPossibleValues(0, values);
        EXPECT_EQ(Labels(*stat, values), labels) << code;
    }
}

size_t Kept(TCustomStat& stat, const std::vector<TStatDraw>& selected, bool exclude = false) {
    TCombsArray kept;
    FilterCombList(stat, selected, 0, false, exclude, AllCombs(), kept);
    return kept.size();
}

TEST(SequenceStats, FilterTheFullList) {
    TStatsEnv env({MakeDraw(1, {1, 2, 3, 4, 5, 6, 7, 8})});
    auto seql = env.Create("SEQL");
    auto seqs = env.Create("SEQS");
    auto lens = env.Create("LENS");
    // No two neighbours: C(13, 8); all eight in a row: 13; four pairs: C(13, 4).
    EXPECT_EQ(Kept(*lens, {KeyRecord(1)}), 1287u);
    EXPECT_EQ(Kept(*seqs, {KeyRecord(0)}), 1287u);
    EXPECT_EQ(Kept(*seql, {KeyRecord(8)}), 13u);
    EXPECT_EQ(Kept(*lens, {KeyRecord(8)}), 13u);
    EXPECT_EQ(Kept(*seqs, {KeyRecord(4)}), 715u);
    EXPECT_EQ(Kept(*lens, {KeyRecord(1)}, true), AllCombs().size() - 1287u);
    // Runs 2, 3, 1, 1, 1: SEQL has 2 and 3, LENS only 3.
    const TComb c = MakeComb({1, 2, 5, 6, 7, 12, 15, 20});
    auto has = [&](const TCustomStat& stat, int v) {
        const std::vector<TStatDraw> selected = {KeyRecord(v)};
        return stat.FilterTest(c, selected, 0, false, false);
    };
    for (int v : {1, 2, 3}) EXPECT_TRUE(has(*seql, v)) << v;
    EXPECT_FALSE(has(*seql, 4));
    EXPECT_TRUE(has(*lens, 3));
    EXPECT_FALSE(has(*lens, 2));
    EXPECT_TRUE(has(*seqs, 2));
}

}  // namespace
}  // namespace zentrix
