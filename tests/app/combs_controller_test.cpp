#include "app/combs_controller.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "app/session.h"
#include "core/comb_file.h"
#include "core/comb_text.h"
#include "core/enumerate.h"
#include "support/fake_ui.h"
#include "support/temp_dir.h"
#include "util/errors.h"
#include "util/files.h"
#include "util/ini.h"

namespace zentrix {
namespace {

struct CombsTest : ::testing::Test {
    test::TTempDir dir;
    test::TFakeUi ui;
    TMainSession session{dir.Path(), ui};
    TArchiveController& archive = session.Archive();
    TCombsController& combs = session.Combs();

    CombsTest() {
        session.LoadConfig();
        combs.InitArrays();
        ui.Clear();
    }
    // Draws 1..count; draw n holds, in a scrambled order, the n-th combination of the full list.
    void MakeArchive(int count) {
        TDrawsArray draws;
        for (int n = 1; n <= count; ++n) {
            TDraw d;
            d.Number = n;
            d.Numbers = AllCombs()[n * 997];
            std::reverse(d.Numbers.begin(), d.Numbers.end());
            std::swap(d.Numbers[0], d.Numbers[5]);
            draws.push_back(d);
        }
        archive.Assign(draws);
    }
    bool InList(const TComb& numbers) {
        TComb sorted = numbers;
        std::sort(sorted.begin(), sorted.end());
        return combs.FindComb(sorted);
    }
};

TEST_F(CombsTest, GenerationFillsTheListAndClearsUndoAndLog) {
    combs.AddFilterLog(false, "x", "y");
    combs.GenerateCombs(true, 0, "");
    EXPECT_EQ(combs.Count(), kCombCount);
    EXPECT_EQ(ui.StatusTexts(), (std::vector<std::string>{"Генерация возможных комбинаций..."}));
    EXPECT_EQ(ui.status, "");
    EXPECT_EQ(ui.panels[3], "Комбинаций: 125970");
    EXPECT_TRUE(combs.FilterLog().empty());
    EXPECT_FALSE(combs.CanCombsUndo());

    const std::string file = dir.File("mine.lcv");
    WriteTextLines(file, {"1;2;3;4;5;6;7;8", "8;7;6;5;4;3;2;1"});
    combs.GenerateCombs(true, 4, file);
    EXPECT_EQ(combs.Count(), 2);

    ui.Clear();
    combs.GenerateCombs(true, 4, dir.File("missing.lcv"));
    EXPECT_EQ(combs.Count(), 0);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text.rfind(
                  "Ошибка чтения файла \"" + dir.File("missing.lcv") + "\"!\n\n", 0),
              0u);
}

// A relative name in mode 4 names a file of the data folder, not of the current folder.
TEST_F(CombsTest, GenerationFromAFileReadsRelativeNamesFromTheDataFolder) {
    test::TTempDir elsewhere;
    struct TCurrentFolder {
        std::filesystem::path before = std::filesystem::current_path();
        ~TCurrentFolder() { std::filesystem::current_path(before); }
    } restore;
    std::filesystem::current_path(elsewhere.Path());
    WriteTextLines(elsewhere.File("mine.lcv"), {"1;2;3;4;5;6;7;8"});
    WriteTextLines(dir.File("mine.lcv"), {"1;2;3;4;5;6;7;8", "2;3;4;5;6;7;8;9"});
    std::filesystem::create_directories(dir.File("sub"));
    WriteTextLines(dir.File("sub/three.lcv"),
                   {"1;2;3;4;5;6;7;8", "2;3;4;5;6;7;8;9", "3;4;5;6;7;8;9;10"});
    struct TCase {
        std::string name;
        int count;
    };
    const TCase cases[] = {
        {"mine.lcv", 2},
        {"sub/three.lcv", 3},
        {elsewhere.File("mine.lcv"), 1},  // an absolute name stays as it is
    };
    for (const TCase& c : cases) {
        combs.GenerateCombs(true, 4, c.name);
        EXPECT_EQ(combs.Count(), c.count) << c.name;
    }
    EXPECT_TRUE(ui.messages.empty());
    combs.GenerateCombs(true, 4, "missing.lcv");
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_NE(ui.messages[0].text.find(dir.File("missing.lcv")), std::string::npos)
        << ui.messages[0].text;
}

TEST_F(CombsTest, GenerationDialogOkSavesTheDefaultsWhenAsked) {
    combs.CombsGenerate(2, "1;2;3;4;5;6;7;8;9", true);
    EXPECT_EQ(combs.Count(), 9);
    EXPECT_FALSE(combs.CanCombsUndo());  // generation leaves no undo step
    const TIniFile ini(dir.File("Zentrix_8x20.ini"));
    EXPECT_EQ(ini.ReadString("GLOBAL", "CombsGenerateMode", ""), "2");
    EXPECT_EQ(ini.ReadString("GLOBAL", "CombsGenerateParameters", ""), "1;2;3;4;5;6;7;8;9");
    combs.CombsGenerate(3, "1", false);
    EXPECT_EQ(combs.Count(), 75582);
    EXPECT_EQ(TIniFile(dir.File("Zentrix_8x20.ini")).ReadString("GLOBAL", "CombsGenerateMode", ""),
              "2");

    combs.CombsCheckNums();
    EXPECT_EQ(ui.messages.back().text,
              "В текущем списке комбинаций содержится 19 уникальных номеров");
    EXPECT_EQ(ui.messages.back().title, "Информация");
}

TEST_F(CombsTest, RemoveDrawnTakesTheWindowUpToTheReferenceDraw) {
    MakeArchive(10);
    combs.GenerateCombs(true, 0, "");
    ui.Clear();
    ASSERT_TRUE(combs.CanCombsDelExists(3));
    combs.CombsDelExists(3);
    EXPECT_EQ(combs.Count(), kCombCount - 3);
    for (int i : {7, 8, 9}) EXPECT_FALSE(InList(archive.Draws()[i].Numbers)) << i;
    EXPECT_TRUE(InList(archive.Draws()[6].Numbers));
    ASSERT_EQ(combs.FilterLog().size(), 1u);
    EXPECT_EQ(combs.FilterLog()[0],
              (TFilterLogLine{"Последние тиражи", "3", kCombCount - 3, TFilterMark::Exclusion}));
    EXPECT_EQ(ui.panels[3], "Комбинаций: 125967");

    const std::vector<std::string> statuses = ui.StatusTexts();
    ASSERT_GE(statuses.size(), 4u);
    EXPECT_EQ(statuses[0], "Создание файла отката...");
    EXPECT_EQ(statuses[1], "Удаление из списка комбинаций 3 последних тиражей...");
    EXPECT_EQ(statuses[2],
              "Удаление из списка комбинаций 3 последних тиражей ( завершено 1 % )...");
    EXPECT_EQ(statuses.back(),
              "Удаление из списка комбинаций 3 последних тиражей ( завершено 100 % )...");
    EXPECT_EQ(statuses.size(), 2u + 100u);
    EXPECT_EQ(ui.status, "");

    // Undo brings the list back, drops the log line and is then disabled.
    ASSERT_TRUE(combs.CanCombsUndo());
    combs.CombsUndo();
    EXPECT_EQ(combs.Count(), kCombCount);
    EXPECT_TRUE(combs.FilterLog().empty());
    EXPECT_FALSE(combs.CanCombsUndo());

    // With offset 2 the three draws ending two back.
    archive.SetDrawsOffset(2);
    combs.CombsDelExists(3);
    for (int i : {5, 6, 7}) EXPECT_FALSE(InList(archive.Draws()[i].Numbers)) << i;
    for (int i : {4, 8, 9}) EXPECT_TRUE(InList(archive.Draws()[i].Numbers)) << i;
}

TEST_F(CombsTest, DelExistsNeedsAListAnArchiveAndACount) {
    combs.GenerateCombs(true, 0, "");
    EXPECT_FALSE(combs.CanCombsDelExists(3));  // empty archive
    MakeArchive(3);
    EXPECT_FALSE(combs.CanCombsDelExists(0));
    EXPECT_TRUE(combs.CanCombsDelExists(5));
    session.Core().BeginBusy();
    EXPECT_FALSE(combs.CanCombsDelExists(5));
    EXPECT_FALSE(combs.CanCombsGen());
    session.Core().EndBusy();
    // More draws than the archive holds: every draw.
    combs.CombsDelExists(1000);
    EXPECT_EQ(combs.Count(), kCombCount - 3);
}

TEST_F(CombsTest, PasteStopsAtAMalformedLineAndRestoresTheList) {
    combs.GenerateCombs(true, 2, "1;2;3;4;5;6;7;8;9");
    combs.AddFilterLog(false, "Сумма", "36");
    const TCombsArray before = combs.Combs();
    ui.clipboard = "01 02 03 04 05 06 07 08\r\n1 2 3\r\n20 19 18 17 16 15 14 13";
    ASSERT_TRUE(combs.CanCombsPaste());
    combs.CombsPaste();
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, "Некорректная комбинация: \"1 2 3\"!");
    EXPECT_EQ(ui.messages[0].title, "Ошибка");
    EXPECT_EQ(combs.Combs(), before);
    EXPECT_FALSE(combs.CanCombsUndo());
    EXPECT_EQ(combs.FilterLog().size(), 1u);

