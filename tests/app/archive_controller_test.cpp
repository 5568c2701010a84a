#include "app/archive_controller.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "app/session.h"
#include "core/archive_file.h"
#include "support/counting_view.h"
#include "support/fake_ui.h"
#include "support/temp_dir.h"
#include "util/files.h"
#include "util/ini.h"

namespace zentrix {
namespace {

using test::TCountingView;

// Draws first..last; draw n holds the numbers n % 13 + 1 .. n % 13 + 8 in descending order.
TDrawsArray MakeDraws(int first, int last) {
    TDrawsArray draws;
    for (int n = first; n <= last; ++n) {
        TDraw d;
        d.Number = n;
        for (int i = 0; i < 8; ++i) d.Numbers[i] = static_cast<uint8_t>(n % 13 + 8 - i);
        d.Extra = 1;
        draws.push_back(d);
    }
    return draws;
}

struct ArchiveTest : ::testing::Test {
    test::TTempDir dir;
    test::TFakeUi ui;
    TMainSession session{dir.Path(), ui};
    TArchiveController& archive = session.Archive();
    TCountingView view;
    std::string path = dir.File("Zentrix_8x20.ldr");

    ArchiveTest() { session.Core().RegisterView(&view); }
    void CopyFixture(const char* name) {
        std::filesystem::copy_file(std::string(ZENTRIX_TEST_DATA) + "/" + name, path);
    }
};

TEST_F(ArchiveTest, MissingFileIsAnEmptyArchive) {
    archive.LoadArchive();
    EXPECT_EQ(archive.Count(), 0);
    EXPECT_EQ(ui.panels[0], "Архив тиражей: 0");
    EXPECT_EQ(ui.panels[1], "Следующий тираж: 1");
    EXPECT_EQ(ui.panels[2], "");
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_FALSE(FileExists(path));
}

TEST_F(ArchiveTest, LoadsNewestFirstWithStatusAndPanels) {
    CopyFixture("archive_3_records.ldr");
    archive.LoadArchive();
    ASSERT_EQ(archive.Count(), 3);
    EXPECT_EQ(archive.RowTexts(0)[0], "103");
    EXPECT_EQ(archive.RowTexts(2)[0], "101");
    EXPECT_EQ(ui.StatusTexts(), (std::vector<std::string>{"Загрузка файла тиражей..."}));
    EXPECT_EQ(ui.status, "");
    EXPECT_TRUE(session.Core().NotBusy());
    EXPECT_EQ(ui.panels[0], "Архив тиражей: 3");
    EXPECT_EQ(ui.panels[1], "Следующий тираж: 104");
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(ArchiveTest, OffsetMovesTheReferenceDraw) {
    archive.Assign(MakeDraws(101, 105));
    archive.SetDrawsOffset(2);
    EXPECT_EQ(archive.ReferenceIndex(), 2);
    EXPECT_EQ(ui.panels[1], "Следующий тираж: 104");
    EXPECT_EQ(ui.panels[2], "8;7;6;5;4;3;2;1");  // draw 104
    EXPECT_TRUE(archive.NextDrawSet().test(8));
    EXPECT_FALSE(archive.NextDrawSet().test(9));
    EXPECT_EQ(view.calls, (std::vector<bool>{false}));
    archive.SetDrawsOffset(2);  // unchanged: nothing recomputes
    EXPECT_EQ(view.calls.size(), 1u);
    archive.SetDrawsOffset(99);  // the spin's range
    EXPECT_EQ(archive.DrawsOffset(), 4);
    EXPECT_EQ(ui.panels[2], "19;18;17;16;15;14;13;12");  // draw 102
    archive.SetDrawsOffset(0);
    EXPECT_EQ(ui.panels[2], "");
    EXPECT_TRUE(archive.NextDrawSet().none());
}

TEST_F(ArchiveTest, DamagedFileKeepsItsRecordsAndIsBackedUpBeforeTheFirstSave) {
    CopyFixture("archive_3_records_10_stray.ldr");
    const std::string original = ReadFileBytes(path);
    archive.LoadArchive();
    ASSERT_EQ(archive.Count(), 3);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].title, "Ошибка");
    EXPECT_EQ(ui.messages[0].text.rfind("Ошибка чтения файла тиражей!\n\n", 0), 0u);
    EXPECT_EQ(ReadFileBytes(path), original);  // reading changes nothing
    EXPECT_FALSE(FileExists(path + ".bak"));

