#include "app/stakes_controller.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "app/log_files.h"
#include "app/session.h"
#include "core/archive_file.h"
#include "stakes/stakes_env.h"
#include "support/fake_ui.h"
#include "support/temp_dir.h"
#include "util/files.h"

namespace zentrix {
namespace {

using test::Comb;
using test::Draw;

const std::array<int, 8> kDrawn = {1, 2, 3, 4, 5, 6, 7, 8};
// Four of the drawn numbers: 50.00 - 2.00.
const std::array<int, 8> kFour = {1, 2, 3, 4, 9, 10, 11, 12};

struct StakesTest : ::testing::Test {
    test::TTempDir dir;
    test::TFakeUi ui;
    std::unique_ptr<TMainSession> session = std::make_unique<TMainSession>(dir.Path(), ui);
    TStakesController& Stakes() { return session->Stakes(); }
    TRatingsController& Ratings() { return session->Ratings(); }
    std::vector<std::string> startMessages;

    // An archive of draws 1 and 2, the prize table of the stakes tests, the stakes file open.
    void Start() {
        WriteDrawsFile(dir.File("Zentrix_8x20.ldr"), {Draw(1, kDrawn), Draw(2, kDrawn)});
        session->LoadConfig();
        session->Config().ApplyParams(test::PrizeConfig());
        ASSERT_TRUE(session->Initialize());
        startMessages = ui.MessageTexts();
        ui.Clear();
    }
    TStakeDialogFields Fields(int64_t draw, int64_t draws, const std::string& numbers) {
        TStakeDialogFields f;
        f.draw = draw;
        f.draws = draws;
        f.numbers = numbers;
        f.comment = "Моя";
        return f;
    }
};

TEST_F(StakesTest, StartOpensTheHeldFileChecksItAndLoadsTheRatingsAfterIt) {
    // A stake written while the program was closed, for a draw the archive holds.
    AtomicWriteFile(dir.File("Zentrix_8x20.lsk"), StakeRecordBytes(test::Stake(2, kFour)));
    Start();
    ASSERT_TRUE(Stakes().IsOpen());
    EXPECT_EQ(Stakes().Count(), 1);
    EXPECT_TRUE(Stakes().File().Read(0).Checked);
    EXPECT_EQ(Stakes().RowCells(1).at(7), "48.00");
    ASSERT_EQ(Ratings().Count(), 1);
    EXPECT_EQ(Ratings().Ratings()[0].Stakes, 1);
    EXPECT_EQ(ui.panels[4], "Ставок: 1");
    EXPECT_EQ(ui.panels[5], "Рейтинг: 1");
    EXPECT_TRUE(FileExists(dir.File("Zentrix_8x20.lrt")));

    // The next start reads the ratings back and does not count the stake twice.
    session.reset();
    ui.Clear();
    session = std::make_unique<TMainSession>(dir.Path(), ui);
    session->LoadConfig();
    ASSERT_TRUE(session->Initialize());
    const std::vector<std::string> statuses = ui.StatusTexts();
    const auto stakesAt = std::find(statuses.begin(), statuses.end(), "Загрузка файла ставок...");
    const auto ratingsAt =
        std::find(statuses.begin(), statuses.end(), "Загрузка файла рейтинга...");
    ASSERT_NE(stakesAt, statuses.end());
    EXPECT_LT(stakesAt, ratingsAt);
    EXPECT_EQ(session->Ratings().Ratings().at(0).Stakes, 1);
}

TEST_F(StakesTest, AStakeOfAnotherVersionIsWarnedAboutAndEmptied) {
    AtomicWriteFile(dir.File("Zentrix_8x20.lsk"), "short");
    Start();
    ASSERT_EQ(startMessages.size(), 1u);
    EXPECT_EQ(startMessages[0].rfind(
                  "Обнаружен файл ставок устаревшей версии - имеющиеся в файле ставки будут "
                  "удалены!\n\nПрежнее содержимое сохранено в файле \"",
                  0),
              0u)
        << startMessages[0];
    EXPECT_EQ(Stakes().Count(), 0);
    EXPECT_TRUE(Stakes().IsOpen());
}

TEST_F(StakesTest, MakeStakeRefusesBadInputAndAppendsForEachDraw) {
    Start();
    EXPECT_FALSE(Stakes().MakeStake(Fields(3, 1, "1;2;3;4;5;6;7;21")));
    EXPECT_EQ(ui.MessageTexts(), std::vector<std::string>{kBadStakeNumbers});
    EXPECT_EQ(Stakes().Count(), 0);

    ui.Clear();
    // Draw 2 is in the archive, draw 3 is not yet.
    ASSERT_TRUE(Stakes().MakeStake(Fields(2, 2, "12;11;10;9;4;3;2;1")));
    EXPECT_TRUE(ui.MessageTexts().empty());
    ASSERT_EQ(Stakes().Count(), 3);
    EXPECT_EQ(Stakes().RowCells(1).at(0), "2");
    EXPECT_EQ(Stakes().RowCells(1).at(2), "1;2;3;4;9;10;11;12");
    EXPECT_EQ(Stakes().RowCells(1).at(5), "4");
    EXPECT_TRUE(Stakes().File().Read(1).IsSeparator());
    EXPECT_EQ(Stakes().RowCells(3).at(5), "");
    EXPECT_EQ(ui.panels[4], "Ставок: 3");
    EXPECT_EQ(Ratings().Count(), 1);

    // The draw's arrival completes the waiting stake.
    ui.Clear();
    session->Archive().AppendDraws({Draw(3, kDrawn)});
    EXPECT_EQ(Stakes().RowCells(3).at(5), "4");
    EXPECT_EQ(Ratings().Ratings().at(0).Stakes, 2);
    const std::vector<std::string> statuses = ui.StatusTexts();
    EXPECT_NE(std::find(statuses.begin(), statuses.end(), "Проверка результатов ставок..."),
              statuses.end());
}

TEST_F(StakesTest, CommandsWaitWhileBusyAndForRecords) {
    Start();
    EXPECT_TRUE(Stakes().CanMakeStake());
    EXPECT_FALSE(Stakes().CanCheck());
    EXPECT_FALSE(Stakes().CanClearAll());
    ASSERT_TRUE(Stakes().MakeStake(Fields(5, 1, "1;2;3;4;5;6;7;8")));
    EXPECT_TRUE(Stakes().CanCheck());
    EXPECT_TRUE(Stakes().CanDeleteRows(1, 1));
    EXPECT_FALSE(Stakes().CanDeleteRows(1, 2));
    EXPECT_FALSE(Stakes().CanDeleteRows(0, 1));
    session->Core().BeginBusy();
    EXPECT_FALSE(Stakes().CanMakeStake());
    EXPECT_FALSE(Stakes().CanCheck());
    EXPECT_FALSE(Ratings().CanRebuild(true));
    session->Core().EndBusy();
}

TEST_F(StakesTest, DeletingAsksFirstAndClearingOffersTheRebuild) {
    Start();
    ASSERT_TRUE(Stakes().MakeStake(Fields(1, 2, "1;2;3;4;9;10;11;12")));
    ASSERT_EQ(Stakes().Count(), 3);
    ui.Clear();
    ui.answers = {TMsgResult::No};
    EXPECT_EQ(Stakes().DeleteRows(1, 2), 0);
    EXPECT_EQ(ui.MessageTexts(),
              std::vector<std::string>{"Удалить все выделенные записи (всего будет удалено 2 "
                                       "записи(ей))?"});
    ui.answers = {TMsgResult::Yes};
    EXPECT_EQ(Stakes().DeleteRows(1, 1), 1);
    EXPECT_EQ(Stakes().Count(), 2);
    EXPECT_EQ(Stakes().DeleteWhere(TStakeCondition::Equal, 4), 1);
    EXPECT_EQ(Stakes().Count(), 1);  // the separator stays

    // The ratings keep the deleted stakes until rebuilt.
    ui.Clear();
    ui.answers = {TMsgResult::Yes, TMsgResult::No};
    EXPECT_TRUE(Stakes().ClearAll());
    EXPECT_EQ(Stakes().Count(), 0);
    EXPECT_EQ(ui.MessageTexts(),
              (std::vector<std::string>{"Удалить выделенную запись?", kRebuildRatingsQuestion}));
    EXPECT_EQ(Ratings().Count(), 1);
    ui.answers = {TMsgResult::Yes};
    EXPECT_TRUE(Ratings().Rebuild(Stakes().File()));
    EXPECT_EQ(Ratings().Count(), 0);
    EXPECT_EQ(ui.panels[5], "Рейтинг: 0");
}

TEST_F(StakesTest, RatingsRowsWithoutFiltersAreRefusedAsScenarioLines) {
    Start();
    ASSERT_TRUE(Stakes().MakeStake(Fields(1, 1, "1;2;3;4;9;10;11;12")));
    ui.Clear();
    EXPECT_EQ(Ratings().ToScenario({0}), 0);
    EXPECT_EQ(ui.MessageTexts(),
              std::vector<std::string>{"Строку\n\nМоя\n\nневозможно добавить в сценарий!"});
    EXPECT_EQ(session->Scenario().Count(), 0);

    Ratings().SetEffMode(TEffMode::Relative);
    EXPECT_EQ(Ratings().EffMode(), TEffMode::Relative);
}

TEST_F(StakesTest, TheRatingsSortOfAHeaderClickIsKeptForTheNextStart) {
    Start();
    ASSERT_TRUE(Stakes().MakeStake(Fields(1, 1, "1;2;3;4;9;10;11;12")));
    TStakeDialogFields other = Fields(1, 1, "1;2;3;9;10;11;12;13");
    other.comment = "Другая";
    ASSERT_TRUE(Stakes().MakeStake(other));
    ASSERT_EQ(Ratings().Count(), 2);
    EXPECT_EQ(Ratings().SortColumn(), kRatingAverageColumn);
    EXPECT_TRUE(Ratings().SortDescending());
    // Another column starts descending, the same column reverses, the comment starts ascending,
    // an "E" column does not sort.
    const struct {
        int click, column;
        bool descending;
    } clicks[] = {{1, 1, true}, {1, 1, false}, {0, 0, false}, {0, 0, true}, {15, 0, true}};
    for (const auto& c : clicks) {
        Ratings().SortByClick(c.click);
        EXPECT_EQ(Ratings().SortColumn(), c.column) << c.click;
        EXPECT_EQ(Ratings().SortDescending(), c.descending) << c.click;
    }
    Ratings().SortByClick(2);
    EXPECT_EQ(Ratings().Ratings().front().Comment, "Моя");

    session.reset();
    session = std::make_unique<TMainSession>(dir.Path(), ui);
    session->LoadWindowSettings();
    session->LoadConfig();
    ASSERT_TRUE(session->Initialize());
    EXPECT_EQ(session->Ratings().SortColumn(), 2);
    EXPECT_TRUE(session->Ratings().SortDescending());
}

TEST_F(StakesTest, TheGridMarksMatchedNumbersAndTheGraphsNeedDraws) {
    Start();
    EXPECT_FALSE(Stakes().ProfitGraph());
    ASSERT_TRUE(Stakes().MakeStake(Fields(2, 2, "1;2;3;4;9;10;11;12")));
    ASSERT_EQ(Stakes().Count(), 3);
    EXPECT_EQ(Stakes().RowColour(1), (TColor{234, 255, 234}));
    EXPECT_FALSE(Stakes().RowColour(2));
    EXPECT_TRUE(Stakes().RowNumberMarks(1, kStakeNumbersColumn)[0].matched);
    EXPECT_TRUE(std::count(ui.invalidated.begin(), ui.invalidated.end(), TUiPart::StakesList));
    const auto profit = Stakes().ProfitGraph();
    ASSERT_TRUE(profit);
    EXPECT_EQ(GraphSeries(*profit).size(), 3u);
    // One checked draw is too few for the graphs of the rating rows.
    ui.Clear();
    EXPECT_FALSE(Stakes().RatingGraph({0}, false));
    EXPECT_EQ(ui.MessageTexts(), std::vector<std::string>{kTooFewGraphDraws});
    EXPECT_EQ(Ratings().MatchGraph({0}).size(), 18u);
}

TEST_F(StakesTest, DeletingTheStakeLogsLeavesOtherFiles) {
    Start();
    WriteTextLines(dir.File("Zentrix_8x20-3.log"), {"a"});
    WriteTextLines(dir.File("Zentrix_8x20-x.log"), {"b"});
    WriteTextLines(dir.File("Zentrix_8x20.log"), {"c"});
    WriteTextLines(dir.File("ScriptLog_1.txt"), {"d"});
    EXPECT_EQ(Stakes().DeleteLogs(), 2);
    EXPECT_FALSE(FileExists(dir.File("Zentrix_8x20-3.log")));
    EXPECT_FALSE(FileExists(dir.File("Zentrix_8x20-x.log")));
    EXPECT_TRUE(FileExists(dir.File("Zentrix_8x20.log")));
    EXPECT_TRUE(FileExists(dir.File("ScriptLog_1.txt")));
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].kind, TMsgKind::Information);
    ui.Clear();
    EXPECT_EQ(Stakes().DeleteLogs(), 0);
    EXPECT_EQ(ui.MessageTexts(), std::vector<std::string>{kNoLogFiles});
}

}  // namespace
}  // namespace zentrix
