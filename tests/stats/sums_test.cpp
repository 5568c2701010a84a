#include "stats/families/sums.h"

#include <gtest/gtest.h>

#include <cmath>

#include "core/enumerate.h"
#include "stats/filter.h"
#include "stats/stat_table.h"
#include "stats/stats_env.h"
#include "stats/table_rows.h"

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
using test::TableRows;
using test::TDescriptor;
using test::TStatsEnv;
using test::W1Record;

using TStrings = std::vector<std::string>;

TStatDraw WRecord(int32_t w1, int32_t w2) {
    TStatDraw r;
    r.Key.SetW1(w1);
    r.Key.SetW2(w2);
    return r;
}

// Sums 36, 37, 44, 36, 38, 36: the last draw's sum occurred twice before, each time followed by
// a larger sum.
TDrawsArray SumsArchive() {
    return {MakeDraw(101, {1, 2, 3, 4, 5, 6, 7, 8}), MakeDraw(102, {9, 1, 2, 3, 4, 5, 6, 7}),
            MakeDraw(103, {2, 3, 4, 5, 6, 7, 8, 9}), MakeDraw(104, {8, 7, 6, 5, 4, 3, 2, 1}),
            MakeDraw(105, {1, 2, 3, 4, 5, 6, 8, 9}), MakeDraw(106, {1, 2, 3, 4, 5, 6, 7, 8})};
}

TEST(SumStats, Descriptors) {
    TStatsEnv env;
    struct TCase {
        TDescriptor d;
        bool canParse;
    };
    const TCase cases[] = {
        {{"SUMS", "TstSumValues", "Сумма тиража: все значения", "NG"}, true},
        {{"SUM1", "TstSumRanges", "Сумма тиража: диапазон 1 (1/3)", "NG"}, false},
        {{"SUM2", "TstSumRanges", "Сумма тиража: диапазон 2 (1/2)", "NG"}, false},
        {{"SUM3", "TstSumRanges", "Сумма тиража: диапазон 3 (2/3)", "NG"}, false},
        {{"SUMC", "TstSumChange", "Сумма тиража: изменения (точно)", "DG"}, false},
        {{"SUMV", "TstSumChangeSome", "Сумма тиража: изменения (диапазон)", "D"}, false},
        {{"SUMT", "TstSumTrend", "Сумма тиража: направление изменения", "DG"}, false},
        {{"SUME", "TstSumEvenValues", "Сумма тиража: только четные", "NG"}, true},
        {{"SUMP", "TstSumPrimeValues", "Сумма тиража: только простые", "NG"}, true},
        {{"S2T3", "TstSum2To3", "Сумма двух чисел тиража равна третьему числу", "NG"}, true},
    };
    for (const TCase& c : cases) {
        const int entry = ExpectDescriptor(env, c.d, TStatGroup::Sums);
        if (entry < 0) continue;
        EXPECT_EQ(env.list.MethodAt(entry).Class->CanParse(), c.canParse) << c.d.code;
    }
    EXPECT_EQ(env.list.EntryCaption(env.Entry("SUMV"), true),
              "{ sum } Сумма тиража: изменения (диапазон) [ D ]");
    EXPECT_EQ(kMinSum, 36);
    EXPECT_EQ(kMaxSum, 132);
    EXPECT_EQ(kSumBand, 9);
}

