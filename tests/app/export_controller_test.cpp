#include "app/export_controller.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "app/session.h"
#include "core/archive_file.h"
#include "stakes/stakes_env.h"
#include "support/fake_ui.h"
#include "support/temp_dir.h"
#include "support/xlsx_read.h"
#include "util/files.h"
#include "util/ini.h"

namespace zentrix {
namespace {

constexpr const char* kSection = "EXPORT_EXCEL_FORMMAIN.LVDRAWS";

struct ExportControllerTest : ::testing::Test {
    test::TFormatGuard guard{','};
    test::TTempDir dir;
    test::TFakeUi ui;
    TMainSession session{dir.Path(), ui};
    TExportController exporter{session};
    const TExportTableEntry& draws = *FindExportTable("draws");
    std::string out = dir.File("книга.xlsx");

    ExportControllerTest() {
        TDrawsArray array;
        for (int n = 1; n <= 4; ++n)
            array.push_back(test::Draw(n, {n, n + 1, n + 2, n + 3, n + 4, n + 5, n + 6, n + 7}));
        WriteDrawsFile(dir.File("Zentrix_8x20.ldr"), array);
        session.Archive().LoadArchive();
        ui.Clear();
    }
};

TEST_F(ExportControllerTest, TablesAndTheirCommands) {
    std::vector<std::string> controls;
    for (const TExportTableEntry& e : ExportTables()) controls.push_back(e.control);
    EXPECT_EQ(controls, (std::vector<std::string>{"lvDraws", "lvCombs", "lvDrawsStat", "sgStakes",
                                                  "lvRatings", "sgCard", "sgLayout"}));
    EXPECT_EQ(draws.caption, "Экспорт в Microsoft Excel");
    EXPECT_EQ(draws.hint, "Экспорт списка тиражей в Microsoft Excel");
    EXPECT_TRUE(FindExportTable("stakes")->grid);
    EXPECT_EQ(FindExportTable("nothing"), nullptr);
    EXPECT_TRUE(exporter.CanExport(draws));
    EXPECT_FALSE(exporter.CanExport(*FindExportTable("combs")));  // no working list yet
    EXPECT_FALSE(exporter.CanExport(*FindExportTable("ratings")));
    session.Core().BeginBusy();
    EXPECT_FALSE(exporter.CanExport(draws));
    session.Core().EndBusy();
}

TEST_F(ExportControllerTest, OpensWithTheTablesDefaultsAndSelection) {
    TExportJob job = exporter.Open(draws, {3, 1, 9}, {{"Тираж", 96}});
    EXPECT_EQ(job.Section(), kSection);
    EXPECT_EQ(job.options.title, "Архив тиражей");
    EXPECT_EQ(job.options.sheetName, "Архив тиражей");
    EXPECT_EQ(job.options.rowMode, 1);
    EXPECT_EQ(job.selected, (std::vector<size_t>{1, 3}));  // sorted, out-of-range dropped
    EXPECT_EQ(job.RowCount(0), 4u);
    EXPECT_EQ(job.RowCount(1), 2u);
    ASSERT_EQ(job.options.fields.size(), 12u);
    EXPECT_EQ(job.options.fields[0].width, "12,00");
    EXPECT_EQ(job.options.fields.back().caption, "Дата тиража");
    EXPECT_EQ(job.options.fields.back().alignment, 0);
    EXPECT_EQ(job.options.fields[1].alignment, 1);
    EXPECT_EQ(exporter.Open(draws, {2}).options.rowMode, 0);
}

TEST_F(ExportControllerTest, ExportStoresChoosesWritesAndOpens) {
    TExportJob job = exporter.Open(draws, {0, 2});
    job.options.notes = "Пояснение";
    job.options.fields[0].caption = "Номер";
    ui.files.push_back(out);
    ASSERT_TRUE(exporter.Export(job));
    EXPECT_EQ(ui.events.back(), "open:" + out);
    // 2 x 12 fields + 2 rows + 5 steps.
    EXPECT_NE(
        std::find(ui.events.begin(), ui.events.end(), "progress:Экспорт в Microsoft Excel...:31"),
        ui.events.end());
    EXPECT_EQ(std::count(ui.events.begin(), ui.events.end(), "progress-close"), 1);
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_TRUE(session.Core().NotBusy());
    const std::vector<std::string> cells = test::SheetCells(out);
    EXPECT_NE(std::find(cells.begin(), cells.end(), "A5=Номер"), cells.end());
    EXPECT_NE(std::find(cells.begin(), cells.end(), "A6=4"), cells.end());
    EXPECT_NE(std::find(cells.begin(), cells.end(), "A7=2"), cells.end());
    EXPECT_EQ(std::find(cells.begin(), cells.end(), "A8=1"), cells.end());

    // Stored in the program's settings and restored at the next opening.
    const TIniFile ini(dir.File("Zentrix_8x20.ini"));
    EXPECT_EQ(ini.ReadString(kSection, "RestoreParameters", ""), "1");
    EXPECT_EQ(ini.ReadString(kSection, "Notes", ""), "Пояснение");
    const TExportJob again = exporter.Open(draws, {});
    EXPECT_EQ(again.options.notes, "Пояснение");
    EXPECT_EQ(again.options.fields[0].caption, "Номер");
}

TEST_F(ExportControllerTest, CancelledChoiceWritesNothing) {
    const TExportJob job = exporter.Open(draws, {});
    EXPECT_FALSE(exporter.Export(job));
    EXPECT_FALSE(FileExists(out));
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(ExportControllerTest, WritingFailureShowsTheExportError) {
    const TExportJob job = exporter.Open(draws, {});
    ui.files.push_back(dir.File("missing/x.xlsx"));
    EXPECT_FALSE(exporter.Export(job));
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].title, "Ошибка");
    EXPECT_EQ(ui.messages[0].text.rfind("Ошибка экспорта данных в Microsoft Excel!\n", 0), 0u);
    EXPECT_EQ(std::count(ui.events.begin(), ui.events.end(), "progress-close"), 1);
    EXPECT_TRUE(session.Core().NotBusy());
    for (const std::string& e : ui.events) EXPECT_NE(e.rfind("open:", 0), 0u);
}

TEST_F(ExportControllerTest, DataFilesAreNeverWrittenOver) {
    const std::string archive = dir.File("Zentrix_8x20.ldr");
    const std::string before = ReadFileBytes(archive);
    const TExportJob job = exporter.Open(draws, {});
    ui.files.push_back(archive);
    EXPECT_FALSE(exporter.Export(job));
    EXPECT_FALSE(exporter.SaveOptionsFile(job, archive));
    ASSERT_EQ(ui.messages.size(), 2u);
    EXPECT_NE(ui.messages[0].text.find("Это один из файлов данных программы"), std::string::npos);
    EXPECT_EQ(ui.messages[1].text.rfind("Ошибка сохранения параметров экспорта в файле", 0), 0u);
    EXPECT_EQ(ReadFileBytes(archive), before);
}

TEST_F(ExportControllerTest, ParameterFilesThroughTheDialogCommands) {
    TExportJob job = exporter.Open(draws, {});
    job.options.title = "Из файла";
    ASSERT_TRUE(exporter.SaveOptionsFile(job, dir.File("a.exp")));
    TExportJob other = exporter.Open(draws, {});
    ASSERT_TRUE(exporter.LoadOptionsFile(other, dir.File("a.exp")));
    EXPECT_EQ(other.options.title, "Из файла");

    AtomicWriteFile(dir.File("bad.exp"), "\x01\x02");
    EXPECT_FALSE(exporter.LoadOptionsFile(other, dir.File("bad.exp")));
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(
        ui.messages[0].text.rfind(
            "Ошибка загрузки параметров экспорта из файла \"" + dir.File("bad.exp") + "\"!", 0),
        0u);
    EXPECT_EQ(other.options.title, "Из файла");

    ui.files.push_back(dir.File("b.exp"));
    EXPECT_EQ(exporter.ChooseOptionsFile(true), dir.File("b.exp"));
}

}  // namespace
}  // namespace zentrix
