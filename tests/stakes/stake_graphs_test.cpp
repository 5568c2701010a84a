#include "stakes/stake_graphs.h"

#include <gtest/gtest.h>

#include "stakes/stakes_env.h"

namespace zentrix {
namespace {

TStakeRec Result(int draw, int matches, TCurrency profit, const std::string& comment = "c") {
    TStakeRec rec = test::Stake(draw, {1, 2, 3, 4, 5, 6, 7, 8}, comment);
    rec.Checked = true;
    rec.Matched.Count = matches;
    rec.Profit = profit;
    return rec;
}

TEST(StakeGraphs, ProfitPerDrawInOrderOfFirstAppearance) {
    const std::vector<TStakeRec> stakes = {Result(7, 3, 80000), SeparatorRecord(),
                                           Result(5, 0, -20000), Result(7, 0, -20000)};
    const auto points = ProfitByDrawsGraph(stakes);
    ASSERT_EQ(points.size(), 6u);
    EXPECT_EQ(points[0], (TGraphPoint{7, "Суммарный профит ставок по тиражу", 6, true, true,
                                      TColor{0, 128, 0}}));
    EXPECT_EQ(points[1].y, 2);  // (6 - 2) / 2 draws
    EXPECT_EQ(points[2].y, 6);
    EXPECT_EQ(points[3].x, 5);
    EXPECT_EQ(points[5],
              (TGraphPoint{5, "Накопленное значение", 4, true, true, TColor{255, 0, 0}}));
    try {
        ProfitByDrawsGraph({SeparatorRecord(), SeparatorRecord()});
        FAIL();
    } catch (const EZentrix& e) {
        EXPECT_STREQ(e.what(), kTooFewGraphDraws);
    }
}

TEST(StakeGraphs, RatingStakesOverTheLast100Draws) {
    std::vector<TStakeRec> stakes;
    for (int d = 1; d <= 102; ++d)
        stakes.push_back(Result(d, d % 9, d * 100, d % 2 ? "Odd" : "even"));
    stakes.push_back(Result(102, 4, 0, "other"));
    const auto points = RatingStakesGraph(stakes, {"odd"}, false);
    ASSERT_EQ(points.size(), 50u);  // odd draws of 3..102
    EXPECT_EQ(points[0].x, 3);
    EXPECT_EQ(points[0].series, "odd");
    EXPECT_EQ(points[0].y, 3);
    EXPECT_EQ(RatingStakesGraph(stakes, {"EVEN"}, true).back().y, 102 * 100 / 10000.0L);
    EXPECT_THROW(RatingStakesGraph({Result(5, 1, 0), Result(5, 2, 0)}, {"c"}, false), EZentrix);
}

TEST(StakeGraphs, MatchCountsAgainstRandomPlay) {
    TRatingRec a, b;
    a.Comment = "a";
    a.Stakes = 125970;
    a.Histogram[3] = 5;
    b.Stakes = 10;
    const auto points = MatchCountGraph({a, b}, {0, 1});
    ASSERT_EQ(points.size(), 27u);
    EXPECT_EQ(points[3].y, 44352);
    EXPECT_EQ(points[3].colour, (TColor{128, 128, 128}));
    EXPECT_EQ(points[9 + 3], (TGraphPoint{3, "a", 5, true, false, std::nullopt}));
}

TEST(StakeGraphs, PointsJoinTheSeriesOfTheirTitleInAnyCase) {
    const std::vector<TChartSeries> series =
        GraphSeries({{1, "Ряд", 5, true, true, TColor{1, 2, 3}},
                     {2, "Другой", 6, false, false, std::nullopt},
                     {3, "РЯД", 7, false, false, std::nullopt}});
    ASSERT_EQ(series.size(), 2u);
    EXPECT_EQ(series[0].Title, "Ряд");
    EXPECT_TRUE(series[0].Markers && series[0].Labels);
    EXPECT_EQ(series[0].MarkerSize, 3);
    EXPECT_EQ(series[0].Width, 2);
    EXPECT_EQ(series[0].Color, (TColor{1, 2, 3}));
    EXPECT_EQ(series[0].Points, (std::vector<TChartPoint>{{1, 5, "1"}, {3, 7, "3"}}));
    EXPECT_EQ(series[1].Points.size(), 1u);
    EXPECT_FALSE(series[1].Color);
    EXPECT_EQ(series[1].MarkerSize, 0);
}

}  // namespace
}  // namespace zentrix