    ui.clipboard = "01 02 03 04 05 06 07 08\r\n20,19,18,17,16,15,14,13\r\n";
    combs.CombsPaste();
    ASSERT_EQ(combs.Count(), 2);
    EXPECT_EQ(combs.Combs()[1], (TComb{20, 19, 18, 17, 16, 15, 14, 13}));
    EXPECT_TRUE(combs.FilterLog().empty());
    EXPECT_FALSE(combs.CanCombsUndo());
    EXPECT_EQ(ui.panels[3], "Комбинаций: 2");

    ui.clipboard = "";  // no lines: nothing changes
    combs.CombsPaste();
    EXPECT_EQ(combs.Count(), 2);
    ui.clipboard.reset();
    EXPECT_FALSE(combs.CanCombsPaste());
}

TEST_F(CombsTest, CopyPutsTheSelectedRowsInRowOrder) {
    combs.GenerateCombs(true, 2, "1;2;3;4;5;6;7;8;9");
    ASSERT_TRUE(combs.CanCombsCopy());
    combs.CombsCopy({8, 0});
    EXPECT_EQ(ui.clipboard, "01 02 03 04 05 06 07 08\r\n02 03 04 05 06 07 08 09");
    EXPECT_EQ(ui.StatusTexts().back(), "Подождите пожалуйста...");
}

