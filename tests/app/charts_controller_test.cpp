#include "app/charts_controller.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "app/session.h"
#include "core/demo_archive.h"
#include "support/fake_ui.h"
#include "support/temp_dir.h"
#include "util/errors.h"
#include "util/files.h"
#include "util/ini.h"

namespace zentrix {
namespace {

struct ChartsTest : ::testing::Test {
    test::TTempDir dir;
    test::TFakeUi ui;
    TMainSession session{dir.Path(), ui};
    TArchiveController& archive = session.Archive();
    TStatsController& stats = session.Stats();
    TChartsController& charts = session.Charts();

    ChartsTest() {
        session.LoadConfig();
        session.InitRegistry();
        session.Combs().InitArrays();
        archive.Assign(MakeDemoDraws(40, 3, 45292));
        ui.Clear();
    }
    // The graph list's position of a method code.
    int GraphPosition(const std::string& code) {
        const auto& graphs = stats.MethodLists().Graphs;
        for (size_t i = 0; i < graphs.size(); ++i)
            if (stats.Catalog().EntryCode(graphs[i].Entry) == code) return static_cast<int>(i);
        return -1;
    }
    int Builds() const {
        const auto& s = ui.StatusTexts();
        return static_cast<int>(std::count(s.begin(), s.end(), std::string(kDrawsGraphStatus)));
    }
};

TEST_F(ChartsTest, GraphRebuildsOnlyWhenShownAndChangedOrForced) {
    ASSERT_GE(charts.GraphEntry(), 0);  // the graph list's first method is chosen
    EXPECT_EQ(charts.GraphLength(), 100);
    session.Core().RefreshViews(false);
    EXPECT_EQ(Builds(), 1);
    ASSERT_EQ(charts.Graph().size(), 3u);
    EXPECT_EQ(charts.Graph()[0].Points.size(), 40u);
    session.Core().RefreshViews(false);  // nothing changed
    EXPECT_EQ(Builds(), 1);
    session.Core().RefreshViews(true);
    EXPECT_EQ(Builds(), 2);

    charts.SetGraphLength(10);
    session.Core().RefreshViews(false);
    EXPECT_EQ(Builds(), 3);
    EXPECT_EQ(charts.Graph()[0].Points.size(), 10u);
    archive.SetDrawsOffset(5);  // refreshes the views itself
    EXPECT_EQ(Builds(), 4);
    EXPECT_EQ(charts.Graph()[0].Points.back().X, archive.Draws()[34].Number);
    TDraw next = archive.Draws().back();
    ++next.Number;
    archive.AddDraw(next);
    EXPECT_EQ(Builds(), 5);

    // Another type rebuilds without force; Enter with a value out of bounds does nothing.
    const int sums = GraphPosition("SUMS");
    ASSERT_GE(sums, 0);
    charts.SelectGraphPosition(sums);
    EXPECT_EQ(Builds(), 6);
    EXPECT_EQ(charts.Graph()[0].Title, stats.MethodLists().Graphs[sums].Caption);
    charts.GraphLengthEntered(0);
    charts.GraphLengthEntered(10);
    EXPECT_EQ(Builds(), 6);
    charts.GraphLengthEntered(20);
    EXPECT_EQ(Builds(), 7);
    EXPECT_EQ(ui.status, "");
    EXPECT_TRUE(session.Core().NotBusy());
}

TEST_F(ChartsTest, HiddenTabNeverBuildsAndShowingItForcesABuild) {
    session.Core().RefreshViews(false);
    ASSERT_EQ(Builds(), 1);
    charts.TabGraps();  // hidden, stored at once
    EXPECT_FALSE(charts.TabShown());
    TIniFile stored(session.Core().Settings().Ini().Path());
    EXPECT_FALSE(stored.ReadBool("TFormMain", "TabGraphs", true));
    charts.SetGraphLength(5);
    session.Core().RefreshViews(true);
    charts.DrawsGraphDraw();
    EXPECT_EQ(Builds(), 1);
    charts.TabGraps();
    EXPECT_TRUE(charts.TabShown());
    EXPECT_EQ(Builds(), 2);
    EXPECT_EQ(charts.Graph()[0].Points.size(), 5u);
    EXPECT_TRUE(TIniFile(stored.Path()).ReadBool("TFormMain", "TabGraphs", false));
}

TEST_F(ChartsTest, NoSelectionOrNoDrawsClearTheChart) {
    session.Core().RefreshViews(false);
    ASSERT_FALSE(charts.Graph().empty());
    const int version = charts.GraphVersion();
    charts.SelectGraphPosition(-1);
    EXPECT_FALSE(charts.CanDrawsGraphDraw());
    session.Core().RefreshViews(false);
    EXPECT_TRUE(charts.Graph().empty());
    EXPECT_GT(charts.GraphVersion(), version);
    charts.BuildDrawsGraph(true);  // no selection raises nothing
    EXPECT_TRUE(charts.Graph().empty());

    charts.SelectGraphPosition(0);
    archive.Assign({});
    EXPECT_FALSE(charts.CanDrawsGraphDraw());
    charts.BuildDrawsGraph(false);
    EXPECT_TRUE(charts.Graph().empty());
    EXPECT_TRUE(ui.MessageTexts().empty());
}

TEST_F(ChartsTest, RepeatsShowTwoProgressWindows) {
    charts.SeedColors(1);
    const TRepeatsResult r = charts.AnalyzeRepeats(5, 3);
    ASSERT_FALSE(r.Rows.empty());
    EXPECT_EQ(r.Rows.front().Draw, archive.Draws().back().Number);
    int largest = 0;
    for (const TRepeatsRow& row : r.Rows) largest = std::max(largest, row.Matches);
    EXPECT_EQ(static_cast<int>(r.Chart.size()), largest);
    EXPECT_EQ(ui.events.front(), "progress:Идет сбор статистики....:5");
    const std::string chart = "progress:Создание графиков...:" + std::to_string(r.Rows.size());
    EXPECT_EQ(std::count(ui.events.begin(), ui.events.end(), chart), 1);
    EXPECT_EQ(std::count(ui.events.begin(), ui.events.end(), "progress-close"), 2);
    EXPECT_EQ(ui.events.back(), "progress-close");
    EXPECT_TRUE(session.Core().NotBusy());
    EXPECT_FALSE(session.Core().ProgressShown());
}

TEST_F(ChartsTest, RepeatsFailureLeavesTheBusyState) {
    session.Core().ShowProgress("другой", 3);
    EXPECT_THROW(charts.AnalyzeRepeats(5, 3), EZentrix);
    EXPECT_TRUE(session.Core().NotBusy());
    EXPECT_FALSE(ui.busyCursor);
    EXPECT_TRUE(session.Core().ProgressShown());  // the other's window stays
}

TEST_F(ChartsTest, RepeatsNeedDraws) {
    EXPECT_TRUE(charts.CanAnalyzeRepeats());
    archive.Assign({});
    EXPECT_FALSE(charts.CanAnalyzeRepeats());
    EXPECT_TRUE(charts.CanTotalSumCombs());
    const TSumDistribution d = charts.TotalSumCombs();
    EXPECT_EQ(d.MaxCombs, 3788);
    EXPECT_EQ(d.MaxDraws, 0);
}

TEST_F(ChartsTest, SumsCountTheWholeArchive) {
    archive.SetDrawsOffset(10);
    ui.Clear();
    const TSumDistribution d = charts.TotalSumCombs();
    int drawn = 0;
    for (const TKeyCount& kc : d.Draws) drawn += kc.Count;
    EXPECT_EQ(drawn, 40);
    EXPECT_EQ(ui.StatusTexts(), (std::vector<std::string>{kSumDistributionStatus}));
    EXPECT_EQ(ui.status, "");
}

TEST(RepeatsSettings, ReadAndWrittenInTheirSection) {
    TIniFile ini = TIniFile::FromText("[TFormRepeats]\r\nDrawsLength=0\r\nDrawsDeep=7\r\n");
    TRepeatsSettings s;
    s.Read(ini);
    EXPECT_EQ(s.DrawsLength, 1);  // raised to the least
    EXPECT_EQ(s.DrawsDeep, 7);
    EXPECT_EQ(s.GraphHeight, -1);
    s.GraphHeight = 250;
    s.Write(ini);
    TRepeatsSettings back;
    back.Read(ini);
    EXPECT_EQ(back.GraphHeight, 250);
    TRepeatsSettings defaults;
    defaults.Read(TIniFile::FromText(""));
    EXPECT_EQ(defaults.DrawsLength, 100);
    EXPECT_EQ(defaults.DrawsDeep, 100);
}

}  // namespace
}  // namespace zentrix
