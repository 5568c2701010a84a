#include "views/sum_distribution.h"

#include <gtest/gtest.h>

#include <numeric>

#include "support/make_draw.h"

namespace zentrix {
namespace {

using test::MakeDraw;

TEST(SumDistribution, CombinationsGiveTheKnownBands) {
    const TSumDistribution d = SumDistribution({}, -1);
    ASSERT_EQ(d.Combs.size(), 97u);
    EXPECT_EQ(d.Combs.front(), (TKeyCount{36, 1}));
    EXPECT_EQ(d.Combs.back(), (TKeyCount{132, 1}));
    EXPECT_EQ(std::accumulate(d.Combs.begin(), d.Combs.end(), 0,
                              [](int sum, const TKeyCount& kc) { return sum + kc.Count; }),
              125970);
    EXPECT_EQ(d.Combs[84 - 36], (TKeyCount{84, 3788}));
    EXPECT_EQ(d.MaxCombs, 3788);
    EXPECT_EQ(d.MinCombs, 1);
    EXPECT_EQ(d.MaxDraws, 0);
    EXPECT_TRUE(d.Draws.empty());
    const int expected[3][3] = {{1263, 65, 103}, {1895, 69, 99}, {2526, 72, 96}};
    for (int b = 0; b < 3; ++b) {
        EXPECT_EQ(d.Bands[b].Level, expected[b][0]);
        EXPECT_EQ(d.Bands[b].Low, expected[b][1]);
        EXPECT_EQ(d.Bands[b].High, expected[b][2]);
    }
}

TEST(SumDistribution, DrawsUpToTheLastIndex) {
    const TDrawsArray draws{
        MakeDraw(1, {1, 2, 3, 4, 5, 6, 7, 8}),          // 36
        MakeDraw(2, {20, 2, 3, 4, 5, 6, 7, 8}),         // 55
        MakeDraw(3, {1, 2, 3, 4, 5, 6, 7, 8}),          // 36
        MakeDraw(4, {13, 14, 15, 16, 17, 18, 19, 20}),  // 132
    };
    struct TCase {
        int lastIndex;
        TStatSimpleArray tally;
        int max;
    };
    const TCase cases[] = {
        {3, {{36, 2}, {55, 1}, {132, 1}}, 2},
        {1, {{36, 1}, {55, 1}}, 1},
        {-1, {}, 0},
        {10, {{36, 2}, {55, 1}, {132, 1}}, 2},
    };
    for (const TCase& c : cases) {
        const TSumDistribution d = SumDistribution(draws, c.lastIndex);
        EXPECT_EQ(d.Draws, c.tally) << c.lastIndex;
        EXPECT_EQ(d.MaxDraws, c.max);
    }
    TDrawsArray damaged = draws;
    damaged[0].Numbers = {1, 1, 1, 1, 1, 1, 1, 1};
    EXPECT_EQ(SumDistribution(damaged, 3).Draws, (TStatSimpleArray{{36, 1}, {55, 1}, {132, 1}}));
}

TEST(SumDistribution, RowsPerSumWithTheInnermostBand) {
    const TDrawsArray draws{MakeDraw(1, {1, 2, 3, 4, 5, 6, 7, 8}),
                            MakeDraw(2, {13, 14, 15, 16, 17, 18, 19, 20})};
    const std::vector<TSumRow> rows = SumRows(SumDistribution(draws, 1));
    ASSERT_EQ(rows.size(), 97u);
    auto row = [&](int sum) { return rows[sum - kMinCombSum]; };
    EXPECT_EQ(row(36).Combs, 1);
    EXPECT_EQ(row(36).Draws, 1);
    EXPECT_EQ(row(36).Band, 0);
    EXPECT_EQ(row(64).Band, 0);
    EXPECT_EQ(row(65).Band, 1);
    EXPECT_EQ(row(68).Band, 1);
    EXPECT_EQ(row(69).Band, 2);
    EXPECT_EQ(row(72).Band, 3);
    EXPECT_EQ(row(84).Band, 3);
    EXPECT_EQ(row(84).Combs, 3788);
    EXPECT_EQ(row(96).Band, 3);
    EXPECT_EQ(row(97).Band, 2);
    EXPECT_EQ(row(100).Band, 1);
    EXPECT_EQ(row(103).Band, 1);
    EXPECT_EQ(row(104).Band, 0);
    EXPECT_EQ(row(132).Sum, 132);
    EXPECT_EQ(row(132).Draws, 1);
    EXPECT_EQ(row(84).Draws, 0);
}

TEST(SumDistribution, GraphScalesTheTheoryToTheHighestBar) {
    const TDrawsArray draws{MakeDraw(1, {1, 2, 3, 4, 5, 6, 7, 8}),
                            MakeDraw(2, {2, 1, 3, 4, 5, 6, 7, 8}),
                            MakeDraw(3, {9, 10, 11, 12, 13, 14, 15, 16})};
    const std::vector<TChartSeries> series =
        GraphSeries(SumDistributionGraph(SumDistribution(draws, 2)));
    ASSERT_EQ(series.size(), 5u);
    EXPECT_EQ(series[0].Title, "Фактическое распределение сумм (по тиражам)");
    EXPECT_EQ(series[0].Color, (TColor{255, 0, 0}));
    EXPECT_TRUE(series[0].Markers && series[0].Labels);
    EXPECT_EQ(series[0].Points, (std::vector<TChartPoint>{{36, 2, "36"}, {100, 1, "100"}}));
    const TChartSeries& theory = series[1];
    EXPECT_EQ(theory.Title, "Теоретическое распределение сумм (по комбинациям)");
    EXPECT_EQ(theory.Color, (TColor{128, 0, 0}));
    EXPECT_FALSE(theory.Markers || theory.Labels);
    ASSERT_EQ(theory.Points.size(), 97u);
    const auto peak =
        std::max_element(theory.Points.begin(), theory.Points.end(),
                         [](const TChartPoint& a, const TChartPoint& b) { return a.Y < b.Y; });
    EXPECT_EQ(peak->X, 84);
    EXPECT_DOUBLE_EQ(static_cast<double>(peak->Y), 2.0);
    const char* titles[] = {"Диапазон 1 (от 1/3 и выше по оси Y) - суммы 65-103",
                            "Диапазон 2 (от 1/2 и выше по оси Y) - суммы 69-99",
                            "Диапазон 3 (от 2/3 и выше по оси Y) - суммы 72-96"};
    const TColor colours[] = {{0, 128, 0}, {0, 0, 255}, {255, 0, 255}};
    const int levels[] = {1263, 1895, 2526};
    for (int b = 0; b < 3; ++b) {
        const TChartSeries& band = series[2 + b];
        EXPECT_EQ(band.Title, titles[b]);
        EXPECT_EQ(band.Color, colours[b]);
        ASSERT_EQ(band.Points.size(), 97u);
        EXPECT_DOUBLE_EQ(static_cast<double>(band.Points[10].Y), levels[b] * 2.0 / 3788);
    }
}

}  // namespace
}  // namespace zentrix