TEST_F(CombsTest, DeleteSelectedLogsTheCount) {
    combs.GenerateCombs(true, 2, "1;2;3;4;5;6;7;8;9");
    ASSERT_FALSE(combs.CanCombsDelSelected({}));
    ASSERT_TRUE(combs.CanCombsDelSelected({0, 2}));
    combs.CombsDelSelected({0, 2, 2, 50});
    EXPECT_EQ(combs.Count(), 7);
    EXPECT_EQ(combs.Combs()[0], (TComb{1, 2, 3, 4, 5, 6, 7, 9}));
    EXPECT_EQ(combs.FilterLog().back(),
              (TFilterLogLine{"Выделенные комбинации", "2", 7, TFilterMark::Exclusion}));
    EXPECT_NE(std::find(ui.StatusTexts().begin(), ui.StatusTexts().end(),
                        "Удаление выделенных комбинаций..."),
              ui.StatusTexts().end());
    combs.CombsUndo();
    EXPECT_EQ(combs.Count(), 9);
}

TEST_F(CombsTest, NarrowingOwnsUndoLogAndRefresh) {
    combs.GenerateCombs(true, 2, "1;2;3;4;5;6;7;8;9");
    int changed = 0;
    TSubscription changes =
        session.Core().Events().workingListChanged.Subscribe([&] { ++changed; });
    ui.Clear();
    combs.Narrow({"Отбор...", false, "Первый номер", "1"},
                 [](const TCombsArray& source, TCombsArray& kept) {
                     for (const TComb& c : source)
                         if (c[0] == 1) kept.push_back(c);
                 });
    EXPECT_EQ(combs.Count(), 8);
    EXPECT_EQ(combs.FilterLog().back(),
              (TFilterLogLine{"Первый номер", "1", 8, TFilterMark::Inclusion}));
    EXPECT_EQ(ui.StatusTexts(), (std::vector<std::string>{"Создание файла отката...", "Отбор..."}));
    EXPECT_EQ(ui.panels[3], "Комбинаций: 8");
    EXPECT_EQ(changed, 1);

    // A narrowing that fails leaves the list, its log and its undo step as they were.
    EXPECT_THROW(combs.Narrow({"Отбор...", true, "x", "x"},
                              [](const TCombsArray&, TCombsArray& kept) {
                                  kept.push_back({});
                                  throw EZentrix("stop");
                              }),
                 EZentrix);
    EXPECT_EQ(combs.Count(), 8);
    EXPECT_EQ(combs.FilterLog().size(), 1u);
    combs.CombsUndo();
    EXPECT_EQ(combs.Count(), 9);
    EXPECT_TRUE(combs.FilterLog().empty());
}

TEST_F(CombsTest, OpenAndSaveFiles) {
    combs.GenerateCombs(true, 2, "1;2;3;4;5;6;7;8;9");
    const std::string name = dir.File("nine.lcv");
    ui.files.push_back(name);
    ASSERT_TRUE(combs.CanCombsSave());
    combs.CombsSave();
    EXPECT_EQ(ui.events.back(), "status:");
    EXPECT_NE(std::find(ui.events.begin(), ui.events.end(),
                        "status:Сохранение файла \"" + name + "\"..."),
              ui.events.end());
    EXPECT_EQ(ReadTextLines(name).size(), 9u);

    combs.GenerateCombs(true, 0, "");
    combs.AddFilterLog(true, "x", "1");
    ui.files.push_back(name);
    combs.CombsOpen();
    EXPECT_EQ(combs.Count(), 9);
    EXPECT_TRUE(combs.FilterLog().empty());
    EXPECT_FALSE(combs.CanCombsUndo());

    // A failed open brings the previous list back.
    ui.Clear();
    combs.OpenCombFile(dir.File("missing.lcv"));
    EXPECT_EQ(combs.Count(), 9);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_FALSE(combs.CanCombsUndo());
    EXPECT_EQ(ui.StatusTexts()[1], "Загрузка файла \"" + dir.File("missing.lcv") + "\"...");

    combs.WriteCombFile(dir.File("no/such/folder/x.lcv"));
    EXPECT_EQ(ui.messages.back().text.rfind("Ошибка записи в файл \"", 0), 0u);
}

