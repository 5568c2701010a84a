#include "app/scenario_controller.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "app/session.h"
#include "core/archive_file.h"
#include "core/demo_archive.h"
#include "scenario/scenario_file.h"
#include "support/fake_ui.h"
#include "support/temp_dir.h"
#include "util/errors.h"
#include "util/files.h"

namespace zentrix {
namespace {

using TLines = std::vector<std::string>;

const std::string kA = "FULL:0#RAND|TSD1#NUMS:10#LNO:#SF:1| | | | | | |A";
const std::string kB = "EXCL:3#ALL| | | | | | | |B";
const std::string kC = "CURR:0#NONE| | | | | | | |C";

struct ScenarioTest : ::testing::Test {
    test::TTempDir dir;
    test::TFakeUi ui;
    TMainSession session{dir.Path(), ui};
    TScenarioController& scenario = session.Scenario();
    std::string working = dir.File("Zentrix_8x20.lss");

    ScenarioTest() {
        session.LoadConfig();
        session.InitRegistry();
        ui.Clear();
    }
    void Fill(const TLines& lines) {
        for (const std::string& line : lines) scenario.AddScriptLine(line);
        ui.Clear();
    }
    // Memory and the working file agree.
    void ExpectLines(const TLines& lines) {
        EXPECT_EQ(scenario.Scenario().Lines(), lines);
        EXPECT_EQ(ReadScenarioFile(working), lines);
        EXPECT_EQ(scenario.LinesPanelText(), "Строк: " + std::to_string(lines.size()));
    }
    bool ListRefreshed() const {
        return std::count(ui.invalidated.begin(), ui.invalidated.end(), TUiPart::ScenarioList) > 0;
    }
};

TEST_F(ScenarioTest, StartReadsTheWorkingFileAfterTheArchive) {
    WriteDrawsFile(dir.File("Zentrix_8x20.ldr"), MakeDemoDraws(30, 1, 45292));
    WriteScenarioFile(working, {kA, "", kB});
    ASSERT_TRUE(session.Initialize());
    EXPECT_EQ(scenario.Scenario().Lines(), (TLines{kA, "", kB}));
    EXPECT_EQ(scenario.LinesPanelText(), "Строк: 3");
    const TLines status = ui.StatusTexts();
    const auto archive = std::find(status.begin(), status.end(), "Загрузка файла тиражей...");
    const auto lines =
        std::find(status.begin(), status.end(), "Загрузка файла \"" + working + "\"...");
    ASSERT_NE(lines, status.end());
    EXPECT_LT(archive, lines);
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(ScenarioTest, WorkingFileThatDoesNotReadIsReported) {
    std::filesystem::create_directory(working);  // cannot be read as a file
    scenario.LoadWorkingFile();
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].title, "Ошибка");
    EXPECT_EQ(ui.messages[0].text.rfind("Ошибка чтения файла \"" + working + "\"!\n\n", 0), 0u);
    EXPECT_EQ(scenario.Count(), 0);
    EXPECT_TRUE(ListRefreshed());
}

TEST_F(ScenarioTest, EveryChangeRewritesTheWorkingFile) {
    EXPECT_EQ(scenario.AddScriptLine(kA), 0);
    EXPECT_EQ(ui.StatusTexts(), TLines{"Сохранение файла \"" + working + "\"..."});
    EXPECT_TRUE(ListRefreshed());
    EXPECT_TRUE(session.Core().NotBusy());
    ExpectLines({kA});
    EXPECT_EQ(scenario.AddSeparator(), 1);
    EXPECT_EQ(scenario.AddScriptLine(kB), 2);
    ExpectLines({kA, "", kB});
    scenario.SetScriptLine(2, kC);
    ExpectLines({kA, "", kC});
    EXPECT_EQ(scenario.MoveDown(0), 1);
    ExpectLines({"", kA, kC});
    EXPECT_EQ(scenario.MoveUp(2), 1);
    ExpectLines({"", kC, kA});
    EXPECT_THROW(scenario.SetScriptLine(3, kB), EZentrix);
    try {
        scenario.SetScriptLine(-1, kB);
    } catch (const EZentrix& e) {
        EXPECT_STREQ(e.what(), "Запись со индексом -1 в файле данных не найдена!");
    }
    ExpectLines({"", kC, kA});
}

TEST_F(ScenarioTest, AvailabilityOfTheCommands) {
    EXPECT_TRUE(scenario.CanOpen() && scenario.CanAdd() && scenario.CanAppend());
    EXPECT_FALSE(scenario.CanSave() || scenario.CanAddSeparator() || scenario.CanDeleteAll());
    EXPECT_FALSE(scenario.CanDelete({}) || scenario.CanEdit(0) || scenario.CanMoveDown(0));
    Fill({kA, "", kB});
    EXPECT_TRUE(scenario.CanSave() && scenario.CanAddSeparator() && scenario.CanDeleteAll());
    EXPECT_TRUE(scenario.CanEdit(0) && scenario.CanClone(2));
    EXPECT_FALSE(scenario.CanEdit(1) || scenario.CanClone(1) || scenario.CanEdit(3));  // separator
    EXPECT_TRUE(scenario.CanDelete({1}));
    EXPECT_FALSE(scenario.CanMoveUp(0));
    EXPECT_TRUE(scenario.CanMoveUp(1) && scenario.CanMoveDown(1));
    EXPECT_FALSE(scenario.CanMoveDown(2));
    // Nothing while busy or while a scenario runs.
    auto anything = [&] {
        return scenario.CanOpen() || scenario.CanSave() || scenario.CanAdd() ||
               scenario.CanAddSeparator() || scenario.CanAppend() || scenario.CanClone(0) ||
               scenario.CanEdit(0) || scenario.CanDelete({0}) || scenario.CanDeleteAll() ||
               scenario.CanMoveUp(1) || scenario.CanMoveDown(1);
    };
    session.Core().BeginBusy();
    EXPECT_FALSE(anything());
    session.Core().EndBusy();
    scenario.SetRunning(true);
    EXPECT_FALSE(anything());
    scenario.SetRunning(false);
    EXPECT_TRUE(anything());
}

TEST_F(ScenarioTest, DeleteAsksFirstAndRemovesTheSelectedLines) {
    Fill({kA, "", kB, kC});
    ui.answers = {TMsgResult::No};
    EXPECT_FALSE(scenario.DeleteLines({1}));
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].title, "Предупреждение");
    EXPECT_EQ(ui.messages[0].text, "Удалить выделенную запись?");
    EXPECT_EQ(ui.messages[0].defaultButton, TMsgResult::No);
    EXPECT_EQ(scenario.Count(), 4);
    ui.Clear();

    ui.answers = {TMsgResult::Yes};
    EXPECT_TRUE(scenario.DeleteLines({3, 0, 1}));
    EXPECT_EQ(ui.MessageTexts(),
              TLines{"Удалить все выделенные записи (всего будет удалено 3 записи(ей))?"});
    EXPECT_EQ(ui.StatusTexts().front(), "Удаление строк...");
    ExpectLines({kB});

    ui.Clear();
    ui.answers = {TMsgResult::Yes};
    EXPECT_TRUE(scenario.DeleteAll());
    EXPECT_EQ(ui.MessageTexts(), TLines{"Удалить выделенную запись?"});
    ExpectLines({});
}

