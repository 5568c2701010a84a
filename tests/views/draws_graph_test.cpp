#include "views/draws_graph.h"

#include <gtest/gtest.h>

#include "stats/custom_stat.h"
#include "stats/stats_env.h"
#include "support/make_draw.h"

namespace zentrix {
namespace {

using test::MakeDraw;

// Draws numbered from 1 whose first drawn number is each of `firsts`, oldest first.
TDrawsArray DrawsStartingWith(const std::vector<int>& firsts) {
    TDrawsArray draws;
    for (size_t i = 0; i < firsts.size(); ++i) {
        std::array<int, 8> numbers{firsts[i]};
        int next = 1;
        for (int p = 1; p < 8; ++p) {
            while (next == firsts[i]) ++next;
            numbers[p] = next++;
        }
        draws.push_back(MakeDraw(static_cast<int>(i) + 1, numbers));
    }
    return draws;
}

struct DrawsGraph : ::testing::Test {
    TDrawsGraph Build(const std::vector<int>& firsts, int refIndex, int length) {
        env = std::make_unique<test::TStatsEnv>(DrawsStartingWith(firsts));
        stat = env->Create("POS1");
        const auto* graph = dynamic_cast<const TCustomGraphStat*>(stat.get());
        EXPECT_NE(graph, nullptr);
        return BuildDrawsGraph(*graph, env->draws, refIndex, length, false, "Позиция 1");
    }
    std::unique_ptr<test::TStatsEnv> env;
    std::unique_ptr<TCustomStat> stat;
};

TEST_F(DrawsGraph, ValuesMeanAndModeLines) {
    // 3, 5, 5, 3: the mode is 3, met first among the tied keys; the mean 4.
    const TDrawsGraph g = Build({3, 5, 5, 3}, 3, 100);
    EXPECT_EQ(g.Values, (std::vector<int32_t>{3, 5, 5, 3}));
    EXPECT_EQ(g.Draws, (std::vector<int32_t>{1, 2, 3, 4}));
    EXPECT_EQ(g.Mode, 3);
    EXPECT_EQ(g.Mean, 4);
    ASSERT_EQ(g.Series.size(), 3u);
    const TChartSeries& values = g.Series[0];
    EXPECT_EQ(values.Title, "Позиция 1");
    EXPECT_EQ(values.Color, (TColor{0, 128, 0}));
    EXPECT_EQ(values.Width, 2);
    EXPECT_TRUE(values.Markers);
    EXPECT_EQ(values.MarkerSize, 2);
    EXPECT_EQ(values.MarkerColor, (TColor{255, 0, 255}));
    EXPECT_TRUE(values.Labels);
    EXPECT_EQ(values.Points[1], (TChartPoint{2, 5, "2"}));
    EXPECT_EQ(g.Series[1].Title, kMeanSeriesTitle);
    EXPECT_EQ(g.Series[1].Color, (TColor{0, 0, 255}));
    EXPECT_EQ(g.Series[2].Title, kModeSeriesTitle);
    EXPECT_EQ(g.Series[2].Color, (TColor{255, 0, 0}));
    for (int s = 1; s <= 2; ++s) {
        EXPECT_FALSE(g.Series[s].Markers);
        EXPECT_FALSE(g.Series[s].Labels);
        ASSERT_EQ(g.Series[s].Points.size(), 4u);
        EXPECT_EQ(g.Series[s].Points.front().X, 1);
        EXPECT_EQ(g.Series[s].Points.back().X, 4);
    }
    EXPECT_EQ(g.Series[1].Points[2].Y, 4);
    EXPECT_EQ(g.Series[2].Points[2].Y, 3);
}

TEST_F(DrawsGraph, ConstantValuesGiveThreeCoincidingLines) {
    const TDrawsGraph g = Build({5, 5, 5}, 2, 100);
    for (const TChartSeries& s : g.Series)
        for (const TChartPoint& p : s.Points) EXPECT_EQ(p.Y, 5) << s.Title;
}

TEST_F(DrawsGraph, WindowAndOffsetChooseTheDraws) {
    struct TCase {
        int refIndex, length;
        std::vector<int32_t> draws;
    };
    const TCase cases[] = {
        {4, 100, {1, 2, 3, 4, 5}},  // longer than the archive: from the first draw
        {4, 2, {4, 5}},
        {2, 2, {2, 3}},  // the reference draw two back
        {0, 3, {1}},
        {4, 1, {5}},
    };
    for (const TCase& c : cases) {
        const TDrawsGraph g = Build({1, 2, 3, 4, 5}, c.refIndex, c.length);
        EXPECT_EQ(g.Draws, c.draws) << c.refIndex << " " << c.length;
        EXPECT_EQ(g.Values, c.draws);  // draw i starts with i
    }
}

TEST_F(DrawsGraph, NoDrawsGiveNoSeries) {
    EXPECT_TRUE(Build({}, -1, 100).Series.empty());
    EXPECT_TRUE(Build({1, 2}, 2, 100).Series.empty());
}

TEST(DrawsGraphMode, FirstMetWinsATie) {
    struct TCase {
        std::vector<int32_t> values;
        int32_t mode;
    };
    const TCase cases[] = {
        {{}, 0},        {{7}, 7},          {{3, 5, 5, 3}, 3},
        {{1, 2, 2}, 2}, {{-4, 9, -4}, -4}, {{8, 1, 1, 8, 1}, 1},
    };
    for (const TCase& c : cases) EXPECT_EQ(ModeOf(c.values), c.mode);
}

TEST(DrawsGraphCache, BuildsWhenShownAndForcedOrChanged) {
    TDrawsGraphCache cache;
    const TDrawsGraphKeys keys{10, 0, 100, 3};
    EXPECT_FALSE(cache.NeedsBuild(true, false, keys));  // hidden: never, not even forced
    EXPECT_EQ(cache.Last(), TDrawsGraphKeys{});
    EXPECT_TRUE(cache.NeedsBuild(false, true, keys));
    EXPECT_FALSE(cache.NeedsBuild(false, true, keys));
    EXPECT_TRUE(cache.NeedsBuild(true, true, keys));
    const TDrawsGraphKeys changed[] = {
        {11, 0, 100, 3}, {10, 1, 100, 3}, {10, 0, 50, 3}, {10, 0, 100, 4}, {10, 0, 100, -1}};
    for (const TDrawsGraphKeys& k : changed) {
        EXPECT_TRUE(cache.NeedsBuild(false, true, k));
        EXPECT_FALSE(cache.NeedsBuild(false, true, k));
        EXPECT_EQ(cache.Last(), k);
    }
    // A change while hidden is built once shown.
    EXPECT_FALSE(cache.NeedsBuild(false, false, keys));
    EXPECT_TRUE(cache.NeedsBuild(false, true, keys));
}

}  // namespace
}  // namespace zentrix
