#include <gtest/gtest.h>

#include "support/cli_run.h"
#include "support/temp_dir.h"
#include "util/files.h"
#include "util/strings.h"

namespace zentrix {
namespace {

using test::RunCommand;

struct CliStatsTest : ::testing::Test {
    test::TTempDir dir;
    CliStatsTest() {
        EXPECT_EQ(RunCommand({"--dir", dir.Path(), "demo", "--draws", "300", "--seed", "5"}).status,
                  0);
    }
    test::TCliResult Run(std::vector<std::string> args) {
        args.insert(args.begin(), {"--dir", dir.Path(), "--decimal-separator", ","});
        return RunCommand(args);
    }
};

TEST_F(CliStatsTest, ListsTheRegistry) {
    auto r = Run({"stats", "list"});
    ASSERT_EQ(r.status, 0) << r.err;
    std::vector<std::string> lines = SplitLines(r.out);
    EXPECT_EQ(lines[0], "index\tcode\tcaption\tgroup\tflags");
    EXPECT_EQ(lines[1], "0\tNUMS\t{ num } Числа тиража [ N ]\tnum\tN");
    EXPECT_NE(r.out.find("\tKNP45\t"), std::string::npos);
    EXPECT_EQ(r.out.find("KNO"), std::string::npos);  // unavailable classes are not registered
}

TEST_F(CliStatsTest, TableAsTheWindowShowsIt) {
    auto r = Run({"stats", "table", "NUMS", "--window", "100", "--offset", "20"});
    ASSERT_EQ(r.status, 0) << r.err;
    std::vector<std::string> lines = SplitLines(r.out);
    ASSERT_EQ(lines.size(), 21u);
    EXPECT_EQ(lines[0].rfind("Значение\tКоличество\t", 0), 0u);
    // Default order: "Количество" ascending.
    auto count = [&](size_t i) { return std::stoi(SplitAny(lines[i], "\t", true)[1]); };
    for (size_t i = 2; i < lines.size(); ++i) EXPECT_LE(count(i - 1), count(i));
    // With an offset the next occurrences are known: "Факт" is a draw number after 280.
    std::vector<std::string> cells = SplitAny(lines[1], "\t", true);
    ASSERT_EQ(cells.size(), 20u);
    EXPECT_GT(std::stoi(cells[16]), 280);
    EXPECT_NE(cells[2].find(','), std::string::npos);  // the decimal separator asked for

    auto list = Run({"stats", "table", "POS1", "--order", "list"});
    ASSERT_EQ(list.status, 0) << list.err;
    EXPECT_EQ(SplitAny(SplitLines(list.out)[1], "\t", true)[0], "1");  // possible values first
    auto byDepth = Run({"stats", "table", "NUMS", "--order", "Глубина:desc"});
    EXPECT_EQ(byDepth.status, 0) << byDepth.err;
}

TEST_F(CliStatsTest, FilterKeepsOrRemovesByLabels) {
    const std::string all = dir.File("all.lcv"), out = dir.File("out.lcv");
    ASSERT_EQ(Run({"combs", "generate", "--mode", "0", "--out", all}).status, 0);
    auto r =
        Run({"combs", "filter", "NUMS", "--remove", "--values", "5", "--in", all, "--out", out});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "75582\n");
    r = Run({"combs", "filter", "KNM2", "--sorted", "--keep", "--values", "5:9", "--in", all,
             "--out", out});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "18564\n");  // both 5 and 9: C(18, 6)
    EXPECT_EQ(ReadTextLines(out).size(), 18564u);
}

TEST_F(CliStatsTest, BadInputIsRefused) {
    EXPECT_EQ(Run({"stats", "table", "NOPE"}).status, 1);
    EXPECT_EQ(Run({"stats", "table", "NUMS", "--order", "Нет такого"}).status, 1);
    EXPECT_EQ(Run({"stats", "table", "NUMS", "--offset", "300"}).status, 1);
    const std::string all = dir.File("all.lcv");
    ASSERT_EQ(
        Run({"combs", "generate", "--mode", "2", "--param", "1;2;3;4;5;6;7;8;9", "--out", all})
            .status,
        0);
    EXPECT_EQ(Run({"combs", "filter", "NUMS", "--values", "5", "--in", all, "--out", all}).status,
              2);
    auto r =
        Run({"combs", "filter", "NUMS", "--keep", "--values", "99", "--in", all, "--out", all});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(ReadTextLines(all).size(), 9u);  // the input stays as it was
}

TEST_F(CliStatsTest, PrefetchBuildsMissingFilesOnce) {
    auto r = Run({"prefetch", "build"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "16\n");
    EXPECT_EQ(Run({"prefetch", "build"}).out, "0\n");
    EXPECT_EQ(Run({"prefetch", "build", "--force", "nums"}).out, "1\n");
    EXPECT_EQ(Run({"prefetch", "build", "KNM2"}).status, 1);  // no full-set distribution
    EXPECT_EQ(FileSize(dir.File("Prefetchs/Zentrix_8x20_NUMS.dfc")), 21 * 12);
}

}  // namespace
}  // namespace zentrix