TEST(SumStats, ValuesOfOneSet) {
    TStatsEnv env;
    struct TCase {
        const char* code;
        std::array<int, 8> numbers;
        TStrings values;
    };
    const TCase cases[] = {
        {"SUMS", {1, 2, 3, 4, 5, 6, 7, 8}, {"36x1"}},
        {"SUM1", {1, 2, 3, 4, 5, 6, 7, 8}, {"Остальныеx1"}},
        {"SUM2", {1, 2, 3, 4, 5, 6, 7, 8}, {"Остальныеx1"}},
        {"SUM3", {1, 2, 3, 4, 5, 6, 7, 8}, {"Остальныеx1"}},
        {"SUME", {1, 2, 3, 4, 5, 6, 7, 8}, {"20x1"}},
        {"SUMP", {1, 2, 3, 4, 5, 6, 7, 8}, {"18x1"}},
        {"S2T3", {1, 2, 3, 4, 5, 6, 7, 8}, {"12x1"}},
        {"SUMS", {13, 14, 15, 16, 17, 18, 19, 20}, {"132x1"}},
        {"SUM1", {1, 2, 3, 4, 5, 15, 17, 18}, {"65-103x1"}},      // 65
        {"SUM1", {1, 2, 3, 4, 5, 6, 7, 19}, {"Остальныеx1"}},     // 47
        {"SUM3", {2, 4, 6, 8, 10, 12, 14, 16}, {"72-96x1"}},      // 72
        {"SUM3", {1, 4, 6, 8, 10, 12, 14, 16}, {"Остальныеx1"}},  // 71
        {"SUMP", {4, 6, 8, 9, 10, 12, 14, 15}, {"0x1"}},
        {"SUME", {1, 3, 5, 7, 9, 11, 13, 15}, {"0x1"}},
        {"S2T3", {1, 3, 5, 7, 9, 11, 13, 15}, {"0x1"}},  // odd + odd is even
        // 17 = 1 + 16, 18 = 2 + 16 = 1 + 17, 20 = 4 + 16 = 2 + 18; 8 = 4 + 4 is no pair.
        {"S2T3", {1, 2, 4, 8, 16, 17, 18, 20}, {"5x1"}},
    };
    for (const TCase& c : cases) {
        TStatsEnv one({MakeDraw(1, c.numbers)});
        auto stat = one.Create(c.code);
        EXPECT_EQ(LabelCounts(*stat, DrawValues(*stat, 0)), c.values) << c.code;
        if (stat->StatClass().HasNorm()) {
            EXPECT_EQ(LabelCounts(*stat, CombValues(*stat, MakeComb(c.numbers))), c.values)
                << c.code;
        }
    }
}

TEST(SumStats, PossibleValues) {
    TStatsEnv env(SumsArchive());
    struct TCase {
        const char* code;
        TStrings labels;
    };
    const TCase cases[] = {{"SUM2", {"Остальные", "69-99"}},
                           {"SUMT", {"=", "+", "-"}},
                           {"SUMC", {}},
                           {"SUMV", {}},
                           {"SUME", {}},
                           {"SUMP", {}},
                           {"S2T3", {}}};
    for (const TCase& c : cases) {
        auto stat = env.Create(c.code);
        TStatDrawArray values;
        stat->ListPossibleValues(5, values);
        EXPECT_EQ(Labels(*stat, values), c.labels) << c.code;
    }
    auto sums = env.Create("SUMS");
    TStatDrawArray values;
    sums->ListPossibleValues(5, values);
    ASSERT_EQ(values.size(), 97u);
    EXPECT_EQ(sums->ValueLabel(values[0]), "36");
    EXPECT_EQ(sums->ValueLabel(values[96]), "132");
}

// The flag-D methods over the archive: each draw judged against the last draw of the window.
TEST(SumStats, ChangesAgainstTheReferenceDraw) {
    TStatsEnv env(SumsArchive());
    struct TCase {
        const char* code;
        int offset;
        TStrings rows;
    };
    const TCase cases[] = {
        // The first draw follows eight zeros: no value for it.
        {"SUMC", 0, {"+01 : 36 + 1 = 37x1@102/-", "+02 : 36 + 2 = 38x1@105/-"}},
        {"SUMT", 0, {"=x0@-/-", "+x2@105/-", "-x0@-/-"}},
        {"SUMV", 0, {"+01x1@102/-", "+07x1@103/-", "- 08x1@104/-", "+02x1@105/-", "- 02x1@106/-"}},
        // Reference 105 (sum 38): no earlier draw had it.
        {"SUMC", 1, {}},
        {"SUMT", 1, {"=x0@-/-", "+x0@-/-", "-x0@-/-"}},
        // After 105 the sum fell by 2, a change the window has not seen.
        {"SUMV", 1, {"+01x1@102/-", "+07x1@103/-", "- 08x1@104/-", "+02x1@105/-"}},
        // Reference 104 (sum 36, as the first draw): after 101 came 37, and the draw after 104
        // went from 36 to 38.
        {"SUMC", 2, {"+01 : 36 + 1 = 37x1@102/-"}},
        {"SUMT", 2, {"=x0@-/-", "+x1@102/105", "-x0@-/-"}},
    };
    for (const TCase& c : cases)
        for (bool sorted : {false, true})
            EXPECT_EQ(TableRows(env, c.code, c.offset, sorted), c.rows)
                << c.code << " offset " << c.offset << " sorted " << sorted;
}