    TDraw next = archive.NewDrawRecord();
    next.Numbers = {1, 2, 3, 4, 5, 6, 7, 8};
    archive.AddDraw(next);
    EXPECT_EQ(ReadFileBytes(path + ".bak"), original);
    const std::string saved = ReadFileBytes(path);
    ASSERT_EQ(saved.size(), 4 * kDrawRecordSize);
    EXPECT_EQ(saved.substr(0, 96), original.substr(0, 96));

    archive.SaveArchive();  // the backup is made once
    EXPECT_FALSE(FileExists(path + ".bak2"));
    EXPECT_EQ(ui.messages.size(), 1u);
}

TEST_F(ArchiveTest, RecordsWithBadValuesAreDamageKeptForTheUser) {
    CopyFixture("archive_4_bad_of_6.ldr");
    const std::string original = ReadFileBytes(path);
    archive.LoadArchive();
    ASSERT_EQ(archive.Count(), 6);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].title, "Ошибка");
    EXPECT_EQ(ui.messages[0].text.rfind("Ошибка чтения файла тиражей!\n\n", 0), 0u);
    EXPECT_NE(ui.messages[0].text.find(": 4, первая из них: тираж № 102."), std::string::npos);
    EXPECT_EQ(archive.RowTexts(4)[3], "175");  // shown as stored, so it can be corrected

    // Correcting one record is the first save: the damaged file is kept aside.
    TDraw fixed = archive.Draws()[1];
    fixed.Numbers = {5, 2, 17, 7, 12, 16, 9, 4};
    archive.EditDraw(4, fixed);
    EXPECT_EQ(ReadFileBytes(path + ".bak"), original);
    TDrawsArray saved = ReadDrawsFile(path).draws;
    ASSERT_EQ(saved.size(), 6u);
    EXPECT_EQ(saved[1], fixed);
    EXPECT_EQ(saved[2].Extra, 241);  // the others stay as they were
}

TEST_F(ArchiveTest, DamageCanBeReportedAsAWarning) {
    CopyFixture("archive_3_records_10_stray.ldr");
    archive.LoadArchive(TArchiveController::TDamageReport::Warning);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].kind, TMsgKind::Warning);
    EXPECT_EQ(ui.messages[0].title, "Предупреждение");
    EXPECT_EQ(ui.messages[0].text.rfind("Ошибка чтения файла тиражей!\n\n", 0), 0u);
    archive.AddDraw(archive.NewDrawRecord());
    EXPECT_TRUE(FileExists(path + ".bak"));  // the same backup as after an error box
}

TEST_F(ArchiveTest, UnreadableFileIsNeverOverwritten) {
    std::filesystem::create_directory(path);  // opens, but does not read
    archive.LoadArchive();
    ASSERT_EQ(ui.messages.size(), 1u);
    archive.AddDraw(archive.NewDrawRecord());
    ASSERT_EQ(ui.messages.size(), 2u);
    EXPECT_EQ(ui.messages[1].text.rfind("Ошибка записи в файл тиражей!\n\nНе удалось сохранить "
                                        "резервную копию поврежденного файла",
                                        0),
              0u)
        << ui.messages[1].text;
    EXPECT_TRUE(std::filesystem::is_directory(path));
    EXPECT_EQ(archive.Count(), 1);  // memory keeps the change
}

