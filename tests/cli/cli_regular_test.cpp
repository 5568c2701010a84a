#include <gtest/gtest.h>
#include <sys/stat.h>

#include <array>

#include "core/archive_file.h"
#include "stakes/regular_rule.h"
#include "stakes/stakes_env.h"
#include "support/cli_run.h"
#include "support/temp_dir.h"
#include "util/files.h"
#include "util/strings.h"

namespace zentrix {
namespace {

using test::Draw;
using test::RunCommand;
using TLines = std::vector<std::string>;

const std::string kHeader = "Комментарий\tСтартовая комбинация\tТекущая комбинация\tШаг\tСтавок";

// Draws 1..3 and the prize table: cost 2.00, 3 matches 10.00, 4 matches 50.00.
struct CliRegular : ::testing::Test {
    test::TTempDir dir;

    CliRegular() {
        WriteDrawsFile(dir.File("Zentrix_8x20.ldr"),
                       {Draw(1, {1, 2, 3, 4, 5, 6, 7, 8}), Draw(2, {2, 3, 4, 5, 6, 7, 8, 9}),
                        Draw(3, {3, 4, 5, 6, 7, 8, 9, 10})});
        WriteTextLines(dir.File("Zentrix_8x20.ini"),
                       {"[STAKES]", "Cost=2", "Profits=2", "Profit_0_Overlap=3",
                        "Profit_0_Profit=10", "Profit_1_Overlap=4", "Profit_1_Profit=50"});
    }
    std::string Ltb() const { return dir.File("Zentrix_8x20.ltb"); }
    test::TCliResult Run(std::vector<std::string> args) {
        args.insert(args.begin(), {"--dir", dir.Path(), "--lock-wait", "0"});
        return RunCommand(args);
    }
    TLines List() {
        auto r = Run({"regular", "list"});
        EXPECT_EQ(r.status, 0) << r.err;
        return SplitLines(r.out);
    }
    void AddTwo() {
        auto r = Run(
            {"regular", "add", "--start", "20;1;2;3;4;5;6;7", "--step", "-2", "--comment", "Ход"});
        ASSERT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(r.out, "1\n");
        r = Run({"regular", "add", "--last-draw", "--step", "1", "--comment", "Прошлый"});
        ASSERT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(r.out, "1\n");
    }
};

TEST_F(CliRegular, AddStakeTestAndDeleteEndToEnd) {
    EXPECT_EQ(List(), TLines{kHeader});
    AddTwo();
    EXPECT_EQ(List(), (TLines{kHeader, "Ход\t1;2;3;4;5;6;7;20\t1;2;3;4;5;6;7;20\t-2\t0",
                              "Прошлый\t\t\t1\t0"}));

    // One stake per row for the draw after the reference draw.
    auto r = Run({"regular", "stake", "1", "2", "--offset", "1"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "2\n");
    const TLines rules = List();
    EXPECT_EQ(rules.at(1), "Ход\t1;2;3;4;5;6;7;20\t1;2;3;4;5;18;19;20\t-2\t1");
    EXPECT_EQ(rules.at(2), "Прошлый\t\t3;4;5;6;7;8;9;10\t1\t1");
    auto stakes = Run({"stakes", "list"});
    ASSERT_EQ(stakes.status, 0) << stakes.err;
    const TLines grid = SplitLines(stakes.out);
    ASSERT_EQ(grid.size(), 3u);
    // Draw 3 is in the archive: checked at once.
    EXPECT_EQ(grid[1], "3\tРегуляр\t1;2;3;4;5;18;19;20\t0\t3;4;5;6;7;8;9;10\t3\t3 4 5\t8.00\tХод");
    EXPECT_EQ(grid[2],
              "3\tРегуляр\t3;4;5;6;7;8;9;10\t0\t3;4;5;6;7;8;9;10\t8\t3 4 5 6 7 8 9 10\t-2.00\t"
              "Прошлый");

    // The test over offsets 2..1 of the second rule.
    r = Run({"regular", "test", "2", "--passes", "2"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "2\n");
    EXPECT_EQ(List().at(2), "Прошлый\t\t3;4;5;6;7;8;9;10\t1\t3");

    r = Run({"regular", "delete", "1", "--yes"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "1\n");
    EXPECT_EQ(List(), (TLines{kHeader, "Прошлый\t\t3;4;5;6;7;8;9;10\t1\t3"}));
}

TEST_F(CliRegular, HostileInputIsRefusedAndTheFileStays) {
    AddTwo();
    const std::string before = ReadFileBytes(Ltb());
    const std::vector<std::vector<std::string>> refused = {
        {"regular", "add", "--start", "1;2;3", "--comment", "a"},
        {"regular", "add", "--start", "1;2;3;4;5;6;7;7", "--comment", "a"},
        {"regular", "add", "--start", "1;2;3;4;5;6;7;21", "--comment", "a"},
        {"regular", "add", "--start", "1;2;3;4;5;6;7;x", "--comment", "a"},
        {"regular", "add", "--start", "1;2;3;4;5;6;7;8", "--comment", "ХОД"},
        {"regular", "add", "--start", "1;2;3;4;5;6;7;8", "--comment", ""},
        {"regular", "add", "--start", "1;2;3;4;5;6;7;8", "--step", "21", "--comment", "a"},
        {"regular", "add", "--start", "1;2;3;4;5;6;7;8", "--step", "1e3", "--comment", "a"},
        {"regular", "add", "--comment", "a"},
        {"regular", "add", "--last-draw", "--start", "1;2", "--comment", "a"},
        {"regular", "delete", "3", "--yes"},
        {"regular", "delete", "0", "--yes"},
        {"regular", "delete", "1"},
        {"regular", "delete", "99999999999999999999", "--yes"},
        {"regular", "stake", "3"},
        {"regular", "stake", "1", "--offset", "3"},
        {"regular", "test", "1", "--passes", "3"},
        {"regular", "test", "1", "--passes", "0"},
        {"regular", "test", "--passes", "1"},
    };
    for (const auto& args : refused) {
        auto r = Run(args);
        std::string shown;
        for (const std::string& a : args) shown += a + " ";
        EXPECT_NE(r.status, 0) << shown;
        EXPECT_FALSE(r.err.empty()) << shown;
        EXPECT_EQ(ReadFileBytes(Ltb()), before) << shown;
    }
    auto r = Run({"stakes", "list"});
    EXPECT_EQ(SplitLines(r.out).size(), 1u) << r.out;
}

TEST_F(CliRegular, ADamagedFileIsReportedAndBackedUpBeforeItsRewrite) {
    AddTwo();
    const std::string damaged = ReadFileBytes(Ltb()) + "xyz";
    AtomicWriteFile(Ltb(), damaged);
    auto r = Run({"regular", "list"});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("Ошибка чтения файла регулярных ставок!"), std::string::npos) << r.err;
    EXPECT_EQ(SplitLines(r.out).size(), 3u);
    // A change is made on the whole records; the damaged file is kept beside.
    r = Run({"regular", "delete", "2", "--yes"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.err.find("Ошибка чтения файла регулярных ставок!"), std::string::npos) << r.err;
    EXPECT_EQ(ReadFileBytes(Ltb() + ".bak"), damaged);
    EXPECT_EQ(FileSize(Ltb()), static_cast<int64_t>(kRegularRecordSize));
    EXPECT_EQ(List().size(), 2u);
}

TEST_F(CliRegular, AReadOnlyFolderRefusesChangesAndLosesNothing) {
    AddTwo();
    const std::string before = ReadFileBytes(Ltb());
    ::chmod(dir.Path().c_str(), 0555);
    auto add = Run({"regular", "add", "--last-draw", "--comment", "Новый"});
    auto del = Run({"regular", "delete", "1", "--yes"});
    auto list = Run({"regular", "list"});
    ::chmod(dir.Path().c_str(), 0755);
    EXPECT_EQ(add.status, 1);
    EXPECT_FALSE(add.err.empty());
    EXPECT_EQ(del.status, 1);
    EXPECT_EQ(list.status, 0) << list.err;
    EXPECT_EQ(SplitLines(list.out).size(), 3u);
    EXPECT_EQ(ReadFileBytes(Ltb()), before);
}

}  // namespace
}  // namespace zentrix
