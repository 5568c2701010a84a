#include "stats/stat_table.h"

#include <gtest/gtest.h>

#include <numeric>
#include <random>

#include "core/demo_archive.h"
#include "stats/stats_env.h"
#include "support/temp_dir.h"

namespace zentrix {
namespace {

using test::MakeDraw;
using test::TFormatGuard;
using test::TStatsEnv;

using TStrings = std::vector<std::string>;

// Draws numbered 1..count holding 1..8, except that the listed draws hold 20 in place of 8.
TDrawsArray TwentyIn(int count, std::vector<int> withTwenty) {
    TDrawsArray draws;
    for (int n = 1; n <= count; ++n) {
        bool twenty = std::find(withTwenty.begin(), withTwenty.end(), n) != withTwenty.end();
        draws.push_back(MakeDraw(n, {1, 2, 3, 4, 5, 6, 7, twenty ? 20 : 8}));
    }
    return draws;
}

TStatTable Compute(const TStatsEnv& env, const std::string& code, int offset, int window,
                   std::shared_ptr<const TPrefetchData> prefetch = nullptr, TCDLParams cdl = {},
                   bool sorted = false) {
    TStatTableParams p;
    p.RefIndex = static_cast<int>(env.draws.size()) - 1 - offset;
    p.WindowLength = window;
    p.SortedDraws = sorted;
    p.Prefetch = std::move(prefetch);
    p.CDL = cdl;
    return TStatTable::Compute(env.Create(code), p);
}

TStrings RowTexts(const TStatTable& t, int row) {
    TStrings texts;
    for (int c = 0; c < kStatColumnCount; ++c) texts.push_back(t.CellText(row, c));
    return texts;
}

int RowOf(const TStatTable& t, const std::string& label) {
    for (int r = 0; r < t.RowCount(); ++r)
        if (t.CellText(r, kColValue) == label) return r;
    return -1;
}

std::shared_ptr<const TPrefetchData> Prefetch(std::vector<TPrefetchRecord> records) {
    auto data = std::make_shared<TPrefetchData>();
    data->Records = std::move(records);
    data->MinCount = INT32_MAX;
    for (const TPrefetchRecord& r : data->Records) {
        data->MinCount = std::min(data->MinCount, r.Count);
        data->MaxCount = std::max(data->MaxCount, r.Count);
    }
    return data;
}

TPrefetchRecord Rec(int k1, int k2, int count) {
    return {test::KeyRecord(k1, k2).Key, count};
}

TEST(StatTable, ColumnCaptions) {
    const TStrings expected = {"Значение",   "Количество",  "Кол-во в %", "Норма",
                               "Отклонение", "Откл-ие в %", "Глубина",    "Глубина в %",
                               "Вес",        "Посл. тираж", "Период min", "Период",
                               "Период max", "Ожд. ПРД",    "Ожд. СТФ",   "Ожд. КРН",
                               "Факт",       "+/- ПРД",     "+/- СТФ",    "+/- КРН"};
    EXPECT_EQ(TStrings(StatColumnCaptions().begin(), StatColumnCaptions().end()), expected);
}

TEST(StatTable, Window) {
    TStatsEnv env(TwentyIn(5, {}));
    TStatTable t = Compute(env, "NUMS", 0, 1000);
    EXPECT_EQ(t.FirstIndex(), 0);
    EXPECT_EQ(t.WindowSize(), 5);
    t = Compute(env, "NUMS", 2, 1000);
    EXPECT_EQ(t.WindowSize(), 3);
    EXPECT_EQ(t.Record(0).Count, 3);
    EXPECT_EQ(t.Record(0).Depth, 1);  // the reference draw itself
    EXPECT_EQ(t.Record(0).LastDraw, 3);
    t = Compute(env, "NUMS", 0, 2);
    EXPECT_EQ(t.FirstIndex(), 3);
    EXPECT_EQ(t.WindowSize(), 2);

    // Nothing to count: an empty archive, a reference draw outside it.
    TStatsEnv empty;
    EXPECT_EQ(Compute(empty, "NUMS", 0, 1000).RowCount(), 0);
    EXPECT_EQ(Compute(env, "NUMS", 5, 1000).RowCount(), 0);
    EXPECT_EQ(Compute(env, "NUMS", 0, 2147483647).WindowSize(), 5);
}

TEST(StatTable, OneDrawOfNumbers) {
    TFormatGuard comma(',');
    TStatsEnv env({MakeDraw(501, {1, 2, 3, 4, 5, 6, 7, 8})});
    TStatTable t = Compute(env, "NUMS", 0, 1000);
    ASSERT_EQ(t.RowCount(), 20);
    EXPECT_EQ(RowTexts(t, 0),
              (TStrings{"1", "1", "12,50000", "-", "-",    "-",   "1", "100,00", "0,00", "501",
                        "-", "-", "-",        "-", "1002", "753", "-", "-",      "-",    "-"}));
    const TStrings never = {"9", "0", "0,00000", "-", "-", "-", "-", "-", "-", "-",
                            "-", "-", "-",       "-", "-", "-", "-", "-", "-", "-"};
    EXPECT_EQ(RowTexts(t, 8), never);
    EXPECT_EQ(t.CellText(19, kColValue), "20");
    EXPECT_EQ(t.Totals().TotalCount, 8);
    EXPECT_FALSE(t.HasNorm());
}

TEST(StatTable, PeriodsExpectationsAndFact) {
    TFormatGuard comma(',');
    {
        TStatsEnv env(TwentyIn(20, {10, 14}));
        TStatTable t = Compute(env, "NUMS", 0, 20);
        const int row = RowOf(t, "20");
        EXPECT_EQ(
            RowTexts(t, row),
            (TStrings{"20", "2",       "1,25000", "-",  "-",  "-",  "7", "100,00", "0,00", "14",
                      "4",  "10,0000", "4",       "24", "21", "20", "-", "-",      "-",    "-"}));
        EXPECT_EQ(t.Fact(row), -1);
    }
    {
        // With offset 1 the next draw has 20: Fact 21.
        TStatsEnv env(TwentyIn(21, {10, 14, 21}));
        TStatTable t = Compute(env, "NUMS", 1, 20);
        const int row = RowOf(t, "20");
        EXPECT_EQ(t.Fact(row), 21);
        const TStrings texts = RowTexts(t, row);
        EXPECT_EQ(TStrings(texts.begin() + kColFact, texts.end()),
                  (TStrings{"21", "+3", "0", "-1"}));
        EXPECT_EQ(t.CellText(RowOf(t, "1"), kColFact), "21");
        EXPECT_EQ(t.CellText(RowOf(t, "8"), kColFact), "-");
        EXPECT_EQ(t.CellText(RowOf(t, "8"), kColDiffStf), "-");
        // A value seen once has no period columns but has the other expectations.
        TStatTable once = Compute(env, "NUMS", 1, 7);
        const int r = RowOf(once, "20");
        EXPECT_EQ(once.Record(r).Count, 1);
        const TStrings onceTexts = RowTexts(once, r);
        EXPECT_EQ(TStrings(onceTexts.begin() + kColPeriodMin, onceTexts.end()),
                  (TStrings{"-", "-", "-", "-", "28", "22", "21", "-", "+7", "+1"}));
    }
}

TEST(StatTable, FactForManyValuesInOnePass) {
    TStatsEnv env(MakeDemoDraws(400, 7, 45000));
    TStatTable t = Compute(env, "KNM2", 150, 100);
    auto stat = env.Create("KNM2");
    int found = 0;
    for (int r = 0; r < t.RowCount(); ++r) {
        const TStatDraw& rec = t.Record(r);
        // The draw after the value's last one in the window.
        const int from = t.FirstIndex() + (t.WindowSize() - rec.Depth) + 1;
        const int expected = stat->FindNextOccurrence(rec, from, false, 249);
        EXPECT_EQ(t.Fact(r), expected) << t.CellText(r, kColValue);
        found += expected >= 0;
    }
    EXPECT_GT(found, 100);
}

TEST(StatTable, NormScaling) {
    TFormatGuard comma(',');
    // KNP21 values (1,2) four times, (3,4) eight times, (5,6) six times.
    TDrawsArray draws;
    auto add = [&](int a, int b, int times) {
        for (int i = 0; i < times; ++i)
            draws.push_back(
                MakeDraw(static_cast<int>(draws.size()) + 1, {a, b, 11, 12, 13, 14, 15, 16}));
    };
    add(1, 2, 4);
    add(3, 4, 8);
    add(5, 6, 6);
    TStatsEnv env(std::move(draws));

    // A uniform full set scales to the middle of the window's counts: (8 + 4) / 2 / 1000.
    TStatTable t = Compute(env, "KNP21", 0, 1000,
                           Prefetch({Rec(1, 2, 1000), Rec(3, 4, 1000), Rec(5, 6, 1000)}));
    ASSERT_TRUE(t.HasNorm());
    EXPECT_DOUBLE_EQ(static_cast<double>(t.NormScale()), 0.006);
    for (int r = 0; r < t.RowCount(); ++r) EXPECT_EQ(t.CellText(r, kColNorm), "6");
    EXPECT_EQ(t.CellText(RowOf(t, "1:2"), kColDeviation), "-2");
    EXPECT_EQ(t.CellText(RowOf(t, "1:2"), kColDeviationPercent), "-33,33333");
    EXPECT_EQ(t.CellText(RowOf(t, "3:4"), kColDeviationPercent), "33,33333");

    // Otherwise to the top: 8 / 2000; a value the file lacks keeps Norm 0.
    t = Compute(env, "KNP21", 0, 1000, Prefetch({Rec(1, 2, 500), Rec(3, 4, 2000), Rec(7, 8, 100)}));
    EXPECT_EQ(t.CellText(RowOf(t, "1:2"), kColNorm), "2");
    EXPECT_EQ(t.CellText(RowOf(t, "3:4"), kColNorm), "8");
    EXPECT_EQ(t.CellText(RowOf(t, "5:6"), kColNorm), "0");
    EXPECT_EQ(t.CellText(RowOf(t, "5:6"), kColDeviation), "6");
    EXPECT_EQ(t.CellText(RowOf(t, "5:6"), kColDeviationPercent), "100,00000");
    EXPECT_EQ(t.CellText(RowOf(t, "1:2"), kColDeviationPercent), "100,00000");

    // Rounding of the norm: ties to even (0.5 -> 0, 2.5 -> 2), with the exact scale 8 / 1024.
    t = Compute(env, "KNP21", 0, 1000, Prefetch({Rec(1, 2, 64), Rec(3, 4, 1024), Rec(5, 6, 320)}));
    EXPECT_EQ(t.CellText(RowOf(t, "1:2"), kColNorm), "0");
    EXPECT_EQ(t.CellText(RowOf(t, "5:6"), kColNorm), "2");

    // A trailer without a positive MaxCount is no distribution.
    auto flat = std::make_shared<TPrefetchData>();
    t = Compute(env, "KNP21", 0, 1000, flat);
    EXPECT_FALSE(t.HasNorm());
    EXPECT_EQ(t.CellText(0, kColNorm), "-");

    // Norm 0 with Count 0 reads 0.
    TStatsEnv one({MakeDraw(1, {1, 2, 3, 4, 5, 6, 7, 8})});
    t = Compute(one, "NUMS", 0, 1000, Prefetch({Rec(1, 0, 10), Rec(2, 0, 20)}));
    EXPECT_EQ(t.CellText(RowOf(t, "19"), kColNorm), "0");
    EXPECT_EQ(t.CellText(RowOf(t, "19"), kColDeviationPercent), "0,00000");
}

TEST(StatTable, Weight) {
    TFormatGuard comma(',');
    TStatsEnv env(TwentyIn(20, {10, 14}));
    // The row of 20: Count 2 of 160, Depth 7, the deepest.
    struct TCase {
        TCDLParams cdl;
        bool withFile;
        const char* text;
    };
    const TCase cases[] = {
        {{1, 1, 0.5L, false, false}, false, "5,50"},
        {{2, 1, 0.1L, true, false}, false, "12,50"},
        // Norm 10 each ((20 + 0) / 2 / 1000 * 1000): Dev -8, -80 %.
        {{0, 1, 0, false, false}, true, "-8,00"},
        {{0, 1, 0, false, true}, true, "8,00"},
        {{1, 0.5L, 0, true, false}, true, "-38,75"},
        {{1, 0.5L, 0, true, true}, true, "41,25"},
        {{0, 0, 0, false, false}, true, "0,00"},
        // A weight that cannot be computed.
        {{1e4932L, 0, 0, false, false}, false, "-999,99"},
    };
    std::vector<TPrefetchRecord> uniform;
    for (int n = 1; n <= 20; ++n) uniform.push_back(Rec(n, 0, 1000));
    for (const TCase& c : cases) {
        TStatTable t = Compute(env, "NUMS", 0, 20, c.withFile ? Prefetch(uniform) : nullptr, c.cdl);
        EXPECT_EQ(t.CellText(RowOf(t, "20"), kColWeight), c.text);
    }
}

TEST(StatTable, StatRowTexts) {
    TFormatGuard comma(',');
    TStatsEnv env(TwentyIn(20, {10, 14}));
    TStatTable t = Compute(env, "NUMS", 0, 20);
    EXPECT_EQ(t.StatRowTexts(RowOf(t, "20")), (TStrings{"20", "2", "1,25000", "-", "-", "7",
                                                        "100,00", "0,00", "4", "10,0000", "4"}));
}

TEST(StatTable, SortRules) {
    TFormatGuard comma(',');
    EXPECT_LT(CompareCellTexts("9", "10"), 0);
    EXPECT_LT(CompareCellTexts("2,5", "10,25"), 0);
    EXPECT_GT(CompareCellTexts("+3", "-4"), 0);
    EXPECT_LT(CompareCellTexts("-", "5"), 0);
    EXPECT_GT(CompareCellTexts("-", "+5"), 0);
    EXPECT_LT(CompareCellTexts("-", "-5"), 0);
    EXPECT_LT(CompareCellTexts("10:2", "9:3"), 0);
    EXPECT_EQ(CompareCellTexts("ЧнЧн", "чНчН"), 0);
    // In the "+/-" columns "-" ranks after every number; elsewhere the texts decide.
    struct TDashCase {
        int column;
        const char* a;
        const char* b;
        int sign;
    };
    const TDashCase dashCases[] = {
        {kColDiffPrd, "-", "+5", 1},    {kColDiffStf, "-", "-5", 1},    {kColDiffKrn, "0", "-", -1},
        {kColDiffStf, "-", "-", 0},     {kColDiffStf, "-2", "+3", -1},  {kColFact, "-", "5", -1},
        {kColWeight, "-", "-1,50", -1}, {kColDeviation, "-", "-5", -1},
    };
    for (const TDashCase& c : dashCases) {
        const int r = CompareCellTexts(c.column, c.a, c.b);
        EXPECT_EQ((r > 0) - (r < 0), c.sign) << c.column << " " << c.a << " " << c.b;
    }
    EXPECT_TRUE(DashSortsLast(kColDiffPrd) && DashSortsLast(kColDiffKrn));
    EXPECT_FALSE(DashSortsLast(kColFact) || DashSortsLast(kColValue));

    // Texts that compared pairwise as texts and as numbers go round in a circle ("+3" < "-" <
    // "-2" < "+3"); with "-" ranked last every arrangement sorts the same way.
    std::vector<std::string> mixed = {"+3", "-", "-2", "0", "10", "-"};
    std::sort(mixed.begin(), mixed.end());
    do {
        std::vector<std::string> sorted = mixed;
        StableMergeSort(sorted, [](const std::string& a, const std::string& b) {
            return CompareCellTexts(kColDiffStf, a, b);
        });
        EXPECT_EQ(sorted, (TStrings{"-2", "0", "+3", "10", "-", "-"}));
    } while (std::next_permutation(mixed.begin(), mixed.end()));

    TStatsEnv env(TwentyIn(20, {10, 14}));
    TStatTable t = Compute(env, "NUMS", 0, 20);
    t.Sort(kInitialSortColumn, false);
    // Count ascending; equal counts by "Значение" as numbers.
    TStrings labels;
    for (int r = 0; r < t.RowCount(); ++r) labels.push_back(t.CellText(r, kColValue));
    EXPECT_EQ(labels, (TStrings{"9",  "10", "11", "12", "13", "14", "15", "16", "17", "18",
                                "19", "20", "8",  "1",  "2",  "3",  "4",  "5",  "6",  "7"}));
    t.SortByClick(kColCount);
    EXPECT_TRUE(t.SortDescending());
    EXPECT_EQ(t.CellText(0, kColValue), "7");
    EXPECT_EQ(t.CellText(19, kColValue), "9");
    t.SortByClick(kColValue);
    EXPECT_FALSE(t.SortDescending());
    EXPECT_EQ(t.CellText(0, kColValue), "1");
    t.ListOrder();
    EXPECT_EQ(t.SortColumn(), -1);
    EXPECT_EQ(t.CellText(7, kColValue), "8");
}

// Sorting from the numbers gives the order that sorting the shown texts gives.
TEST(StatTable, SortingEqualsSortingTheTexts) {
    struct TCase {
        const char* code;
        bool sorted;
        bool withFile;
        char decimal;
    };
    const TCase cases[] = {
        {"NUMS", false, true, ','}, {"DIGS", false, true, '.'},  {"EVEN", false, true, ','},
        {"EVNV", true, false, ','}, {"KNM2", false, false, ','}, {"KNS2", true, false, '.'},
        {"POS3", false, true, ','},
    };
    TStatsEnv env(MakeDemoDraws(600, 3, 45000));
    TCDLParams cdl{0.7L, -1.3L, 0.05L, true, false};
    for (const TCase& c : cases) {
        TFormatGuard separator(c.decimal);
        std::shared_ptr<const TPrefetchData> file;
        if (c.withFile) {
            auto stat = env.Create(c.code);
            file = std::make_shared<TPrefetchData>(ComputePrefetch(*stat));
        }
        TStatTable t = Compute(env, c.code, 40, 300, file, cdl, c.sorted);
        ASSERT_GE(t.RowCount(), 2);
        std::vector<TStrings> texts;
        for (int r = 0; r < t.RowCount(); ++r) texts.push_back(RowTexts(t, r));
        for (int column = 0; column < kStatColumnCount; ++column)
            for (bool descending : {false, true}) {
                std::vector<int> expected(texts.size());
                std::iota(expected.begin(), expected.end(), 0);
                StableMergeSort(expected, [&](int a, int b) {
                    int r = CompareCellTexts(column, texts[a][column], texts[b][column]);
                    if (r == 0 && column != kColValue)
                        r = CompareCellTexts(texts[a][kColValue], texts[b][kColValue]);
                    return descending ? -r : r;
                });
                t.Sort(column, descending);
                TStrings got, want;
                for (int r = 0; r < t.RowCount(); ++r) {
                    got.push_back(t.CellText(r, kColValue));
                    want.push_back(texts[expected[r]][kColValue]);
                }
                EXPECT_EQ(got, want) << c.code << " column " << column << " " << descending;
            }
        t.ListOrder();
    }
}

// The "+/-" columns of a real table mix "+n", "0", "-n" and "-": sorted, the numbers come in
// ascending order and every "-" after them; the order is the same whatever order the rows had.
TEST(StatTable, DifferenceColumnsSortInATotalOrder) {
    TFormatGuard comma(',');
    TStatsEnv env(MakeDemoDraws(600, 3, 45000));
    TStatTable t = Compute(env, "KNM2", 40, 300);
    for (int column : {kColDiffPrd, kColDiffStf, kColDiffKrn}) {
        TStrings cells, labels;
        for (int r = 0; r < t.RowCount(); ++r) cells.push_back(t.CellText(r, column));
        auto has = [&](auto test) { return std::any_of(cells.begin(), cells.end(), test); };
        ASSERT_TRUE(has([](const std::string& c) { return c == "-"; })) << column;
        ASSERT_TRUE(has([](const std::string& c) { return c.size() > 1 && c[0] == '-'; }));
        ASSERT_TRUE(has([](const std::string& c) { return c[0] == '+'; })) << column;

        std::vector<int> rows(cells.size());
        std::iota(rows.begin(), rows.end(), 0);
        auto compare = [&](const TStrings& texts, const TStrings& values, int a, int b) {
            int r = CompareCellTexts(column, texts[a], texts[b]);
            return r != 0 ? r : CompareCellTexts(values[a], values[b]);
        };
        for (bool descending : {false, true}) {
            t.Sort(column, descending);
            TStrings sorted, sortedLabels;
            for (int r = 0; r < t.RowCount(); ++r) {
                sorted.push_back(t.CellText(r, column));
                sortedLabels.push_back(t.CellText(r, kColValue));
            }
            // Every pair in order, not only neighbours: a total order.
            for (size_t i = 0; i < sorted.size(); ++i)
                for (size_t j = i + 1; j < sorted.size(); ++j) {
                    const int r =
                        compare(sorted, sortedLabels, static_cast<int>(i), static_cast<int>(j));
                    ASSERT_TRUE(descending ? r > 0 : r < 0)
                        << column << ": " << sorted[i] << " " << sorted[j];
                }
            EXPECT_EQ(sorted.back() == "-", !descending) << column;
            // The same order from shuffled rows.
            std::mt19937 random(static_cast<unsigned>(column));
            for (int round = 0; round < 5; ++round) {
                std::vector<int> shuffled = rows;
                std::shuffle(shuffled.begin(), shuffled.end(), random);
                labels.clear();
                TStrings texts;
                for (int r : shuffled) {
                    texts.push_back(sorted[r]);
                    labels.push_back(sortedLabels[r]);
                }
                std::vector<int> order(rows);
                StableMergeSort(order, [&](int a, int b) {
                    const int r = compare(texts, labels, a, b);
                    return descending ? -r : r;
                });
                TStrings again;
                for (int r : order) again.push_back(labels[r]);
                EXPECT_EQ(again, sortedLabels) << column << " round " << round;
            }
        }
    }
}

TEST(StatTable, Chart) {
    TStatsEnv env(TwentyIn(6, {2}));
    TStatTable t = Compute(env, "KNP27", 0, 1000);  // 7:8 five times, 7:20 once
    std::vector<TChartSeries> chart = t.Chart(true);
    ASSERT_EQ(chart.size(), 1u);
    const TChartSeries& actual = chart[0];
    EXPECT_EQ(actual.Title, "Фактические данные");
    EXPECT_EQ(actual.Color, (TColor{0, 128, 0}));
    EXPECT_EQ(actual.Width, 2);
    EXPECT_TRUE(actual.Markers);
    EXPECT_EQ(actual.MarkerSize, 2);
    EXPECT_EQ(actual.MarkerColor, (TColor{255, 0, 255}));
    ASSERT_EQ(actual.Points.size(), 2u);
    EXPECT_EQ(actual.Points[0].Label, "7:8");
    EXPECT_EQ(actual.Points[0].Y, 5);
    EXPECT_EQ(actual.Points[1].Label, "7:20");

    t = Compute(env, "KNP27", 0, 1000, Prefetch({Rec(7, 8, 100), Rec(7, 9, 50), Rec(7, 20, 25)}));
    chart = t.Chart(true);
    ASSERT_EQ(chart.size(), 2u);
    const TChartSeries& ideal = chart[1];
    EXPECT_EQ(ideal.Title, "Все возможные комбинации");
    EXPECT_EQ(ideal.Color, (TColor{255, 0, 0}));
    EXPECT_FALSE(ideal.Markers);
    ASSERT_EQ(ideal.Points.size(), 3u);
    EXPECT_EQ(ideal.Points[1].X, 2);
    EXPECT_EQ(ideal.Points[1].Label, "7:9");
    EXPECT_DOUBLE_EQ(static_cast<double>(ideal.Points[1].Y), 50 * 5 / 100.0);
    ASSERT_EQ(chart[0].Points.size(), 2u);
    EXPECT_EQ(chart[0].Points[1].X, 3);  // placed at the file record's position
    EXPECT_EQ(chart[0].Points[1].Y, 1);
    EXPECT_EQ(t.Chart(false).size(), 1u);

    TStatsEnv single(TwentyIn(3, {}));
    EXPECT_TRUE(Compute(single, "KNP27", 0, 1000).Chart(true).empty());
}

TEST(StatTable, Selection) {
    TStatsEnv env(TwentyIn(20, {10, 14}));
    TStatTable t = Compute(env, "NUMS", 0, 20);
    t.Sort(kColValue, true);
    EXPECT_EQ(t.SelectionText({0, 12}), "20; 8");
    const std::vector<TStatDraw> records = t.SelectedRecords({0, 12});
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[0].Key.K[0], 20);
    EXPECT_EQ(records[1].Count, 18);
}

}  // namespace
}  // namespace zentrix