TEST_F(CombsTest, KeyedBuffer) {
    combs.GenerateCombs(true, 2, "1;2;3;4;5;6;7;8;9");
    EXPECT_FALSE(combs.LoadBuffer(-1, -1));  // empty
    combs.StoreBuffer(4, 7);
    EXPECT_EQ(combs.BufferCount(), 9);
    combs.GenerateCombs(false, 2, "1;2;3;4;5;6;7;8;9;10");
    combs.StoreBuffer(4, 7);  // same keys: the buffer stays
    EXPECT_EQ(combs.BufferCount(), 9);
    EXPECT_FALSE(combs.LoadBuffer(4, 8));
    EXPECT_EQ(combs.Count(), 45);
    EXPECT_TRUE(combs.LoadBuffer(4, 7));
    EXPECT_EQ(combs.Count(), 9);
    EXPECT_EQ(ui.StatusTexts().back(), "Загрузка буфера комбинаций...");
    combs.InvalidateBuffer();
    EXPECT_FALSE(combs.LoadBuffer(-1, -1));
    EXPECT_EQ(combs.BufferKeys(), (std::pair<int, int>{-1, -1}));
}

TEST_F(CombsTest, FilterLogMarks) {
    combs.GenerateCombs(true, 2, "1;2;3;4;5;6;7;8;9");
    combs.AddFilterLog(false, "Сумма", "40");
    combs.AddUndoLog();
    EXPECT_EQ(combs.FilterLog()[0].mark, TFilterMark::Inclusion);
    EXPECT_EQ(combs.FilterLog()[1],
              (TFilterLogLine{"Отмена последней операции", "", 9, TFilterMark::Undone}));
    combs.DropLastLog();
    combs.DropLastLog();
    combs.DropLastLog();
    EXPECT_TRUE(combs.FilterLog().empty());
}

TEST_F(CombsTest, ArchiveSearchAndInformation) {
    MakeArchive(5);
    combs.GenerateCombs(true, 0, "");
    TComb drawn = archive.Draws()[3].Numbers;
    std::sort(drawn.begin(), drawn.end());
    const int row = static_cast<int>(std::find(combs.Combs().begin(), combs.Combs().end(), drawn) -
                                     combs.Combs().begin());
    ASSERT_TRUE(combs.CanCombsFindInDraws(row));
    combs.CombsFindInDraws(row);
    EXPECT_EQ(ui.messages.back().text,
              "Выделенная комбинация найдена в следующих тиражах:\n\nТираж № 4 от , значения: " +
                  NumbersText(archive.Draws()[3].Numbers) + " e:0");
    EXPECT_EQ(ui.StatusTexts().back(), "Поиск по архиву тиражей...");
    combs.CombsFindInDraws(0);
    EXPECT_EQ(ui.messages.back().text, "Выделенная комбинация не найдена в архиве тиражей!");

    archive.SetDrawsOffset(2);
    TSubscription rows = session.Core().Events().infoRows.Subscribe(
        [](const TInfoRowsQuery& q, std::vector<TInfoProperty>& out) {
            EXPECT_FALSE(q.isDraw);
            out.push_back({"Первое", std::to_string(q.numbers[0])});
            out.push_back({"Позиция", std::to_string(q.position)});
        });
    EXPECT_EQ(combs.InfoProperties(0),
              (std::vector<TInfoProperty>{{"Первое", "1"}, {"Позиция", "2"}}));
    EXPECT_FALSE(combs.CanCombsInfo(-1));
}

TEST_F(CombsTest, SessionInitializationGeneratesFromTheSavedDefaults) {
    WriteTextLines(dir.File("Zentrix_8x20.ini"),
                   {"[GLOBAL]", "CombsGenerateMode=1", "CombsGenerateParameters=1"});
    test::TFakeUi ui2;
    TMainSession fresh(dir.Path(), ui2);
    fresh.LoadWindowSettings();
    fresh.LoadConfig();
    fresh.Initialize();
    EXPECT_EQ(fresh.Combs().Count(), 50388);
    EXPECT_EQ(ui2.panels[3], "Комбинаций: 50388");
    EXPECT_EQ(ui2.panels[0], "Архив тиражей: 0");
    EXPECT_TRUE(ui2.messages.empty());
    EXPECT_EQ(ui2.status, "");
}

}  // namespace
}  // namespace zentrix