TEST_F(ArchiveTest, FailedSaveReportsAndKeepsMemory) {
    archive.Assign(MakeDraws(1, 3));
    std::filesystem::create_directory(path);
    EXPECT_FALSE(archive.SaveArchive());
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text.rfind("Ошибка записи в файл тиражей!\n\n", 0), 0u);
    EXPECT_EQ(archive.Count(), 3);
    EXPECT_EQ(ui.status, "");
    EXPECT_TRUE(session.Core().NotBusy());
}

TEST_F(ArchiveTest, AddAndEditSaveAndRecomputeTheViews) {
    archive.Assign(MakeDraws(101, 105));
    ui.Clear();
    TDraw added = archive.NewDrawRecord();
    EXPECT_EQ(added.Number, 106);
    added.Numbers = {3, 8, 1, 20, 14, 6, 11, 17};
    added.Extra = 2;
    archive.AddDraw(added);
    // Saved, then the views: the grid views follow the new length.
    EXPECT_EQ(ui.StatusTexts(),
              (std::vector<std::string>{
                  "Сохранение файла тиражей...", "Обновление карты тиражей...",
                  "Построение схемы выпадения номеров...", "Построение схемы выпадения номеров...",
                  "Построение статистики по дням недели..."}));
    EXPECT_EQ(view.calls, (std::vector<bool>{false}));
    EXPECT_EQ(ReadDrawsFile(path).draws.back(), added);
    EXPECT_EQ(ui.panels[0], "Архив тиражей: 6");

    TDraw edited = archive.Draws()[1];
    edited.Number = 900;  // out of sequence: the position stays
    ASSERT_TRUE(archive.CanDrawsEdit(4));
    archive.EditDraw(4, edited);
    EXPECT_EQ(archive.Draws()[1].Number, 900);
    EXPECT_EQ(ReadDrawsFile(path).draws[1].Number, 900);
    EXPECT_EQ(archive.RowTexts(4)[0], "900");
}

TEST_F(ArchiveTest, DeleteAsksAndDeletesTheSelectedRows) {
    archive.Assign(MakeDraws(101, 105));
    ui.Clear();
    EXPECT_FALSE(archive.DeleteDraws({0, 2}));  // No is the default answer
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text,
              "Удалить все выделенные записи (всего будет удалено 2 записи(ей))?");
    EXPECT_EQ(ui.messages[0].title, "Предупреждение");
    EXPECT_EQ(archive.Count(), 5);
    EXPECT_FALSE(FileExists(path));

    ui.Clear();
    ui.answers.push_back(TMsgResult::Yes);
    EXPECT_TRUE(archive.DeleteDraws({2, 0, 2}));
    EXPECT_EQ(ui.messages[0].text,
              "Удалить все выделенные записи (всего будет удалено 2 записи(ей))?");
    EXPECT_EQ(
        ui.StatusTexts(),
        (std::vector<std::string>{
            "Удаление выделенных тиражей....", "Сохранение файла тиражей...",
            "Обновление карты тиражей...", "Построение схемы выпадения номеров...",
            "Построение схемы выпадения номеров...", "Построение статистики по дням недели..."}));
    std::vector<int> left;
    for (const TDraw& d : ReadDrawsFile(path).draws) left.push_back(d.Number);
    EXPECT_EQ(left, (std::vector<int>{101, 102, 104}));
    EXPECT_EQ(view.calls, (std::vector<bool>{false}));

    ui.Clear();
    ui.answers.push_back(TMsgResult::Yes);
    archive.DeleteDraws({1});
    EXPECT_EQ(ui.messages[0].text, "Удалить выделенную запись?");
    EXPECT_EQ(archive.Count(), 2);
}

