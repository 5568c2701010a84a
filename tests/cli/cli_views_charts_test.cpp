#include <gtest/gtest.h>

#include "support/cli_run.h"
#include "support/temp_dir.h"
#include "util/strings.h"

namespace zentrix {
namespace {

using test::RunCommand;

struct CliViewsChartsTest : ::testing::Test {
    test::TTempDir dir;
    test::TCliResult Run(std::vector<std::string> args) {
        args.insert(args.begin(), {"--dir", dir.Path(), "--decimal-separator", "."});
        return RunCommand(args);
    }
    void Demo(int draws) {
        ASSERT_EQ(Run({"demo", "--draws", std::to_string(draws), "--seed", "5"}).status, 0);
    }
    std::vector<std::string> Cells(const std::string& line) { return SplitAny(line, "\t", true); }
};

TEST_F(CliViewsChartsTest, GraphPrintsValuesThenMeanAndMode) {
    Demo(50);
    auto r = Run({"views", "graph", "POS1", "--window", "10", "--offset", "5"});
    ASSERT_EQ(r.status, 0) << r.err;
    const std::vector<std::string> lines = SplitLines(r.out);
    ASSERT_EQ(lines.size(), 13u);
    EXPECT_EQ(lines[0], "draw\tvalue");
    EXPECT_EQ(Cells(lines[1])[0], "36");
    EXPECT_EQ(Cells(lines[10])[0], "45");
    EXPECT_EQ(Cells(lines[11])[0], "mean");
    EXPECT_EQ(Cells(lines[12])[0], "mode");
    int sum = 0;
    for (size_t i = 1; i <= 10; ++i) {
        const int v = std::stoi(Cells(lines[i])[1]);
        EXPECT_TRUE(v >= 1 && v <= 20);
        sum += v;
    }
    EXPECT_NEAR(std::stod(Cells(lines[11])[1]), sum / 10.0, 1e-4);

    // A window longer than the archive starts at the first draw.
    auto all = Run({"views", "graph", "sums", "--window", "1000"});
    ASSERT_EQ(all.status, 0) << all.err;
    EXPECT_EQ(SplitLines(all.out).size(), 53u);
    EXPECT_EQ(Cells(SplitLines(all.out)[1])[0], "1");
}

TEST_F(CliViewsChartsTest, GraphRefusesBadInput) {
    Demo(20);
    struct TCase {
        std::vector<std::string> args;
        int status;
        std::string message;
    };
    const TCase cases[] = {
        {{"views", "graph", "NOPE"}, 1, "Неизвестный метод расчета статистики: NOPE"},
        {{"views", "graph", "NUMS"}, 1, "Метод NUMS не строит графиков"},
        {{"views", "graph", "POS1", "--offset", "20"}, 1, "Смещение 20 вне архива тиражей"},
        {{"views", "graph", "POS1", "--window", "0"}, 2, "--window"},
        {{"views", "graph", "POS1", "--window", "x"}, 2, "--window"},
        {{"views", "graph"}, 2, "CODE"},
        {{"views"}, 2, "subcommand"},
    };
    for (const TCase& c : cases) {
        auto r = Run(c.args);
        EXPECT_EQ(r.status, c.status) << c.args.back();
        EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
        EXPECT_TRUE(r.out.empty()) << r.out;
    }
}

TEST_F(CliViewsChartsTest, EmptyArchive) {
    auto graph = Run({"views", "graph", "POS1"});
    EXPECT_EQ(graph.status, 1);
    EXPECT_NE(graph.err.find("Архив тиражей пуст"), std::string::npos) << graph.err;
    EXPECT_EQ(Run({"views", "repeats"}).status, 1);
    auto sums = Run({"views", "sums"});
    ASSERT_EQ(sums.status, 0) << sums.err;
    const std::vector<std::string> lines = SplitLines(sums.out);
    ASSERT_EQ(lines.size(), 98u);
    EXPECT_EQ(lines[0], "sum\tcombinations\tdraws\tband");
    EXPECT_EQ(lines[1], "36\t1\t0\t0");
    EXPECT_EQ(lines[84 - 35], "84\t3788\t0\t3");
    EXPECT_EQ(lines[97], "132\t1\t0\t0");
}

TEST_F(CliViewsChartsTest, RepeatsList) {
    Demo(30);
    auto r = Run({"views", "repeats", "--length", "3", "--depth", "1"});
    ASSERT_EQ(r.status, 0) << r.err;
    const std::vector<std::string> lines = SplitLines(r.out);
    EXPECT_EQ(lines[0], "Тираж\tСовпадений\tКол-во повторов\tСписок тиражей");
    // Depth 1: each of the three newest draws against the one before it.
    ASSERT_LE(lines.size(), 4u);
    for (size_t i = 1; i < lines.size(); ++i) {
        const std::vector<std::string> cells = Cells(lines[i]);
        EXPECT_EQ(cells[2], "1");
        EXPECT_EQ(std::stoi(cells[3]), std::stoi(cells[0]) - 1);
    }
    auto deep = Run({"views", "repeats"});
    ASSERT_EQ(deep.status, 0) << deep.err;
    EXPECT_GT(SplitLines(deep.out).size(), 30u);
    EXPECT_EQ(Run({"views", "repeats", "--depth", "0"}).status, 2);
    EXPECT_EQ(Run({"views", "repeats", "--length", "-3"}).status, 2);
}

TEST_F(CliViewsChartsTest, SumsCountTheDrawsUpToTheOffset) {
    Demo(40);
    auto count = [&](const std::vector<std::string>& args) {
        auto r = Run(args);
        EXPECT_EQ(r.status, 0) << r.err;
        int draws = 0;
        const std::vector<std::string> lines = SplitLines(r.out);
        for (size_t i = 1; i < lines.size(); ++i) draws += std::stoi(Cells(lines[i])[2]);
        return draws;
    };
    EXPECT_EQ(count({"views", "sums"}), 40);
    EXPECT_EQ(count({"views", "sums", "--offset", "15"}), 25);
    auto bad = Run({"views", "sums", "--offset", "40"});
    EXPECT_EQ(bad.status, 1);
    EXPECT_NE(bad.err.find("Смещение 40"), std::string::npos);
}

}  // namespace
}  // namespace zentrix
