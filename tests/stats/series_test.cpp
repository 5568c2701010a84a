#include "stats/families/series.h"

#include <gtest/gtest.h>

#include "core/demo_archive.h"
#include "core/enumerate.h"
#include "stats/families/periods.h"
#include "stats/filter.h"
#include "stats/stat_table.h"
#include "stats/stats_env.h"

namespace zentrix {
namespace {

using test::ExpectDescriptor;
using test::KeyRecord;
using test::Layout;
using test::MakeDraw;
using test::TDescriptor;
using test::TStatsEnv;

using TStrings = std::vector<std::string>;

// Draws numbered 1..9; 7 and 11..17 come out in draws 3, 4, 5 and 9, the numbers 1..6, 8 and 9
// in the others.
TDrawsArray SevenInThreeRuns() {
    TDrawsArray draws;
    for (int n = 1; n <= 9; ++n) {
        const bool seven = (n >= 3 && n <= 5) || n == 9;
        draws.push_back(seven ? MakeDraw(n, {7, 11, 12, 13, 14, 15, 16, 17})
                              : MakeDraw(n, {1, 2, 3, 4, 5, 6, 8, 9}));
    }
    return draws;
}

TStatTableParams Window(int refIndex, int length) {
    TStatTableParams p;
    p.RefIndex = refIndex;
    p.WindowLength = length;
    return p;
}

// "label@LastDraw/Depth" of every row in list order.
TStrings Rows(const TStatTable& t) {
    TStrings out;
    for (int r = 0; r < t.RowCount(); ++r)
        out.push_back(t.CellText(r, kColValue) + "@" + std::to_string(t.Record(r).LastDraw) + "/" +
                      std::to_string(t.Record(r).Depth));
    return out;
}

TEST(SeriesStats, RunsAndGapsOfTheValuesOfTheReferenceDraw) {
    TConfigSettings segments = Layout(4, 4, "11111111112222222222");
    segments.data.MatrixSegments[6] = 0;  // 7 alone in a segment 0
    struct TCase {
        const char* code;
        int refIndex;
        int length;
        TStrings rows;
    };
    const TCase cases[] = {
        // A run completed at draw 6 and one still going on at the end.
        {"GRPV",
         8,
         1000,
         {"7 x 3@5/5", "11 x 3@5/5", "12 x 3@5/5", "13 x 3@5/5", "14 x 3@5/5", "15 x 3@5/5",
          "16 x 3@5/5", "17 x 3@5/5", "7 x 1@9/1", "11 x 1@9/1", "12 x 1@9/1", "13 x 1@9/1",
          "14 x 1@9/1", "15 x 1@9/1", "16 x 1@9/1", "17 x 1@9/1"}},
        // A run that began before the window counts from its first draw.
        {"GRPV",
         3,
         2,
         {"7 x 2@4/1", "11 x 2@4/1", "12 x 2@4/1", "13 x 2@4/1", "14 x 2@4/1", "15 x 2@4/1",
          "16 x 2@4/1", "17 x 2@4/1"}},
        // Only completed gaps of the values of the reference draw: the gaps of 1..6, 8, 9 and
        // 18..20 still open at draw 9 are never recorded.
        {"GRPP",
         8,
         1000,
         {"7 x 2@2/8", "11 x 2@2/8", "12 x 2@2/8", "13 x 2@2/8", "14 x 2@2/8", "15 x 2@2/8",
          "16 x 2@2/8", "17 x 2@2/8", "7 x 3@8/2", "11 x 3@8/2", "12 x 3@8/2", "13 x 3@8/2",
          "14 x 3@8/2", "15 x 3@8/2", "16 x 3@8/2", "17 x 3@8/2"}},
        // Draw 8 holds 1..6, 8, 9: their gap of draws 3..5 closed at draw 6.
        {"GRPP",
         7,
         1000,
         {"1 x 3@5/4", "2 x 3@5/4", "3 x 3@5/4", "4 x 3@5/4", "5 x 3@5/4", "6 x 3@5/4", "8 x 3@5/4",
          "9 x 3@5/4"}},
        // Channels 2 and 3 are in every draw; channel 4 (13..16) and 5 (17..20) run like 7.
        {"GRCV",
         8,
         1000,
         {"04 x 3@5/5", "05 x 3@5/5", "02 x 9@9/1", "03 x 9@9/1", "04 x 1@9/1", "05 x 1@9/1"}},
        {"GRCP", 8, 1000, {"04 x 2@2/8", "05 x 2@2/8", "04 x 3@8/2", "05 x 3@8/2"}},
        // The segment 0 has its slot like any other, and comes first.
        {"GRSV", 8, 1000, {"0 x 3@5/5", "2 x 3@5/5", "0 x 1@9/1", "2 x 1@9/1"}},
        {"GRSP", 8, 1000, {"0 x 2@2/8", "2 x 2@2/8", "0 x 3@8/2", "2 x 3@8/2"}},
    };
    for (const TCase& c : cases) {
        TStatsEnv env(SevenInThreeRuns(), segments);
        const TStatTable t = TStatTable::Compute(env.Create(c.code), Window(c.refIndex, c.length));
        EXPECT_EQ(Rows(t), c.rows) << c.code << " " << c.refIndex;
    }
}

// "Факт" of a run or a period is what a search of its own finds: a scan that starts after the
// value's last draw, so a run going on at the reference draw counts its draws before it too.
TEST(SeriesStats, FactIsSearchedFromTheValuesLastDraw) {
    TStatsEnv seven(SevenInThreeRuns());
    // Reference draw 6: 1 ran through draws 1, 2 and 6..8. A scan of its own from draw 3 sees a
    // run of 1 at draw 6 and one of 3 at draw 9, never one of 2.
    const TStatTable t = TStatTable::Compute(seven.Create("GRPV"), Window(5, 1000));
    ASSERT_GT(t.RowCount(), 0);
    EXPECT_EQ(t.CellText(0, kColValue), "1 x 2");
    EXPECT_EQ(t.CellText(0, kColFact), "-");

    TStatsEnv env(MakeDemoDraws(400, 7, 45000), Layout(4, 4, "11111222223333344444"));
    for (const char* code : {"GRPV", "GRPP", "GRCV", "GRSP", "PRDV", "PRDC", "HCV3"}) {
        const TStatTable table = TStatTable::Compute(env.Create(code), Window(299, 150));
        auto stat = env.Create(code);
        int found = 0;
        for (int r = 0; r < table.RowCount(); ++r) {
            const TStatDraw& rec = table.Record(r);
            const int from = table.FirstIndex() + (table.WindowSize() - rec.Depth) + 1;
            const int expected = stat->FindNextOccurrence(rec, from, false, 299);
            EXPECT_EQ(table.Fact(r), expected) << code << " " << table.CellText(r, kColValue);
            found += expected >= 0;
        }
        if (std::string(code) != "HCV3") {
            EXPECT_GT(found, 0) << code;
        }
    }
}

TEST(PeriodStats, PeriodsCountDrawNumbers) {
    struct TCase {
        const char* code;
        TStrings rows;
    };
    const TCase cases[] = {
        // Draws 101..103 are missing from the archive.
        {"PRDV", {"7 x 4@104/1"}},
        // A channel held twice by one draw gives period 0 the second time and adds nothing.
        {"PRDC", {"02 x 4@104/1", "03 x 4@104/1"}},
        {"PRDG", {"1 x 4@104/1", "2 x 4@104/1"}},
    };
    for (const TCase& c : cases) {
        TStatsEnv env({MakeDraw(100, {1, 2, 3, 4, 5, 6, 7, 11}),
                       MakeDraw(104, {7, 9, 10, 12, 13, 14, 15, 16})},
                      Layout(4, 4, "11111111112222222222"));
        const TStatTable t = TStatTable::Compute(env.Create(c.code), Window(1, 1000));
        EXPECT_EQ(Rows(t), c.rows) << c.code;
    }
}

TEST(PeriodStats, PeriodRangeAcrossTheWindow) {
    TStatsEnv env({MakeDraw(10, {7, 1, 2, 3, 4, 5, 6, 8}),
                   MakeDraw(12, {7, 9, 10, 11, 12, 13, 14, 15}),
                   MakeDraw(14, {7, 9, 10, 11, 12, 13, 14, 15})});
    const TStatTable t = TStatTable::Compute(env.Create("PRDV"), Window(2, 1000));
    EXPECT_EQ(Rows(t), (TStrings{"7 x 2@14/1", "9 x 2@14/1", "10 x 2@14/1", "11 x 2@14/1",
                                 "12 x 2@14/1", "13 x 2@14/1", "14 x 2@14/1", "15 x 2@14/1"}));
    // 7 came back after 2 draws twice.
    EXPECT_EQ(t.CellText(0, kColCount), "2");
    EXPECT_EQ(t.CellText(0, kColPeriodMin), "2");
    EXPECT_EQ(t.CellText(0, kColPeriodMax), "2");
}

// The period filter looks back `period` draws from the draw after the reference draw: it keeps
// the numbers whose value was there, and removes those whose value was not.
TEST(PeriodStats, FilterReadsTheMode) {
    // 7 in draws 0 and 2 (numbers 1 and 3), not in 1; reference draw 3.
    TStatsEnv env({MakeDraw(1, {7, 1, 2, 3, 4, 5, 6, 8}), MakeDraw(2, {1, 2, 3, 4, 5, 6, 8, 9}),
                   MakeDraw(3, {7, 1, 2, 3, 4, 5, 6, 8}), MakeDraw(4, {1, 2, 3, 4, 5, 6, 8, 9})});
    constexpr size_t kAll = 125970, kWithSeven = 50388;  // C(19, 7)
    struct TCase {
        int period;  // 2: draw 2 holds 7; 3: draw 1 does not
        bool exclude;
        size_t kept;
    };
    const TCase cases[] = {
        {2, false, kWithSeven},
        {2, true, kAll},
        {3, false, 0},
        {3, true, kAll - kWithSeven},
        // Back past the first draw: no draw, so no 7.
        {9, false, 0},
    };
    auto stat = env.Create("PRDV");
    for (const TCase& c : cases) {
        TCombsArray kept;
        const std::vector<TStatDraw> selected = {KeyRecord(7, c.period)};
        FilterCombList(*stat, selected, 3, false, c.exclude, AllCombs(), kept);
        EXPECT_EQ(kept.size(), c.kept) << c.period << " " << c.exclude;
    }
}

TEST(SeriesStats, FilterComparesTheTrackedValueOnly) {
    TStatsEnv env(SevenInThreeRuns(), Layout(4, 4, "11111111112222222222"));
    struct TCase {
        const char* code;
        std::vector<TStatDraw> selected;
        size_t kept;
    };
    const TCase cases[] = {
        {"GRPV", {KeyRecord(7, 3)}, 50388},  // every combination with 7, whatever the length
        {"GRPP", {KeyRecord(7, 99)}, 50388},
        {"GRCV", {KeyRecord(2, 1)}, 125970 - 12870},  // a number of 5..8
        {"GRSP", {KeyRecord(2, 4)}, 125970 - 45},     // a number of 11..20: all but C(10, 8)
    };
    for (const TCase& c : cases) {
        auto stat = env.Create(c.code);
        TCombsArray kept;
        FilterCombList(*stat, c.selected, 8, false, false, AllCombs(), kept);
        EXPECT_EQ(kept.size(), c.kept) << c.code;
    }
}

TEST(SeriesStats, DescriptorsInRegistryOrder) {
    TStatsEnv env({}, Layout(4, 4));
    struct TCase {
        TDescriptor d;
        TStatGroup group;
    };
    const TCase cases[] = {
        {{"GRPV", "TstNumGroups", "Повторы чисел в нескольких тиражах подряд", "D"},
         TStatGroup::Series},
        {{"GRPP", "TstNumPauses", "Интервалы между повторениями чисел", "D"}, TStatGroup::Series},
        {{"GRCV", "TstChnGroups", "Повторы каналов в нескольких тиражах подряд", "D"},
         TStatGroup::Series},
        {{"GRCP", "TstChnPauses", "Интервалы между повторениями каналов", "D"}, TStatGroup::Series},
        {{"GRSV", "TstSgmGroups", "Повторы сегментов в нескольких тиражах подряд", "D"},
         TStatGroup::Series},
        {{"GRSP", "TstSgmPauses", "Интервалы между повторениями сегментов", "D"},
         TStatGroup::Series},
        {{"PRDV", "TstNumPeriods", "Периоды повторения чисел", "P"}, TStatGroup::Periods},
        {{"PRDC", "TstChnPeriods", "Периоды повторения каналов", "P"}, TStatGroup::Periods},
        {{"PRDG", "TstSgmPeriods", "Периоды повторения сегментов", "P"}, TStatGroup::Periods},
        {{"HCV1", "TstVarsel1", "Число Варсела 1 (только разность)", "SNG"}, TStatGroup::Varsel},
        {{"HCV2", "TstVarsel2", "Число Варсела 2 (разность + сложение, если {0,1})", "SNG"},
         TStatGroup::Varsel},
        {{"HCV3", "TstVarsel3", "Числа Варсела 3 (динамический, только фильтр)", "SD"},
         TStatGroup::Varsel},
    };
    // One entry each: the series and periods after the last segment count, the chains between
    // them and the characteristic numbers, which end right before the shredding methods.
    int entry = env.Entry("SGM1") + 1;
    for (const TCase& c : cases) {
        if (std::string(c.d.code) == "HCV1") {
            EXPECT_EQ(env.Entry("SDV2"), entry);
            entry = env.Entry("SHR1") - 3;
        }
        EXPECT_EQ(ExpectDescriptor(env, c.d, c.group), entry++) << c.d.code;
        EXPECT_FALSE(env.list.MethodAt(env.Entry(c.d.code)).Class->IsIndexed());
    }
    EXPECT_EQ(env.Entry("SHR1"), entry);
    // Only the first two characteristic numbers can be typed.
    EXPECT_EQ(env.Create("HCV1")->ParseValue(" 5 "), 5);
    EXPECT_EQ(env.Create("HCV2")->ParseValue("3"), 3);
    for (const char* code : {"HCV3", "GRPV", "GRCP", "PRDV"})
        EXPECT_EQ(env.Create(code)->ParseValue("3"), 0) << code;
    EXPECT_EQ(env.Create("HCV3")->ValueLabel(KeyRecord(9, 1, 0, 2)), "9 (1)");
    EXPECT_EQ(env.Create("GRPV")->ValueLabel(KeyRecord(7, 3)), "7 x 3");
    EXPECT_EQ(env.Create("GRCP")->ValueLabel(KeyRecord(2, 3)), "02 x 3");
    EXPECT_EQ(env.Create("PRDG")->ValueLabel(KeyRecord(2, 40000)), "2 x 40000");
}

}  // namespace
}  // namespace zentrix
