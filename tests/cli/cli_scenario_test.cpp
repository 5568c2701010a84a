#include <gtest/gtest.h>

#include <filesystem>

#include "scenario/scenario_file.h"
#include "support/cli_run.h"
#include "support/temp_dir.h"
#include "util/file_lock.h"
#include "util/files.h"
#include "util/strings.h"

namespace zentrix {
namespace {

using test::RunCommand;

const char* const kHeader =
    "number\toptions\tfilter 1\tfilter 2\tfilter 3\tfilter 4\tfilter 5\tfilter 6\tfilter "
    "7\tcomment";

TEST(CliScenario, ShowsTheWorkingScenarioAsItsListDoes) {
    test::TTempDir dir;
    auto empty = RunCommand({"--dir", dir.Path(), "scenario", "show"});
    ASSERT_EQ(empty.status, 0) << empty.err;
    EXPECT_EQ(SplitLines(empty.out), std::vector<std::string>{kHeader});

    WriteScenarioFile(WorkingScenarioPath(dir.Path()),
                      {"excl:3#all#clr#nex|tsd2#nums:10|  |Xyz:5#cdv:1;2| | | |bmf1#pos3:5#st:x|"
                       "Проба|хвост",
                       ""});
    auto r = RunCommand({"--dir", dir.Path(), "scenario", "show"});
    ASSERT_EQ(r.status, 0) << r.err;
    const std::vector<std::string> lines = SplitLines(r.out);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0], kHeader);
    EXPECT_EQ(lines[1],
              "1\tИсключить 3 тиражей; Все; Удалить ставки; Только новые ставки\t"
              "TSD2#NUMS:10#LNO:#SF:0\t\tTSD1#cdv:1;2#LNO:#SF:0\t\t\t\tTSD1#POS3:5#LNO:#SF:0\t"
              "Проба");
    EXPECT_EQ(lines[2], "2\t\t\t\t\t\t\t\t\t");
}

TEST(CliScenario, ShowsAFileAndFailsOnOneThatDoesNotRead) {
    test::TTempDir dir;
    const std::string file = dir.File("my.lsc");
    WriteScenarioFile(file, {"FULL:0#RAND| | | | | | | |"});
    auto r = RunCommand({"--dir", dir.Path(), "scenario", "show", "--file", file});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(SplitLines(r.out).at(1),
              "1\tИсходный список; Случайно; Все создаваемые ставки" + std::string(8, '\t'));

    const std::string missing = dir.File("missing.lsc");
    auto bad = RunCommand({"--dir", dir.Path(), "scenario", "show", "--file", missing});
    EXPECT_EQ(bad.status, 1);
    EXPECT_EQ(bad.err.rfind("Ошибка чтения файла \"" + missing + "\"!", 0), 0u) << bad.err;
}

using TLines = std::vector<std::string>;

struct CliScenarioEdit : ::testing::Test {
    test::TTempDir dir;
    std::string working = WorkingScenarioPath(dir.Path());

    test::TCliResult Run(std::vector<std::string> args) {
        args.insert(args.begin(), {"--dir", dir.Path(), "scenario"});
        return RunCommand(args);
    }
    TLines Working() const { return ReadScenarioFile(working); }
};

TEST_F(CliScenarioEdit, AddStoresTheCanonicalLine) {
    auto r = Run({"add", "excl:3#all#nex|tsd2#nums:10|  |Xyz:5#cdv:1;2| | | | |Проба|хвост"});
    ASSERT_EQ(r.status, 0) << r.err;
    const std::string line =
        "EXCL:3#ALL#NEX|TSD2#NUMS:10#LNO:#SF:0| |TSD1#cdv:1;2#LNO:#SF:0| | | | |Проба";
    EXPECT_EQ(r.out, "1\t" + line + "\n");
    EXPECT_EQ(Working(), TLines{line});
    // Its bytes on disk: Windows-1251 with CR LF.
    const std::string bytes = ReadFileBytes(working);
    EXPECT_EQ(bytes.substr(bytes.size() - 8), "|\xCF\xF0\xEE\xE1\xE0\r\n");

    ASSERT_EQ(Run({"add", ""}).out, "2\t\n");
    EXPECT_EQ(Run({"add", "CURR"}).out, "3\tCURR:0#RAND| | | | | | | |\n");
    EXPECT_EQ(Working(), (TLines{line, "", "CURR:0#RAND| | | | | | | |"}));
}