TEST(SumStats, FlagDMethodsAtTheFirstDraw) {
    TStatsEnv env(SumsArchive());
    for (const char* code : {"SUMC", "SUMV", "SUMT"}) {
        auto stat = env.Create(code);
        TStatDrawArray values;
        auto state = stat->NewScanState();
        // Judged against itself and against the last draw: eight zeros come before it.
        for (int ref : {0, 5}) stat->AddDrawValues(0, ref, false, values, *state);
        EXPECT_TRUE(values.empty()) << code;
        stat->LoadDraws(0, 5, false);
        EXPECT_EQ(stat->ReferenceDraw().Number, 106) << code;
    }
    auto change = env.Create("SUMC");
    auto trend = env.Create("SUMT");
    auto& changeGraph = dynamic_cast<TCustomGraphStat&>(*change);
    auto& trendGraph = dynamic_cast<TCustomGraphStat&>(*trend);
    // The graphs show every draw's change, the first one's from zero.
    const int32_t changes[] = {36, 1, 7, -8, 2, -2};
    const int32_t trends[] = {1, 1, 1, -1, 1, -1};
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(changeGraph.GraphValue(i, 5, false), changes[i]) << i;
        EXPECT_EQ(trendGraph.GraphValue(i, 5, true), trends[i]) << i;
    }
    // A combination placed at draw 2 changes from the sum of draw 1 (37).
    EXPECT_EQ(changeGraph.CombGraphValue(MakeComb({1, 2, 3, 4, 5, 6, 7, 8}), 2, 5, false), -1);
    EXPECT_EQ(trendGraph.CombGraphValue(MakeComb({1, 2, 3, 4, 5, 6, 7, 30}), 2, 5, false), 1);
}

TEST(SumStats, Labels) {
    TStatsEnv env;
    struct TCase {
        const char* code;
        TStatDraw record;
        const char* label;
    };
    const TCase cases[] = {
        {"SUMC", WRecord(80, 75), "- 05 : 80 - 5 = 75"},
        {"SUMC", WRecord(80, 85), "+05 : 80 + 5 = 85"},
        {"SUMC", WRecord(80, 80), "+00 : 80 + 0 = 80"},
        {"SUMC", WRecord(36, 132), "+96 : 36 + 96 = 132"},
        {"SUMV", W1Record(-7), "- 07"},
        {"SUMV", W1Record(7), "+07"},
        {"SUMV", W1Record(0), "+00"},
        {"SUMV", W1Record(-12), "- 12"},
        {"SUMT", W1Record(0), "="},
        {"SUMT", W1Record(1), "+"},
        {"SUMT", W1Record(-1), "-"},
        {"SUM1", KeyRecord(1), "65-103"},
        {"SUM2", KeyRecord(1), "69-99"},
        {"SUM3", KeyRecord(0), "Остальные"},
        {"SUMS", W1Record(100), "100"},
        {"SUMS", W1Record(70000), "70000"},
        {"S2T3", KeyRecord(3), "3"},
    };
    for (const TCase& c : cases) EXPECT_EQ(env.Create(c.code)->ValueLabel(c.record), c.label);
    // Typed values read a decimal integer; the others are not typed.
    EXPECT_EQ(env.Create("SUMS")->ParseValue("77"), 77);
    EXPECT_EQ(env.Create("SUME")->ParseValue("x"), 0);
    EXPECT_EQ(env.Create("S2T3")->ParseValue(" 4 "), 4);
    EXPECT_EQ(env.Create("SUMV")->ParseValue("5"), 0);
}

