#include "views/repeats.h"

#include <gtest/gtest.h>

#include "support/make_draw.h"

namespace zentrix {
namespace {

using test::MakeDraw;

// Draw 1 and draw 2 each share 1 and 2 with draw 3; draw 2 shares 3 numbers with draw 1.
TDrawsArray SmallArchive() {
    return {
        MakeDraw(1, {1, 2, 3, 4, 5, 6, 7, 8}),
        MakeDraw(2, {1, 2, 3, 9, 10, 11, 12, 13}),
        MakeDraw(3, {2, 1, 14, 15, 16, 17, 18, 19}),
    };
}

TEST(Repeats, NewestFirstOneRowPerSharedCount) {
    const std::vector<TRepeatsRow> rows = AnalyzeRepeats(SmallArchive(), 100, 100);
    const std::vector<TRepeatsRow> expected{
        {3, 2, 2, "2 1"},  // both earlier draws share two numbers, the newer listed first
        {2, 3, 1, "1"},
    };
    EXPECT_EQ(rows, expected);
    EXPECT_EQ(RepeatsRowTexts(rows[0]), (std::vector<std::string>{"3", "2", "2", "2 1"}));
}

TEST(Repeats, CountsInTheOrderFirstMetGoingBack) {
    const TDrawsArray draws{
        MakeDraw(10, {1, 2, 3, 4, 5, 6, 7, 8}),
        MakeDraw(11, {1, 9, 10, 11, 12, 13, 14, 15}),
        MakeDraw(12, {1, 2, 3, 4, 16, 17, 18, 19}),
        MakeDraw(13, {1, 2, 3, 4, 20, 9, 10, 11}),
    };
    const std::vector<TRepeatsRow> rows = AnalyzeRepeats(draws, 1, 100);
    // 13 against 12 (4 shared), 11 (4: 1, 9, 10, 11), 10 (4).
    EXPECT_EQ(rows, (std::vector<TRepeatsRow>{{13, 4, 3, "12 11 10"}}));
    const std::vector<TRepeatsRow> two = AnalyzeRepeats(draws, 2, 100);
    ASSERT_EQ(two.size(), 3u);
    EXPECT_EQ(two[1], (TRepeatsRow{12, 1, 1, "11"}));  // met first, going back from 12
    EXPECT_EQ(two[2], (TRepeatsRow{12, 4, 1, "10"}));
}

TEST(Repeats, DepthAndLengthBoundTheComparisons) {
    struct TCase {
        int length, depth;
        std::vector<TRepeatsRow> rows;
    };
    const TCase cases[] = {
        {100, 1, {{3, 2, 1, "2"}, {2, 3, 1, "1"}}},  // each only with the one before
        {1, 100, {{3, 2, 2, "2 1"}}},
        {1, 1, {{3, 2, 1, "2"}}},
        {2, 100, {{3, 2, 2, "2 1"}, {2, 3, 1, "1"}}},
    };
    for (const TCase& c : cases)
        EXPECT_EQ(AnalyzeRepeats(SmallArchive(), c.length, c.depth), c.rows)
            << c.length << " " << c.depth;
}

TEST(Repeats, StepsOncePerDrawAndSkipsDamagedRecords) {
    TDrawsArray draws = SmallArchive();
    draws[1].Numbers = {1, 1, 1, 1, 1, 1, 1, 1};  // no draw of the game
    int steps = 0;
    const std::vector<TRepeatsRow> rows = AnalyzeRepeats(draws, 100, 100, [&steps] { ++steps; });
    EXPECT_EQ(steps, 3);
    EXPECT_EQ(rows, (std::vector<TRepeatsRow>{{3, 2, 1, "1"}}));
    EXPECT_EQ(RepeatsDrawCount(draws, 100), 3);
    EXPECT_EQ(RepeatsDrawCount(draws, 2), 2);
}

TEST(Repeats, EmptyArchive) {
    EXPECT_TRUE(AnalyzeRepeats({}, 100, 100).empty());
    std::mt19937 random(1);
    EXPECT_TRUE(RepeatsChart({}, random).empty());
}

TEST(Repeats, ChartHasASeriesPerSharedCount) {
    const std::vector<TRepeatsRow> rows = AnalyzeRepeats(SmallArchive(), 100, 100);
    std::mt19937 random(7);
    int steps = 0;
    const std::vector<TChartSeries> chart = RepeatsChart(rows, random, [&steps] { ++steps; });
    EXPECT_EQ(steps, 2);
    ASSERT_EQ(chart.size(), 3u);
    EXPECT_EQ(chart[0].Title, "Совпадений: 1");
    EXPECT_EQ(chart[2].Title, "Совпадений: 3");
    EXPECT_TRUE(chart[0].Points.empty());
    EXPECT_EQ(chart[1].Points, (std::vector<TChartPoint>{{3, 2, "3"}}));
    EXPECT_EQ(chart[2].Points, (std::vector<TChartPoint>{{2, 1, "2"}}));
    for (const TChartSeries& s : chart) {
        EXPECT_TRUE(s.Markers && s.Active && !s.Labels);
        EXPECT_EQ(s.MarkerSize, 2);
        ASSERT_TRUE(s.Color && s.MarkerColor);
    }
    // The same seed, the same colours.
    std::mt19937 again(7);
    EXPECT_EQ(RepeatsChart(rows, again)[1].Color, chart[1].Color);
}

}  // namespace
}  // namespace zentrix