TEST_F(CliScenarioEdit, SeparatorNeedsLines) {
    auto r = Run({"add", ""});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("Разделитель"), std::string::npos) << r.err;
    EXPECT_FALSE(FileExists(working));
}

TEST_F(CliScenarioEdit, DeleteAndClearAskFirst) {
    WriteScenarioFile(working, {"FULL:0#RAND| | | | | | | |A", "", "CURR:0#NONE| | | | | | | |C"});
    auto refused = Run({"delete", "1", "3"});
    EXPECT_EQ(refused.status, 1);
    EXPECT_NE(refused.err.find("всего будет удалено 2 записи(ей)"), std::string::npos)
        << refused.err;
    EXPECT_EQ(Working().size(), 3u);

    auto outside = Run({"delete", "4", "--yes"});
    EXPECT_EQ(outside.status, 1);
    EXPECT_NE(outside.err.find("Запись со индексом 4 в файле данных не найдена!"),
              std::string::npos)
        << outside.err;
    EXPECT_EQ(Working().size(), 3u);

    auto r = Run({"delete", "3", "1", "--yes"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "2\n");
    EXPECT_EQ(Working(), TLines{""});

    EXPECT_EQ(Run({"clear"}).status, 1);
    EXPECT_EQ(Working(), TLines{""});
    auto cleared = Run({"clear", "--yes"});
    ASSERT_EQ(cleared.status, 0) << cleared.err;
    EXPECT_EQ(cleared.out, "1\n");
    EXPECT_EQ(Working(), TLines{});
}

TEST_F(CliScenarioEdit, OpenAppendAndSave) {
    const std::string user = dir.File("user.lsc"), saved = dir.File("saved.lsc");
    WriteScenarioFile(user, {"CURR:0#ALL| | | | | | | |B"});
    WriteScenarioFile(working, {"FULL:0#RAND| | | | | | | |A"});
    auto appended = Run({"append", user});
    ASSERT_EQ(appended.status, 0) << appended.err;
    EXPECT_EQ(appended.out, "3\n");
    EXPECT_EQ(Working(), (TLines{"FULL:0#RAND| | | | | | | |A", "", "CURR:0#ALL| | | | | | | |B"}));

    auto save = Run({"save", saved});
    ASSERT_EQ(save.status, 0) << save.err;
    EXPECT_EQ(ReadScenarioFile(saved), Working());

    auto opened = Run({"open", user});
    ASSERT_EQ(opened.status, 0) << opened.err;
    EXPECT_EQ(opened.out, "1\n");
    EXPECT_EQ(Working(), TLines{"CURR:0#ALL| | | | | | | |B"});

    // A file that does not read: the error, and the scenario as it was.
    const std::string missing = dir.File("missing.lsc");
    auto bad = Run({"open", missing});
    EXPECT_EQ(bad.status, 1);
    EXPECT_NE(bad.err.find("Ошибка чтения файла \"" + missing + "\"!"), std::string::npos)
        << bad.err;
    EXPECT_EQ(Working(), TLines{"CURR:0#ALL| | | | | | | |B"});
    auto badSave = Run({"save", dir.File("no/such.lsc")});
    EXPECT_EQ(badSave.status, 1);
    EXPECT_NE(badSave.err.find("Ошибка записи в файл"), std::string::npos) << badSave.err;
}

TEST_F(CliScenarioEdit, ChangesKeepOutOfAHeldFolderAndAnUnreadableWorkingFile) {
    WriteScenarioFile(working, {"FULL:0#RAND| | | | | | | |A"});
    {
        TExclusiveFile hold;
        hold.Open(dir.File("Zentrix_8x20.lsk"));
        auto r = RunCommand({"--dir", dir.Path(), "--lock-wait", "0", "scenario", "add", "CURR"});
        EXPECT_EQ(r.status, 1);
        EXPECT_NE(r.err.find("Невозможно получить монопольный доступ к файлам данных в каталоге"),
                  std::string::npos)
            << r.err;
        EXPECT_EQ(Working(), TLines{"FULL:0#RAND| | | | | | | |A"});
        // Reading needs no hold.
        EXPECT_EQ(Run({"show"}).status, 0);
    }
    // A working file that does not read is not overwritten.
    std::filesystem::remove(working);
    std::filesystem::create_directory(working);
    auto r = Run({"add", "CURR"});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("Ошибка чтения файла"), std::string::npos) << r.err;
    EXPECT_TRUE(std::filesystem::is_directory(working));
}

}  // namespace
}  // namespace zentrix
