#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <array>
#include <filesystem>

#include "core/archive_file.h"
#include "core/comb_file.h"
#include "stakes/stakes_env.h"
#include "support/cli_run.h"
#include "support/temp_dir.h"
#include "support/xlsx_read.h"
#include "util/files.h"
#include "util/ini.h"

namespace zentrix {
namespace {

using test::RunCommand;

bool Has(const std::vector<std::string>& cells, const std::string& cell) {
    return std::find(cells.begin(), cells.end(), cell) != cells.end();
}

// Draws 1..3 (draw n holds n..n+7) and stakes checked against them.
struct CliExport : ::testing::Test {
    test::TTempDir dir;
    std::string out = dir.File("out.xlsx");

    CliExport() {
        TDrawsArray draws;
        for (int n = 1; n <= 3; ++n)
            draws.push_back(test::Draw(n, {n, n + 1, n + 2, n + 3, n + 4, n + 5, n + 6, n + 7}));
        WriteDrawsFile(dir.File("Zentrix_8x20.ldr"), draws);
    }
    test::TCliResult Run(std::vector<std::string> args) {
        args.insert(args.begin(), {"--dir", dir.Path()});
        return RunCommand(args);
    }
};

TEST_F(CliExport, DrawsAllRowsNewestFirst) {
    const auto r = Run({"export", "draws", "--out", out});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "3\n");
    const std::vector<std::string> cells = test::SheetCells(out);
    EXPECT_TRUE(Has(cells, "A1=Архив тиражей"));
    EXPECT_TRUE(Has(cells, "A4=Тираж"));
    EXPECT_TRUE(Has(cells, "A5=3"));
    EXPECT_TRUE(Has(cells, "B5=3"));
    EXPECT_TRUE(Has(cells, "A7=1"));
    EXPECT_NE(test::XlsxPart(out, "xl/workbook.xml").find("name=\"Архив тиражей\""),
              std::string::npos);
    // The command line does not change the stored options.
    EXPECT_FALSE(
        TIniFile(dir.File("Zentrix_8x20.ini")).SectionExists("EXPORT_EXCEL_FORMMAIN.LVDRAWS"));
}

TEST_F(CliExport, SelectedRowsAndAParameterFile) {
    WriteTextLines(dir.File("p.exp"),
                   {"[EXPORT_EXCEL_FORMMAIN.LVDRAWS]", "Title=Мой отчет", "ShowCreateTime=0",
                    "Item_0=0;Тираж;Номер;-1;0;10", "Item_1=1;1;Первое;0;0;10"});
    const auto r = Run(
        {"export", "draws", "--out", out, "--options", dir.File("p.exp"), "--selected", "1, 3"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "2\n");
    const std::vector<std::string> cells = test::SheetCells(out);
    EXPECT_TRUE(Has(cells, "A1=Мой отчет"));
    EXPECT_TRUE(Has(cells, "A3=Номер"));
    EXPECT_TRUE(Has(cells, "B3=2"));  // "1" unchecked: the next column follows
    EXPECT_TRUE(Has(cells, "A4=3"));
    EXPECT_TRUE(Has(cells, "A5=1"));
    EXPECT_FALSE(Has(cells, "A6=2"));
}

TEST_F(CliExport, CombsStatsAndStakes) {
    WriteCombFile(dir.File("l.lcv"), {test::Comb({1, 2, 3, 4, 5, 6, 7, 8})});
    auto r = Run({"export", "combs", "--in", dir.File("l.lcv"), "--out", out});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(Has(test::SheetCells(out), "I5=8"));

    r = Run({"export", "stats", "--method", "NUMS", "--window", "3", "--out", out});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(Has(test::SheetCells(out), "A1=Статистика"));

    ASSERT_EQ(Run({"stakes", "add", "1;2;3;4;5;6;7;9", "--offset", "1"}).status, 0);
    r = Run({"export", "stakes", "--out", out});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "1\n");
    EXPECT_TRUE(Has(test::SheetCells(out), "A4=№ тиража"));
    r = Run({"export", "ratings", "--out", out});
    EXPECT_EQ(r.status, 0) << r.err;
}

// The grids export as the tabs show them: the card newest draw first.
TEST_F(CliExport, CardAndScheme) {
    auto r = Run({"export", "card", "--out", out});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "3\n");
    std::vector<std::string> cells = test::SheetCells(out);
    EXPECT_TRUE(Has(cells, "A1=Карта"));
    EXPECT_TRUE(Has(cells, "A5=3"));
    EXPECT_TRUE(Has(cells, "D5=3"));
    EXPECT_TRUE(Has(cells, "K5=10"));
    r = Run({"export", "scheme", "--out", out});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(Has(test::SheetCells(out), "A1=Схема"));
}

TEST_F(CliExport, BadInputFailsClearly) {
    struct TCase {
        std::vector<std::string> args;
        std::string message;
    };
    std::filesystem::create_directory(dir.File("locked"));
    chmod(dir.File("locked").c_str(), 0555);
    WriteTextLines(dir.File("bad.exp"), {"garbage", "[OTHER]"});
    const TCase cases[] = {
        {{"export", "cards", "--out", out}, "Неизвестная таблица \"cards\""},
        {{"export", "draws", "--out", dir.File("locked/x.xlsx")},
         "Ошибка экспорта данных в Microsoft Excel!"},
        {{"export", "draws", "--out", dir.File("none/x.xlsx")},
         "Ошибка экспорта данных в Microsoft Excel!"},
        {{"export", "draws", "--out", out, "--selected", "0"}, "Неверный номер строки \"0\""},
        {{"export", "draws", "--out", out, "--selected", "2-9"}, "строки таблицы от 1 до 3"},
        {{"export", "draws", "--out", out, "--selected", "3-1"}, "Неверный диапазон строк"},
        {{"export", "draws", "--out", out, "--selected", ","}, "Пустой список строк"},
        {{"export", "draws", "--out", out, "--options", dir.File("bad.exp")},
         "Ошибка загрузки параметров экспорта из файла"},
        {{"export", "combs", "--out", out}, "нужен --in"},
        {{"export", "stats", "--out", out}, "нужен --method"},
        {{"export", "stakes", "--out", out}, "пуста"},
    };
    for (const TCase& c : cases) {
        const auto r = Run(c.args);
        EXPECT_NE(r.status, 0) << c.args[1];
        EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
        EXPECT_FALSE(FileExists(out)) << c.args[1];
    }
    chmod(dir.File("locked").c_str(), 0755);
    EXPECT_EQ(ReadTextLines(dir.File("bad.exp")), (std::vector<std::string>{"garbage", "[OTHER]"}));
}

}  // namespace
}  // namespace zentrix