// How many combinations of the full list a filter keeps.
size_t Kept(TCustomStat& stat, const std::vector<TStatDraw>& selected, int refIndex,
            bool exclude = false) {
    TCombsArray kept;
    FilterCombList(stat, selected, refIndex, false, exclude, AllCombs(), kept);
    return kept.size();
}

size_t CombsWithSum(int sum) {
    size_t n = 0;
    for (const TComb& c : AllCombs()) n += NumbersSum(c) == sum;
    return n;
}

TEST(SumStats, FilterTheFullList) {
    TStatsEnv env(SumsArchive());
    auto sums = env.Create("SUMS");
    EXPECT_EQ(Kept(*sums, {W1Record(36)}, 5), 1u);
    EXPECT_EQ(Kept(*sums, {W1Record(38), W1Record(132)}, 5), 3u);
    // W2 must be 0 as well.
    EXPECT_EQ(Kept(*sums, {WRecord(36, 1)}, 5), 0u);

    // Reference 106 (sum 36): the combination stands for the draw after it.
    auto change = env.Create("SUMC");
    EXPECT_EQ(Kept(*change, {WRecord(36, 38)}, 5), 2u);  // only W2 counts
    EXPECT_EQ(Kept(*change, {WRecord(99, 38)}, 5), 2u);
    auto some = env.Create("SUMV");
    EXPECT_EQ(Kept(*some, {W1Record(2)}, 5), 2u);
    EXPECT_EQ(Kept(*some, {W1Record(-2)}, 5), 0u);
    // Reference 105 (sum 38): +2 is the sum 40.
    EXPECT_EQ(Kept(*some, {W1Record(2)}, 4), CombsWithSum(40));
    EXPECT_EQ(Kept(*some, {W1Record(-2)}, 4), 1u);
    auto trend = env.Create("SUMT");
    EXPECT_EQ(Kept(*trend, {W1Record(0)}, 5), 1u);
    EXPECT_EQ(Kept(*trend, {W1Record(1)}, 5), 125969u);
    EXPECT_EQ(Kept(*trend, {W1Record(-1)}, 4), 2u);  // 36, 37
    EXPECT_EQ(Kept(*trend, {W1Record(-1)}, 4, true), 125968u);
}

TEST(SumStats, RangesHoldTheirShare) {
    TStatsEnv env(SumsArchive());
    const double shares[] = {86.5, 76.2, 65.7};
    const std::pair<int, int> ranges[] = {{65, 103}, {69, 99}, {72, 96}};
    for (int k = 1; k <= 3; ++k) {
        auto stat = env.Create("SUM" + std::to_string(k));
        const size_t in = Kept(*stat, {KeyRecord(1)}, 5);
        EXPECT_NEAR(std::round(in * 1000.0 / AllCombs().size()) / 10, shares[k - 1], 1e-9) << k;
        size_t expected = 0;
        for (int s = ranges[k - 1].first; s <= ranges[k - 1].second; ++s)
            expected += CombsWithSum(s);
        EXPECT_EQ(in, expected) << k;
        // Both values keep the range; 0 alone the rest; nothing of the two keeps nothing.
        EXPECT_EQ(Kept(*stat, {KeyRecord(0), KeyRecord(1)}, 5), in) << k;
        EXPECT_EQ(Kept(*stat, {KeyRecord(0)}, 5), AllCombs().size() - in) << k;
        EXPECT_EQ(Kept(*stat, {KeyRecord(2)}, 5), 0u) << k;
        EXPECT_EQ(Kept(*stat, {KeyRecord(0)}, 5, true), in) << k;
    }
}

}  // namespace
}  // namespace zentrix
