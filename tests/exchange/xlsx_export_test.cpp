#include "exchange/xlsx_export.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <filesystem>

#include "support/temp_dir.h"
#include "support/xlsx_read.h"
#include "util/errors.h"
#include "util/files.h"

namespace zentrix {
namespace {

using test::SheetCells;

TTextTable SampleTable() {
    TTextTable table;
    table.headers = {"Тираж", "1", "Дата тиража"};
    table.alignments = {TCellAlign::Right, TCellAlign::Right, TCellAlign::Left};
    table.widths = {70, 32, 110};
    table.rows = {{"3", "5", "01.01.2024 10:00"}, {"2", "<&>"}, {"1", "9", "x"}};
    return table;
}

bool Has(const std::vector<std::string>& cells, const std::string& cell) {
    return std::find(cells.begin(), cells.end(), cell) != cells.end();
}

struct XlsxExportTest : ::testing::Test {
    test::TFormatGuard guard{','};
    test::TTempDir dir;
    std::string path = dir.File("out.xlsx");
    TExportOptions options =
        DefaultExportOptions(SampleTable(), false, "Архив тиражей", "Архив/тиражей");
};

TEST_F(XlsxExportTest, WritesTitleHeaderCellsAndWidths) {
    options.notes = "Заметка";
    options.fields[0].width = "12,50";
    options.fields[1].width = "12.50";
    options.fields[2].width = "300";
    options.fields[2].caption = "Дата";
    std::vector<std::string> steps;
    WriteExportWorkbook(path, options, SampleTable(), {0, 1, 2}, "Отчет построен: 1.",
                        [&steps](const std::string& text) { steps.push_back(text); });
    const std::vector<std::string> cells = SheetCells(path);
    const std::vector<std::string> expected = {"A1=Архив тиражей",
                                               "A2=Заметка",
                                               "A3=Отчет построен: 1.",
                                               "A5=Тираж",
                                               "B5=1",
                                               "C5=Дата",
                                               "A6=3",
                                               "B6=5",
                                               "C6=01.01.2024 10:00",
                                               "A7=2",
                                               "B7=<&>",
                                               "A8=1",
                                               "B8=9",
                                               "C8=x"};
    for (const std::string& cell : expected) EXPECT_TRUE(Has(cells, cell)) << cell;
    // The second row has no third cell text: written empty.
    EXPECT_FALSE(Has(cells, "C7=x"));
    const std::vector<std::string> widths = test::ColumnWidths(path);
    ASSERT_EQ(widths.size(), 3u);
    EXPECT_EQ(widths[0], widths[1]);  // comma and full stop read alike
    EXPECT_EQ(widths[2].rfind("255.7", 0), 0u) << widths[2];
    EXPECT_NE(test::XlsxPart(path, "xl/workbook.xml").find("name=\"Архив-тиражей\""),
              std::string::npos);
    // 2 x fields + rows + 5 steps.
    EXPECT_EQ(std::count(steps.begin(), steps.end(), std::string()), ExportStepCount(options, 3));
    EXPECT_EQ(ExportStepCount(options, 3), 14);
}

TEST_F(XlsxExportTest, OnlyCheckedFieldsAndGivenRowsInTheirOrder) {
    options.showCreateTime = false;
    options.fields[0].checked = false;
    PutCheckedFirst(options.fields);
    options.pageOrientation = 2;
    WriteExportWorkbook(path, options, SampleTable(), {2}, "unused");
    const std::vector<std::string> cells = SheetCells(path);
    EXPECT_TRUE(Has(cells, "A3=1"));
    EXPECT_TRUE(Has(cells, "B3=Дата тиража"));
    EXPECT_TRUE(Has(cells, "A4=9"));
    EXPECT_TRUE(Has(cells, "B4=x"));
    EXPECT_FALSE(Has(cells, "A4=5"));
    for (const std::string& c : cells) EXPECT_EQ(c.find("unused"), std::string::npos);
    EXPECT_EQ(test::ColumnWidths(path).size(), 2u);
    EXPECT_NE(test::XlsxPart(path, "xl/worksheets/sheet1.xml").find("orientation=\"landscape\""),
              std::string::npos);
}

TEST_F(XlsxExportTest, FailuresLeaveTheOldFile) {
    AtomicWriteFile(path, "old");
    EXPECT_THROW(WriteExportWorkbook(path, options, SampleTable(), {7}, ""), EZentrix);
    EXPECT_EQ(ReadFileBytes(path), "old");

    std::filesystem::create_directory(dir.File("folder.xlsx"));
    EXPECT_THROW(WriteExportWorkbook(dir.File("folder.xlsx"), options, SampleTable(), {0}, ""),
                 EFileError);
    EXPECT_THROW(WriteExportWorkbook(dir.File("missing/out.xlsx"), options, SampleTable(), {0}, ""),
                 EFileError);

    const std::string locked = dir.File("locked");
    std::filesystem::create_directory(locked);
    chmod(locked.c_str(), 0555);
    EXPECT_THROW(WriteExportWorkbook(locked + "/out.xlsx", options, SampleTable(), {0}, ""),
                 EFileError);
    chmod(locked.c_str(), 0755);
    EXPECT_FALSE(FileExists(locked + "/out.xlsx"));
}

TEST_F(XlsxExportTest, ControlCharactersAreDropped) {
    TTextTable table = SampleTable();
    table.rows[0][2] = std::string("a\x01") + "b";
    WriteExportWorkbook(path, options, table, {0}, "");
    EXPECT_TRUE(Has(SheetCells(path), "C5=ab")) << test::XlsxPart(path, "xl/worksheets/sheet1.xml");
}

}  // namespace
}  // namespace zentrix
