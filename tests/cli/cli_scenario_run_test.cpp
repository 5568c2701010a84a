#include <gtest/gtest.h>

#include "core/archive_file.h"
#include "core/demo_archive.h"
#include "scenario/scenario_file.h"
#include "support/cli_run.h"
#include "support/temp_dir.h"
#include "util/file_lock.h"
#include "util/files.h"
#include "util/strings.h"

namespace zentrix {
namespace {

using test::RunCommand;
using TLines = std::vector<std::string>;

// A 30-draw archive and a one-line scenario that stakes one random combination of the list
// left by deleting the combinations with the most frequent number.
struct CliScenarioRun : ::testing::Test {
    test::TTempDir dir;

    CliScenarioRun() {
        WriteDrawsFile(dir.File("Zentrix_8x20.ldr"), MakeDemoDraws(30, 7, 45292));
        Scenario({"FULL:0#RAND|TSD1#NUMS:10#LNO:#ST:1| | | | | | |Проба"});
    }
    void Scenario(const TLines& lines) {
        WriteScenarioFile(WorkingScenarioPath(dir.Path()), lines);
    }
    test::TCliResult Run(TLines args) {
        args.insert(args.begin(), {"--dir", dir.Path(), "--lock-wait", "0", "scenario"});
        return RunCommand(args);
    }
};

TEST_F(CliScenarioRun, ForecastPrintsItsStakesAndASeedRepeatsThem) {
    auto first = Run({"forecast", "--seed", "5"});
    ASSERT_EQ(first.status, 0) << first.err;
    const TLines lines = SplitLines(first.out);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_TRUE(lines[0].starts_with("№ тиража\tВид ставки"));
    EXPECT_TRUE(lines[1].starts_with("31\tСценарий\t")) << lines[1];
    EXPECT_TRUE(lines[1].ends_with("\t01.001: Проба @ FULL#RAND + TSD1#NUMS:10#LNO:#ST:1"));
    auto again = Run({"forecast", "--seed", "5", "--offset", "0"});
    ASSERT_EQ(again.status, 0) << again.err;
    EXPECT_EQ(again.out, first.out);  // the same stake once more, printed alone
    auto back = Run({"forecast", "--seed", "5", "--offset", "2"});
    ASSERT_EQ(back.status, 0) << back.err;
    EXPECT_TRUE(SplitLines(back.out).at(1).starts_with("29\tСценарий\t"));
}

TEST_F(CliScenarioRun, TestPrintsEachPassAndTheTotals) {
    auto r = Run({"test", "--passes", "3", "--seed", "1"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(SplitLines(r.out),
              (TLines{"offset\tstakes", "3\t1", "2\t1", "1\t1", "made\t3", "checked\t3"}));
}

TEST_F(CliScenarioRun, ALogIsWrittenWhenAsked) {
    auto r = Run({"forecast", "--log"});
    ASSERT_EQ(r.status, 0) << r.err;
    const std::string path = Trim(r.err);
    EXPECT_TRUE(path.starts_with(dir.File("ScriptLog_"))) << r.err;
    EXPECT_GT(FileSize(path), 0);
}

TEST_F(CliScenarioRun, HostileInputFailsClearly) {
    struct TCase {
        TLines args;
        int status;
        std::string message;
    };
    const TCase cases[] = {
        {{"test"}, 2, "--passes is required"},
        {{"test", "--passes", "0"}, 2, "--passes"},
        {{"test", "--passes", "abc"}, 2, "--passes"},
        {{"test", "--passes", "30"}, 1, "Количество тестов должно быть от 1 до 29"},
        {{"forecast", "--offset", "30"}, 1, "Смещение 30 вне архива тиражей"},
        {{"forecast", "extra"}, 2, "extra"},
        {{"forecast", "--seed", "x"}, 2, ""},
    };
    for (const TCase& c : cases) {
        auto r = Run(c.args);
        EXPECT_EQ(r.status, c.status) << c.args.back() << ": " << r.err;
        EXPECT_NE(r.err.find(c.message), std::string::npos) << c.args.back() << ": " << r.err;
    }
    EXPECT_FALSE(FileExists(dir.File("Zentrix_8x20.lsk")) &&
                 FileSize(dir.File("Zentrix_8x20.lsk")) > 0);
}

TEST_F(CliScenarioRun, AnErrorThatStopsTheRunExitsWithItsMessageKeepingEarlierStakes) {
    Scenario({"FULL:0#FIRST|TSD1#NUMS:10#LNO:#ST:1| | | | | | |",
              "CURR:0#FIRST|TSD1#NUMS:1-10#LNO:#SF:0| | | | | | |"});
    auto r = Run({"forecast"});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("Некорректное описание фильтра: TSD1#NUMS:1-10#LNO:#SF:0!"),
              std::string::npos)
        << r.err;
    EXPECT_EQ(SplitLines(r.out).size(), 2u);  // the first line's stake
    Scenario({});
    auto empty = Run({"forecast"});
    EXPECT_EQ(empty.status, 1);
    EXPECT_NE(empty.err.find("Сценарий не содержит строк"), std::string::npos);
}

TEST_F(CliScenarioRun, AHeldFolderIsLeftAlone) {
    TExclusiveFile hold;
    hold.Open(dir.File("Zentrix_8x20.lsk"));
    for (const TLines& args : {TLines{"forecast"}, TLines{"test", "--passes", "2"}}) {
        auto r = Run(args);
        EXPECT_EQ(r.status, 1) << args[0];
        EXPECT_NE(r.err.find("Невозможно получить монопольный доступ"), std::string::npos) << r.err;
    }
    EXPECT_EQ(FileSize(dir.File("Zentrix_8x20.lsk")), 0);
}

}  // namespace
}  // namespace zentrix
