#include "app/stats_controller.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "app/session.h"
#include "core/config.h"
#include "core/demo_archive.h"
#include "stats/stat_table.h"
#include "support/fake_ui.h"
#include "support/temp_dir.h"
#include "util/files.h"
#include "views/draws_graph.h"

namespace zentrix {
namespace {

struct StatsTest : ::testing::Test {
    test::TTempDir dir;
    test::TFakeUi ui;
    TMainSession session{dir.Path(), ui};
    TArchiveController& archive = session.Archive();
    TCombsController& combs = session.Combs();
    TStatsController& stats = session.Stats();

    StatsTest() {
        session.LoadConfig();
        session.InitRegistry();
        combs.InitArrays();
        archive.Assign(MakeDemoDraws(40, 3, 45292));
        combs.GenerateCombs(false, 0, "");
        session.Views().Recompute(true);  // the grid views as the start builds them
        ui.Clear();
    }
    // The table row whose "Значение" reads label.
    int Row(const std::string& label) {
        for (int r = 0; r < stats.Table().RowCount(); ++r)
            if (stats.Table().CellText(r, kColValue) == label) return r;
        return -1;
    }
};

TEST_F(StatsTest, CacheKeysDecideANonForcedRecomputation) {
    ASSERT_EQ(stats.SelectedCaption(), "{ num } Числа тиража [ N ]");
    stats.CalcStatTable(false);
    ASSERT_TRUE(stats.HasTable());
    EXPECT_EQ(stats.Table().RowCount(), 20);
    EXPECT_EQ(stats.Table().WindowSize(), 40);
    EXPECT_EQ(ui.StatusTexts(), (std::vector<std::string>{kStatCalcStatus}));
    ui.Clear();
    stats.CalcStatTable(false);  // nothing changed
    EXPECT_TRUE(ui.StatusTexts().empty());

    // Editing a draw in place changes no key: the old table stays until forced.
    const std::string before = stats.Table().CellText(0, kColCount);
    TDraw edited = archive.Draws().back();
    edited.Numbers = {1, 2, 3, 4, 5, 6, 7, 8};
    archive.EditDraw(0, edited);
    // The graph tab, never built before, builds now; the table does not.
    EXPECT_TRUE(ui.StatusTexts() ==
                (std::vector<std::string>{"Сохранение файла тиражей...", kDrawsGraphStatus}));
    ui.Clear();
    stats.SetWindowLength(10);
    session.Core().RefreshViews(false);
    EXPECT_EQ(stats.Table().WindowSize(), 10);
    archive.SetDrawsOffset(2);
    EXPECT_EQ(stats.Table().WindowSize(), 10);
    EXPECT_EQ(stats.Table().FirstIndex(), 40 - 1 - 2 - 9);
}

TEST_F(StatsTest, RemovingSelectedValuesFiltersAndLogsAndUndoes) {
    stats.CalcStatTable(true);
    const int row = Row("5");
    ASSERT_GE(row, 0);
    ASSERT_TRUE(stats.CanStatFilter({row}));
    stats.StatFilterExclude({row});
    EXPECT_EQ(combs.Count(), 75582);  // C(19, 8): the combinations without 5
    for (const TComb& c : combs.Combs()) ASSERT_FALSE(InComb(5, c));
    ASSERT_EQ(combs.FilterLog().size(), 1u);
    EXPECT_EQ(combs.FilterLog()[0],
              (TFilterLogLine{"{ num } Числа тиража [ N ]", "5", 75582, TFilterMark::Exclusion}));
    EXPECT_EQ(ui.status, "");

    const int r1 = Row("1"), r2 = Row("2");
    stats.StatFilterInclude({r2, r1});
    EXPECT_EQ(combs.FilterLog().back().values, r1 < r2 ? "1; 2" : "2; 1");
    EXPECT_EQ(combs.FilterLog().back().mark, TFilterMark::Inclusion);
    combs.CombsUndo();
    EXPECT_EQ(combs.Count(), 75582);
    EXPECT_EQ(combs.FilterLog().size(), 1u);
}

TEST_F(StatsTest, AFilterWhoseCallerSavedNoUndoStillUndoes) {
    stats.CalcStatTable(true);
    ASSERT_FALSE(combs.CanUndo());
    stats.FilterCombs(nullptr, true, {Row("5")});
    EXPECT_EQ(combs.Count(), 75582);
    ASSERT_TRUE(combs.CanCombsUndo());
    combs.CombsUndo();
    EXPECT_EQ(combs.Count(), kCombCount);
}

TEST_F(StatsTest, NothingToFilterChangesNothing) {
    stats.CalcStatTable(true);
    combs.Working().clear();
    combs.SaveUndo(false);
    EXPECT_FALSE(stats.CanStatFilter({0}));
    stats.FilterCombs(nullptr, false, {0});
    EXPECT_TRUE(combs.FilterLog().empty());
    combs.GenerateCombs(false, 0, "");
    combs.SaveUndo(false);
    stats.FilterCombs(nullptr, false, {});  // no rows selected: the list stays
    EXPECT_EQ(combs.Count(), kCombCount);
    EXPECT_TRUE(combs.FilterLog().empty());
}

TEST_F(StatsTest, ComparisonBuildsTheFullSetFilesWithProgress) {
    stats.CalcStatTable(true);
    EXPECT_EQ(stats.Table().CellText(0, kColNorm), "-");
    stats.TogglePrefetchsEnabled();
    EXPECT_TRUE(stats.NormColumnsShown());
    EXPECT_TRUE(FileExists(dir.File("Prefetchs/Zentrix_8x20_NUMS.dfc")));
    EXPECT_TRUE(FileExists(dir.File("Prefetchs/Zentrix_8x20_POS8.dfc")));
    EXPECT_FALSE(FileExists(dir.File("Prefetchs/Zentrix_8x20_KNM2.dfc")));  // no flag N
    ASSERT_FALSE(ui.events.empty());
    EXPECT_NE(std::find(ui.events.begin(), ui.events.end(),
                        "progress:Создание файлов для полного набора комбинаций...:" +
                            std::to_string(stats.Registry().MethodCount())),
              ui.events.end());
    EXPECT_EQ(ui.events.back().rfind("status:", 0), 0u);
    EXPECT_NE(std::find(ui.events.begin(), ui.events.end(), "progress-close"), ui.events.end());
    // Every number occurs in 50388 combinations; scaled to the window it is uniform.
    EXPECT_NE(stats.Table().CellText(0, kColNorm), "-");
    EXPECT_TRUE(session.Core().Settings().Options().PrefetchsEnabled);
    EXPECT_NE(ReadFileBytes(dir.File("Zentrix_8x20.frm")).find("PrefetchsEnabled=1"),
              std::string::npos);
}

TEST_F(StatsTest, ADamagedFullSetFileIsReportedAndTheTableHasNoNorms) {
    stats.TogglePrefetchsEnabled();
    AtomicWriteFile(dir.File("Prefetchs/Zentrix_8x20_NUMS.dfc"), "garbage!");
    ui.Clear();
    stats.CalcStatTable(true);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text.rfind(
                  "Ошибка открытия файла данных для полного набора вариантов!\n\nИмя файла: ", 0),
              0u);
    EXPECT_EQ(stats.Table().CellText(0, kColNorm), "-");
}

TEST_F(StatsTest, ParametersRebuildKeepsTheSelectedMethod) {
    stats.SelectPosition(3);
    const std::string caption = stats.SelectedCaption();
    TConfigData data = session.Config().Data();
    data.MatrixCols = 5;
    session.Config().ApplyParams(data);
    EXPECT_EQ(stats.SelectedCaption(), caption);
    EXPECT_TRUE(FileExists(dir.File("Zentrix_8x20.flt")));
}

// The files the statistics wrote while the parameters were applied, by code.
std::vector<std::string> BuiltFiles(const test::TFakeUi& ui) {
    const std::string prefix = "Создание файла предварительной выборки Zentrix_8x20_";
    std::vector<std::string> codes;
    for (const std::string& s : ui.StatusTexts())
        if (s.rfind(prefix, 0) == 0)
            codes.push_back(s.substr(prefix.size(), s.find('.') - prefix.size()));
    return codes;
}

TEST_F(StatsTest, ALayoutChangeRebuildsTheFullSetFilesOfItsGroup) {
    struct TCase {
        void (*change)(TConfigData&);
        std::vector<std::string> rebuilt;  // in registry order
        const char* checked;               // a file that must now fit the layout
    };
    const TCase cases[] = {
        {[](TConfigData& d) { d.ChannelSize = 3; },
         {"CHAN", "CHNV", "CHNC", "CHN1", "CHN2", "CHN3", "CHN4", "CHN5", "CHN6", "CHN7"},
         "CHNV"},
        {[](TConfigData& d) { d.MatrixCols = 7; },
         {"COLS", "ROWS", "COLV", "ROWV", "COLN", "ROWN", "COLM", "ROWM", "COLA", "ROWA", "COLC",
          "ROWC", "COL1", "COL2", "COL3", "COL4", "COL5", "COL6", "COL7", "ROW1", "ROW2", "ROW3"},
         "ROWV"},
        {[](TConfigData& d) { d.MatrixSegments = ParseSegmentsText("12121212121212121212"); },
         {"SGMS", "SGMV", "SGMC", "SGM1", "SGM2"},
         "SGMV"},
    };
    stats.TogglePrefetchsEnabled();  // every file of the old layouts
    for (const TCase& c : cases) {
        TConfigData data = session.Config().Data();
        c.change(data);
        ui.Clear();
        session.Config().ApplyParams(data);
        EXPECT_EQ(BuiltFiles(ui), c.rebuilt) << c.checked;
        const int entry = stats.Registry().FindCode(c.checked);
        ASSERT_GE(entry, 0);
        EXPECT_EQ(ReadPrefetchFile(PrefetchFileName(dir.Path(), stats.Registry(), entry)),
                  ComputePrefetch(*stats.Registry().CreateStat(entry)))
            << c.checked;
    }
    // The entries follow the layout; the favourites list file keeps them.
    EXPECT_GE(stats.Registry().FindCode("CHN7"), 0);
    EXPECT_LT(stats.Registry().FindCode("ROW4"), 0);
}

TEST_F(StatsTest, ALayoutChangeWithoutTheComparisonDeletesTheFilesOfItsGroup) {
    stats.TogglePrefetchsEnabled();
    stats.TogglePrefetchsEnabled();  // off again, the files stay
    ASSERT_TRUE(FileExists(dir.File("Prefetchs/Zentrix_8x20_CHNV.dfc")));
    TConfigData data = session.Config().Data();
    data.ChannelSize = 5;
    ui.Clear();
    session.Config().ApplyParams(data);
    EXPECT_TRUE(BuiltFiles(ui).empty());
    EXPECT_FALSE(FileExists(dir.File("Prefetchs/Zentrix_8x20_CHNV.dfc")));
    EXPECT_FALSE(FileExists(dir.File("Prefetchs/Zentrix_8x20_CHN1.dfc")));
    EXPECT_TRUE(FileExists(dir.File("Prefetchs/Zentrix_8x20_COLV.dfc")));  // another group
    // The next comparison builds the file for four channels.
    stats.TogglePrefetchsEnabled();
    const int entry = stats.Registry().FindCode("CHNV");
    EXPECT_EQ(ReadPrefetchFile(dir.File("Prefetchs/Zentrix_8x20_CHNV.dfc")),
              ComputePrefetch(*stats.Registry().CreateStat(entry)));
    EXPECT_LT(stats.Registry().FindCode("CHN5"), 0);
}

TEST_F(StatsTest, AllFavouritesAsksFirst) {
    stats.Registry().ParseFavourites("NUMS,POS1");
    stats.FillMethodLists(false, false);
    ASSERT_EQ(stats.MethodLists().Stats.size(), 2u);
    ui.answers.push_back(TMsgResult::No);
    stats.AllFavourites();
    EXPECT_EQ(stats.MethodLists().Stats.size(), 2u);
    ui.answers.push_back(TMsgResult::Yes);
    stats.AllFavourites();
    EXPECT_EQ(static_cast<int>(stats.MethodLists().Stats.size()), stats.Registry().MethodCount());
    EXPECT_EQ(ui.messages.back().text,
              "Вы действительно хотите сбросить список избранных фильтров?");
}

TEST_F(StatsTest, FavouritesNamingNoMethodMeanAll) {
    WriteTextLines(dir.File("Zentrix_8x20.flt"), {"[FILTERS]", "Favorites=COL7,NOPE"});
    session.InitRegistry();
    EXPECT_EQ(static_cast<int>(stats.MethodLists().Stats.size()), stats.Registry().MethodCount());
    WriteTextLines(dir.File("Zentrix_8x20.flt"), {"[FILTERS]", "Favorites=POS2"});
    session.InitRegistry();
    ASSERT_EQ(stats.MethodLists().Stats.size(), 1u);
    EXPECT_EQ(stats.SelectedCaption(), "{ num } Число в 2 позиции тиража [ SNG ]");
}

TEST_F(StatsTest, InformationDialogListsTheGraphValues) {
    TDraw d;
    d.Number = 41;
    d.Numbers = {2, 1, 4, 3, 6, 5, 8, 7};
    d.Extra = 3;
    archive.AddDraw(d);
    auto props = archive.InfoProperties(0);
    auto find = [&](const std::string& name) {
        for (const TInfoProperty& p : props)
            if (p.name == name) return p.value;
        return std::string("?");
    };
    EXPECT_EQ(find("Количество четных чисел в тираже (Ч:Н)"), "4");
    EXPECT_EQ(find("Число в 1 позиции тиража"), "2");
    EXPECT_EQ(find("Extra (Bonus, Star...) - число (!без фильтра!)"), "3");
    EXPECT_EQ(find("Числа тиража"), "?");  // not a graph method
}

}  // namespace
}  // namespace zentrix
