#include "exchange/export_options.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/temp_dir.h"
#include "util/errors.h"
#include "util/files.h"
#include "util/ini.h"

namespace zentrix {
namespace {

const std::string kSection = "EXPORT_EXCEL_FORMMAIN.LVDRAWS";

TTextTable SampleTable() {
    TTextTable table;
    table.headers = {"Тираж", "1", "Дата тиража"};
    table.alignments = {TCellAlign::Right, TCellAlign::Center, TCellAlign::Left};
    table.widths = {70, 32, 110};
    table.rows = {{"3", "5", "01.01.2024 10:00"}, {"2", "7", ""}, {"1", "9", "x"}};
    return table;
}

struct ExportOptionsTest : ::testing::Test {
    test::TFormatGuard guard{','};
    test::TTempDir dir;
    TExportOptions Defaults() const {
        return DefaultExportOptions(SampleTable(), false, "Архив тиражей", "Архив тиражей");
    }
};

TEST_F(ExportOptionsTest, SectionNamesAreUpperCase) {
    EXPECT_EQ(ExportSection("FormMain", "lvDraws"), kSection);
    EXPECT_EQ(ExportSection("FormMain", "sgStakes"), "EXPORT_EXCEL_FORMMAIN.SGSTAKES");
}

TEST_F(ExportOptionsTest, DefaultsComeFromTheTable) {
    const TExportOptions o = Defaults();
    EXPECT_EQ(o.title, "Архив тиражей");
    EXPECT_EQ(o.sheetName, "Архив тиражей");
    EXPECT_EQ(o.notes, "");
    EXPECT_TRUE(o.showCreateTime);
    EXPECT_EQ(o.pageOrientation, 0);
    EXPECT_EQ(o.baseFontSize, 8);
    EXPECT_EQ(o.rowMode, 0);
    ASSERT_EQ(o.fields.size(), 3u);
    EXPECT_EQ(o.fields[0].caption, "Тираж");
    EXPECT_EQ(o.fields[0].physicalName, "Тираж");
    EXPECT_EQ(o.fields[2].sourceIndex, 2);
    EXPECT_TRUE(o.fields[1].checked);
    EXPECT_EQ(o.fields[0].alignment, 1);  // right
    EXPECT_EQ(o.fields[1].alignment, 2);  // centre
    EXPECT_EQ(o.fields[2].alignment, 0);
    EXPECT_EQ(o.fields[0].width, "8,75");
    EXPECT_EQ(o.fields[1].width, "4,00");

    const TExportOptions grid = DefaultExportOptions(SampleTable(), true, "t", "s");
    for (const TExportField& f : grid.fields) EXPECT_EQ(f.alignment, 0);
}

TEST_F(ExportOptionsTest, SheetNamesAreMadeSafe) {
    EXPECT_EQ(SafeSheetName("a/b:[c]?"), "a-b(c)");
    EXPECT_EQ(SafeSheetName("  \"x\\y*'  "), "x-y");
    EXPECT_EQ(SafeSheetName(std::string(40, 'z')), std::string(31, 'z'));
    // Characters, not bytes.
    EXPECT_EQ(SafeSheetName("Статистика по тиражам за весь период"),
              "Статистика по тиражам за весь п");
}

TEST_F(ExportOptionsTest, WidthsReadLeniently) {
    const std::pair<const char*, double> cases[] = {
        {"12,50", 12.5}, {"12.50", 12.5}, {"300", 255}, {"255", 255}, {"abc", 10},
        {"", 10},        {"7 px", 7},     {"-5", 0},    {"1.2.3", 10}};
    for (const auto& [text, width] : cases)
        EXPECT_DOUBLE_EQ(ExportColumnWidth(text), width) << text;
    EXPECT_DOUBLE_EQ(ExportEditWidth("abc"), 10);
    EXPECT_DOUBLE_EQ(ExportEditWidth("3,25"), 3.25);
}

TEST_F(ExportOptionsTest, HeaderRowFollowsTheTitleLines) {
    TExportOptions o = Defaults();
    o.notes = "   ";
    EXPECT_EQ(ExportHeaderRow(o), 4);  // blank notes do not count: date in row 2
    o.showCreateTime = false;
    o.notes = "";
    EXPECT_EQ(ExportHeaderRow(o), 3);
    o.showCreateTime = true;
    o.notes = "n";
    EXPECT_EQ(ExportHeaderRow(o), 5);
}

TEST_F(ExportOptionsTest, CheckedFieldsComeFirst) {
    TExportOptions o = Defaults();
    o.fields[0].checked = false;
    PutCheckedFirst(o.fields);
    EXPECT_EQ(o.fields[0].sourceIndex, 1);
    EXPECT_EQ(o.fields[1].sourceIndex, 2);
    EXPECT_EQ(o.fields[2].sourceIndex, 0);
}

TEST_F(ExportOptionsTest, ProgramIniRoundTrip) {
    TExportOptions o = Defaults();
    o.notes = "заметки";
    o.showCreateTime = false;
    o.sheetName = "Лист";
    o.pageOrientation = 2;
    o.baseFontSize = 11;
    o.fields[0].checked = false;
    o.fields[2].caption = "Дата";
    o.fields[2].alignment = 2;
    o.fields[2].width = "20,00";
    PutCheckedFirst(o.fields);
    TIniFile ini = TIniFile::FromText("[OTHER]\nKey=1\n");
    StoreExportOptions(ini, kSection, o, true);
    EXPECT_EQ(ini.ReadString(kSection, "Item_0", ""), "1;1;1;-1;2;4,00");
    EXPECT_EQ(ini.ReadString(kSection, "Item_2", ""), "0;Тираж;Тираж;0;1;8,75");
    EXPECT_EQ(ini.ReadString(kSection, "RestoreParameters", ""), "1");
    EXPECT_EQ(ini.ReadString("OTHER", "Key", ""), "1");

    TExportOptions back = Defaults();
    EXPECT_TRUE(RestoreExportOptions(ini, kSection, back, true).empty());
    EXPECT_EQ(back.title, "Архив тиражей");  // the box was not blank
    EXPECT_EQ(back.notes, "заметки");
    EXPECT_FALSE(back.showCreateTime);
    EXPECT_EQ(back.sheetName, "Лист");
    EXPECT_EQ(back.pageOrientation, 2);
    EXPECT_EQ(back.baseFontSize, 11);
    ASSERT_EQ(back.fields.size(), 3u);
    for (size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(back.fields[i].sourceIndex, o.fields[i].sourceIndex);
        EXPECT_EQ(back.fields[i].caption, o.fields[i].caption);
        EXPECT_EQ(back.fields[i].checked, o.fields[i].checked);
        EXPECT_EQ(back.fields[i].alignment, o.fields[i].alignment);
        EXPECT_EQ(back.fields[i].width, o.fields[i].width);
    }
}

TEST_F(ExportOptionsTest, RestoreParametersOffReadsNothingElse) {
    TIniFile ini = TIniFile::FromText("[" + kSection +
                                      "]\nRestoreParameters=0\nBaseFontSize=20\nItem_0=2;Дата "
                                      "тиража;D;0;0;5\n");
    TExportOptions o = Defaults();
    RestoreExportOptions(ini, kSection, o, true);
    EXPECT_FALSE(o.restoreParameters);
    EXPECT_EQ(o.baseFontSize, 8);
    EXPECT_EQ(o.fields[0].caption, "Тираж");
}

TEST_F(ExportOptionsTest, TitleFromTheIniOnlyWhenBlank) {
    TIniFile ini = TIniFile::FromText("[" + kSection + "]\nTitle=Сохраненный\nNotes=N\n");
    TExportOptions o = Defaults();
    RestoreExportOptions(ini, kSection, o, true);
    EXPECT_EQ(o.title, "Архив тиражей");
    o.title = "  ";
    o.notes = "кept";
    RestoreExportOptions(ini, kSection, o, true);
    EXPECT_EQ(o.title, "Сохраненный");
    EXPECT_EQ(o.notes, "кept");
    // A parameter file sets the title always.
    o.title = "Текущий";
    RestoreExportOptions(ini, kSection, o, false);
    EXPECT_EQ(o.title, "Сохраненный");
}

TEST_F(ExportOptionsTest, UnusableItemsAreDeletedAndFieldsKeepDefaults) {
    TIniFile ini = TIniFile::FromText("[" + kSection +
                                      "]\n"
                                      "Item_0=0;Номер;Старый;0;1;5\n"  // physical name changed
                                      "Item_1=1;1;a;b\n"               // not six words
                                      "Item_2=9;X;X;-1;0;1\n"          // no such column
                                      "PageOrientation=7\nBaseFontSize=0\n");
    TExportOptions o = Defaults();
    EXPECT_TRUE(RestoreExportOptions(ini, kSection, o, true).empty());
    EXPECT_FALSE(ini.ValueExists(kSection, "Item_0"));
    EXPECT_FALSE(ini.ValueExists(kSection, "Item_1"));
    EXPECT_FALSE(ini.ValueExists(kSection, "Item_2"));
    EXPECT_EQ(o.fields[0].caption, "Тираж");
    EXPECT_TRUE(o.fields[0].checked);
    EXPECT_EQ(o.pageOrientation, 0);
    EXPECT_EQ(o.baseFontSize, 8);
}

TEST_F(ExportOptionsTest, MovesFieldsAndKeepsUnreadableParts) {
    TIniFile ini = TIniFile::FromText("[" + kSection +
                                      "]\n"
                                      "Item_0=2; дата ТИРАЖА ;Когда;yes;x;33,5\n"
                                      "Item_1=abc;1;1;-1;0;1\n");
    TExportOptions o = Defaults();
    const std::vector<std::string> problems = RestoreExportOptions(ini, kSection, o, true);
    ASSERT_EQ(problems.size(), 1u);
    EXPECT_EQ(problems[0], "Ошибка загрузки параметров экспортируемого поля ID=\"1\"!");
    EXPECT_EQ(o.fields[0].sourceIndex, 2);
    EXPECT_EQ(o.fields[0].caption, "Когда");
    EXPECT_TRUE(o.fields[0].checked);     // "yes" is no boolean: kept
    EXPECT_EQ(o.fields[0].alignment, 0);  // "x" is no integer: kept
    EXPECT_EQ(o.fields[0].width, "33,5");
    EXPECT_EQ(o.fields[1].sourceIndex, 0);
}

TEST_F(ExportOptionsTest, ParameterFileRoundTrip) {
    TExportOptions o = Defaults();
    o.title = "Отчет";
    o.fields[1].caption = "Первое число";
    const std::string path = dir.File("draws.exp");
    SaveExportFile(path, kSection, o);
    const TIniFile ini(path);
    EXPECT_FALSE(ini.ValueExists(kSection, "RestoreParameters"));
    TExportOptions back = Defaults();
    EXPECT_TRUE(LoadExportFile(path, kSection, back).empty());
    EXPECT_EQ(back.title, "Отчет");
    EXPECT_EQ(back.fields[1].caption, "Первое число");
}

TEST_F(ExportOptionsTest, MalformedParameterFilesChangeNothing) {
    const std::string noSection = dir.File("other.exp");
    WriteTextLines(noSection, {"[EXPORT_EXCEL_FORMMAIN.LVCOMBS]", "Title=x"});
    const std::string binary = dir.File("binary.exp");
    AtomicWriteFile(binary, std::string("\x00\x01\xff[\r\n=\x80", 9));
    std::filesystem::create_directory(dir.File("folder.exp"));
    for (const std::string& path :
         {noSection, binary, dir.File("missing.exp"), dir.File("folder.exp")}) {
        const std::string before = FileExists(path) ? ReadFileBytes(path) : "";
        TExportOptions o = Defaults();
        o.title = "Мой";
        try {
            LoadExportFile(path, kSection, o);
            ADD_FAILURE() << path;
        } catch (const EZentrix& e) {
            EXPECT_EQ(std::string(e.what()).rfind(
                          "Ошибка загрузки параметров экспорта из файла \"" + path + "\"!\n\n", 0),
                      0u)
                << e.what();
        }
        EXPECT_EQ(o.title, "Мой");
        EXPECT_EQ(o.fields[0].caption, "Тираж");
        if (FileExists(path)) {
            EXPECT_EQ(ReadFileBytes(path), before);
        }
    }
}

TEST_F(ExportOptionsTest, UnwritableParameterFileIsReported) {
    const std::string path = dir.File("no/such/folder/x.exp");
    try {
        SaveExportFile(path, kSection, Defaults());
        FAIL();
    } catch (const EZentrix& e) {
        EXPECT_EQ(std::string(e.what()).rfind(
                      "Ошибка сохранения параметров экспорта в файле \"" + path + "\"!", 0),
                  0u);
    }
}

}  // namespace
}  // namespace zentrix
