#include "app/views_controller.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "app/session.h"
#include "core/demo_archive.h"
#include "support/fake_ui.h"
#include "support/make_draw.h"
#include "support/temp_dir.h"
#include "util/errors.h"
#include "util/files.h"

namespace zentrix {
namespace {

bool Has(const std::vector<std::string>& texts, const std::string& text) {
    return std::find(texts.begin(), texts.end(), text) != texts.end();
}

struct ViewsTest : ::testing::Test {
    test::TTempDir dir;
    test::TFakeUi ui;
    TMainSession session{dir.Path(), ui};
    TArchiveController& archive = session.Archive();
    TCombsController& combs = session.Combs();
    TViewsController& views = session.Views();

    ViewsTest() {
        session.LoadConfig();
        session.InitRegistry();
        combs.InitArrays();
        archive.Assign(MakeDemoDraws(40, 3, 45292));
        combs.GenerateCombs(false, 0, "");
        session.Core().RefreshViews(true);
        ui.Clear();
    }
    std::string Frm() { return ReadFileBytes(dir.File("Zentrix_8x20.frm")); }
};

TEST_F(ViewsTest, RefreshBuildsEachVisibleViewOnlyWhenItsInputsChanged) {
    EXPECT_EQ(views.Card().DataRows(), 40);
    EXPECT_GT(views.Layout().Columns(), 1);
    EXPECT_GT(views.Week().maxCount, 0);
    session.Core().RefreshViews(false);  // nothing changed
    EXPECT_TRUE(ui.StatusTexts().empty());

    // The offset moves the windows of the scheme, its lists and the weekdays, not the card.
    archive.SetDrawsOffset(3);
    const std::vector<std::string> offsetBuilds = ui.StatusTexts();
    EXPECT_FALSE(Has(offsetBuilds, "Обновление карты тиражей..."));
    EXPECT_EQ(std::count(offsetBuilds.begin(), offsetBuilds.end(),
                         "Построение схемы выпадения номеров..."),
              2);
    EXPECT_TRUE(Has(offsetBuilds, "Построение статистики по дням недели..."));
    ui.Clear();

    // A hidden view is not built, even forced; a new draw rebuilds the visible ones.
    views.ToggleTab(TGridView::Week);
    EXPECT_FALSE(views.Visible(TGridView::Week));
    views.BuildWeekStats(true);
    EXPECT_TRUE(ui.StatusTexts().empty());
    archive.AppendDraws({test::MakeDraw(41, {1, 2, 3, 4, 5, 6, 7, 8}, 1, "01.01.2024 12:00")});
    EXPECT_EQ(views.Card().DataRows(), 41);
    EXPECT_EQ(views.Card().Text(1, 0), "41");
    EXPECT_TRUE(Has(ui.StatusTexts(), "Обновление карты тиражей..."));
    EXPECT_FALSE(Has(ui.StatusTexts(), "Построение статистики по дням недели..."));
    ui.Clear();

    // Shown again: stored at once and built forced.
    EXPECT_TRUE(views.ToggleTab(TGridView::Week));
    EXPECT_EQ(ui.StatusTexts(),
              (std::vector<std::string>{"Построение статистики по дням недели..."}));
    EXPECT_NE(Frm().find("TabWeek=1"), std::string::npos);
    // A window length entered within bounds rebuilds without force; out of bounds, nothing.
    ui.Clear();
    views.WeekLenEntered(0);
    EXPECT_TRUE(ui.StatusTexts().empty());
    views.WeekLenEntered(5);
    EXPECT_EQ(views.WeekLen(), 5);
    EXPECT_EQ(ui.StatusTexts().size(), 1u);
}

TEST_F(ViewsTest, CardFilterRemovesTheSelectedNumbersWithLogAndUndo) {
    // Columns 3 and 4 over every draw: column 3 is walked first.
    const TGridRange range{3, 1, 4, views.Card().DataRows()};
    ASSERT_TRUE(views.CanFilter(TGridView::Card, range));
    views.Filter(TGridView::Card, true, range);
    EXPECT_EQ(combs.Count(), 43758);  // C(18, 8): neither 3 nor 4
    for (const TComb& c : combs.Combs()) ASSERT_FALSE(InComb(3, c) || InComb(4, c));
    ASSERT_EQ(combs.FilterLog().size(), 1u);
    EXPECT_EQ(combs.FilterLog()[0],
              (TFilterLogLine{"Карта", "3; 4", 43758, TFilterMark::Exclusion}));
    EXPECT_TRUE(Has(ui.StatusTexts(), "Создание файла отката..."));
    EXPECT_TRUE(Has(ui.StatusTexts(), "Фильтрация комбинаций..."));
    EXPECT_EQ(ui.status, "");
    combs.CombsUndo();
    EXPECT_EQ(combs.Count(), kCombCount);
    EXPECT_TRUE(combs.FilterLog().empty());
}

TEST_F(ViewsTest, CardFilterIsOffOutsideTheNumberColumns) {
    EXPECT_FALSE(views.CanFilter(TGridView::Card, {0, 1, 0, 5}));    // draw numbers
    EXPECT_FALSE(views.CanFilter(TGridView::Card, {21, 1, 21, 5}));  // "E"
    EXPECT_FALSE(views.CanFilter(TGridView::Card, {5, 1, 21, 5}));
    EXPECT_FALSE(views.CanFilter(TGridView::Card, {}));
    EXPECT_TRUE(views.CanFilter(TGridView::Card, {1, 1, 20, 1}));
    views.ToggleTab(TGridView::Card);
    EXPECT_FALSE(views.CanFilter(TGridView::Card, {1, 1, 20, 1}));
    EXPECT_NE(Frm().find("TabCard=0"), std::string::npos);
}

TEST_F(ViewsTest, ASelectionWithoutNumbersChangesNothing) {
    views.Filter(TGridView::Week, true, {5, 1, 5, 7});  // one undo step to keep
    const int before = combs.Count();
    // A card cell of a number the newest draw does not hold.
    int empty = 1;
    while (views.Card().Text(1, empty) != "") ++empty;
    try {
        views.Filter(TGridView::Card, false, {empty, 1, empty, 1});
        FAIL() << "no error";
    } catch (const EZentrix& e) {
        EXPECT_STREQ(e.what(), kNoFilterValues);
    }
    EXPECT_EQ(combs.Count(), before);
    EXPECT_EQ(combs.FilterLog().size(), 1u);
    combs.CombsUndo();  // the earlier step is still there
    EXPECT_EQ(combs.Count(), kCombCount);
}

TEST_F(ViewsTest, SchemeAndWeekdayFiltersKeepTheirNumbers) {
    const TGridRange cell{1, 1, 1, 1};
    const TViewSelection selection = views.Selection(TGridView::Layout, cell);
    ASSERT_FALSE(selection.numbers.empty());
    views.Filter(TGridView::Layout, false, cell);
    for (const TComb& c : combs.Combs())
        ASSERT_TRUE(std::any_of(selection.numbers.begin(), selection.numbers.end(),
                                [&](int n) { return InComb(n, c); }));
    EXPECT_EQ(combs.FilterLog().back().applied, "Схема");
    EXPECT_EQ(combs.FilterLog().back().values, selection.text);
    EXPECT_EQ(combs.FilterLog().back().mark, TFilterMark::Inclusion);

    combs.GenerateCombs(false, 0, "");
    views.Filter(TGridView::Week, false, {3, 2, 4, 6});
    EXPECT_EQ(combs.FilterLog().back(),
              (TFilterLogLine{"Неделя", "3; 4", kCombCount - 43758, TFilterMark::Inclusion}));
}

TEST_F(ViewsTest, OptionsAreStoredAtOnce) {
    EXPECT_TRUE(views.CardOptions().channels);
    views.ToggleColorCard();
    views.ToggleColorCardSequences();
    views.ToggleLayoutGradient();
    views.ToggleWeekChartMode();
    views.ToggleWeekChartType();
    const std::string frm = Frm();
    for (const char* line : {"ColorCard=0", "ColorCardSequences=0", "LayoutGradient=0",
                             "WeekChartMode=1", "WeekChartType=1"})
        EXPECT_NE(frm.find(line), std::string::npos) << line;
    EXPECT_FALSE(views.CardOptions().channels);
    EXPECT_TRUE(views.WeekChart(5, 1).line);
    EXPECT_EQ(views.WeekChart(5, 1).series.Points.size(), size_t(kWeekDays));
    // The designed lengths until the user sets others.
    EXPECT_EQ(views.LayoutLen(), 100);
    EXPECT_EQ(views.LayoutCompareLen(4), 400);
    EXPECT_EQ(views.WeekLen(), 1000);
}

}  // namespace
}  // namespace zentrix