TEST_F(ArchiveTest, RepeatedNumbersDeleteTheRowsSelected) {
    TDrawsArray draws = MakeDraws(1, 3);
    draws[2].Number = 1;  // the newest draw repeats the oldest number
    archive.Assign(draws);
    ui.answers.push_back(TMsgResult::Yes);
    archive.DeleteDraws({2});  // the oldest row
    ASSERT_EQ(archive.Count(), 2);
    EXPECT_EQ(archive.Draws()[0].Number, 2);
    EXPECT_EQ(archive.Draws()[1].Numbers, draws[2].Numbers);
}

TEST_F(ArchiveTest, ShrinkingArchivePullsTheOffsetIn) {
    archive.Assign(MakeDraws(1, 5));
    archive.SetDrawsOffset(4);
    ui.answers.push_back(TMsgResult::Yes);
    archive.DeleteDraws({0, 1, 2});
    EXPECT_EQ(archive.DrawsOffset(), 1);
    EXPECT_EQ(archive.ReferenceIndex(), 0);
    EXPECT_EQ(ui.panels[1], "Следующий тираж: 2");
}

TEST_F(ArchiveTest, SortedDrawsChangesTheDisplayOnlyAndIsStoredAtOnce) {
    archive.Assign(MakeDraws(1, 2));
    archive.SaveArchive();
    const std::string file = ReadFileBytes(path);
    ASSERT_TRUE(archive.CanDrawsSorted());
    archive.ToggleSortedDraws();
    EXPECT_TRUE(archive.SortedDraws());
    EXPECT_EQ(archive.RowTexts(0)[1], "3");  // ascending
    EXPECT_EQ(archive.Draws()[1].Numbers[0], 10);
    EXPECT_EQ(ReadFileBytes(path), file);
    EXPECT_EQ(TIniFile(dir.File("Zentrix_8x20.frm")).ReadString("TFormMain", "SortedDraws", ""),
              "1");
    EXPECT_EQ(view.calls.back(), true);
    archive.ToggleSortedDraws();
    EXPECT_EQ(archive.RowTexts(0)[1], "10");
}

TEST_F(ArchiveTest, ActionsNeedTheirRowsAndAnIdleProgram) {
    archive.Assign(MakeDraws(1, 3));
    EXPECT_TRUE(archive.CanDrawsAdd());
    EXPECT_FALSE(archive.CanDrawsEdit(-1));
    EXPECT_FALSE(archive.CanDrawsEdit(3));
    EXPECT_TRUE(archive.CanDrawsInfo(2));
    EXPECT_FALSE(archive.CanDrawsDel({}));
    EXPECT_TRUE(archive.CanDrawsDel({7, 1}));
    session.Core().BeginBusy();
    EXPECT_FALSE(archive.CanDrawsAdd());
    EXPECT_FALSE(archive.CanDrawsEdit(0));
    EXPECT_FALSE(archive.CanDrawsDel({0}));
    EXPECT_FALSE(archive.CanDrawsInfo(0));
    EXPECT_FALSE(archive.CanDrawsSorted());
    session.Core().EndBusy();
}

TEST_F(ArchiveTest, InformationPropertiesJoinTheStatisticRows) {
    TDrawsArray draws = MakeDraws(1, 3);
    draws[0].SetDateText("07.03.2024 19:30");
    archive.Assign(draws);
    EXPECT_EQ(
        archive.InfoProperties(2),
        (std::vector<TInfoProperty>{{"Номер тиража:", "1"}, {"Дата тиража:", "07.03.2024 19:30"}}));
    TSubscription rows = session.Core().Events().infoRows.Subscribe(
        [](const TInfoRowsQuery& q, std::vector<TInfoProperty>& out) {
            out.push_back({"Сумма", std::to_string(q.numbers[0]) + "@" +
                                        std::to_string(q.position) + (q.sorted ? "s" : "") +
                                        (q.isDraw ? "" : "c")});
        });
    EXPECT_EQ(archive.InfoProperties(0).back(), (TInfoProperty{"Сумма", "11@2"}));
    EXPECT_EQ(archive.InfoProperties(0).size(), 2u);  // no date: left out
}

}  // namespace
}  // namespace zentrix