TEST_F(ScenarioTest, OpenAppendAndSaveThroughTheFileDialog) {
    const std::string user = dir.File("user.lsc"), missing = dir.File("missing.lsc");
    WriteScenarioFile(user, {kB, kC});
    Fill({kA});

    ui.files = {user};
    scenario.Append();
    EXPECT_EQ(ui.events.front(), "open-file:Файлы сценариев (*.lsc)|*.lsc");
    ExpectLines({kA, "", kB, kC});
    ui.files = {user};
    scenario.Open();
    ExpectLines({kB, kC});

    // A read failure keeps the lines, and the working file is written with them.
    std::filesystem::remove(working);
    ui.Clear();
    ui.files = {missing};
    scenario.Open();
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text.rfind("Ошибка чтения файла \"" + missing + "\"!\n\n", 0), 0u);
    ExpectLines({kB, kC});
    ui.Clear();
    scenario.AppendFile(missing);
    EXPECT_EQ(ui.messages.size(), 1u);
    ExpectLines({kB, kC});

    const std::string saved = dir.File("saved.lsc");
    ui.Clear();
    ui.files = {saved};
    scenario.Save();
    EXPECT_EQ(ui.events.front(), "save-file:Файлы сценариев (*.lsc)|*.lsc");
    EXPECT_EQ(ui.StatusTexts(), TLines{"Сохранение файла \"" + saved + "\"..."});
    EXPECT_EQ(ReadScenarioFile(saved), (TLines{kB, kC}));
    // A cancelled dialog does nothing.
    ui.Clear();
    scenario.Open();
    EXPECT_EQ(ui.StatusTexts(), TLines{});
}

