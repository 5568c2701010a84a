#include <gtest/gtest.h>

#include "scenario/scenario_file.h"
#include "support/cli_run.h"
#include "support/temp_dir.h"
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

}  // namespace
}  // namespace zentrix