TEST_F(ScenarioTest, WriteFailuresAreReportedAndMemoryStaysAsItIs) {
    Fill({kA});
    const std::string folder = dir.File("sub");
    const std::string bad = folder + "/x.lsc";  // no such folder
    EXPECT_FALSE(scenario.SaveFile(bad));
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text.rfind("Ошибка записи в файл \"" + bad + "\"!\n\n", 0), 0u);
    EXPECT_EQ(scenario.Scenario().Lines(), TLines{kA});

    // The working file cannot be replaced: the line is kept in memory, the old file stays whole.
    std::filesystem::remove(working);
    std::filesystem::create_directory(working);
    std::filesystem::create_directory(working + "/keep");
    ui.Clear();
    EXPECT_EQ(scenario.AddScriptLine(kB), 1);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text.rfind("Ошибка записи в файл \"" + working + "\"!\n\n", 0), 0u);
    EXPECT_EQ(scenario.Scenario().Lines(), (TLines{kA, kB}));
    EXPECT_TRUE(ListRefreshed());
    EXPECT_TRUE(session.Core().NotBusy());
}

TEST_F(ScenarioTest, RowsShowTheCanonicalTextsAndUnknownWordsAsRead) {
    Fill({"excl:2#first#nex|tsd3#nums:5|TSD1#Xyz:7#cdv:1| | | | | |Проба", ""});
    EXPECT_EQ(scenario.RowTexts(0),
              (TLines{"Проба", "Исключить 2 тиражей; Первая; Только новые ставки",
                      "TSD3#NUMS:5#LNO:#SF:0", "TSD1#Xyz:7#CDV:1#SF:0", "", "", "", "", ""}));
    EXPECT_EQ(scenario.RowTexts(1), TLines(9));
}

TEST_F(ScenarioTest, DialogDefaultsComeFromTheMainWindow) {
    session.Stats().SetWindowLength(77);
    session.Stats().SelectPosition(2);
    const TFilterDialogContext context = scenario.FilterContext();
    EXPECT_EQ(context.registry, &session.Stats().Registry());
    EXPECT_EQ(context.stats.size(), session.Stats().MethodLists().Stats.size());
    EXPECT_EQ(context.currentPosition, 2);
    EXPECT_EQ(context.windowLength, 77);
    EXPECT_EQ(context.weights, session.Config().Data().CDL);
    EXPECT_EQ(ScriptLineResult(scenario.NewLineFields(4)), "FULL:4#RAND| | | | | | | |");
    Fill({kB});
    EXPECT_EQ(scenario.LineFields(0).command.ExcludeDraws, 3);
}

}  // namespace
}  // namespace zentrix
