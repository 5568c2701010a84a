#include <gtest/gtest.h>

#include "core/archive_file.h"
#include "support/cli_run.h"
#include "support/make_draw.h"
#include "support/temp_dir.h"
#include "util/files.h"
#include "util/program_folder.h"
#include "util/strings.h"

namespace zentrix {
namespace {

using test::MakeDraw;
using test::RunCommand;

struct CliViewsTest : ::testing::Test {
    test::TTempDir dir;
    CliViewsTest() {
        WriteDrawsFile(ProgramFile(dir.Path(), ".ldr"),
                       {MakeDraw(11, {1, 2, 3, 4, 5, 6, 7, 8}, 1, "01.01.2024 12:00"),
                        MakeDraw(12, {1, 2, 3, 9, 10, 11, 12, 13}, 2, "02.01.2024 12:00"),
                        MakeDraw(13, {1, 14, 15, 16, 17, 18, 19, 20}, 3, "bad date"),
                        MakeDraw(14, {20, 2, 1, 4, 6, 8, 10, 12}, 4, "07.01.2024 12:00")});
    }
    test::TCliResult Run(std::vector<std::string> args) {
        args.insert(args.begin(), {"--dir", dir.Path()});
        return RunCommand(args);
    }
    std::vector<std::string> Lines(const test::TCliResult& r) { return SplitLines(r.out); }
};

TEST_F(CliViewsTest, CardNewestFirst) {
    auto r = Run({"views", "card", "--rows", "2"});
    ASSERT_EQ(r.status, 0) << r.err;
    const auto lines = Lines(r);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0], "\t1\t2\t3\t4\t5\t6\t7\t8\t9\t10\t11\t12\t13\t14\t15\t16\t17\t18\t19\t20");
    EXPECT_EQ(lines[1], "14\t1\t2\t\t4\t\t6\t\t8\t\t10\t\t12\t\t\t\t\t\t\t\t20");
    EXPECT_EQ(SplitAny(lines[2], "\t", true)[0], "13");
    EXPECT_EQ(Lines(Run({"views", "card"})).size(), 5u);
}

TEST_F(CliViewsTest, SchemeAndComparisons) {
    auto r = Run({"views", "scheme", "--window", "2", "--offset", "1"});
    ASSERT_EQ(r.status, 0) << r.err;
    auto lines = Lines(r);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0], "\t13\t12");
    EXPECT_EQ(lines[1], "2\t[1]\t");
    EXPECT_EQ(lines[2], "1\t14, 15, 16, 17, 18, 19, [20]\t[2], 3, 9, [10], 11, [12], 13");

    r = Run({"views", "compare", "--windows", "1,3"});
    ASSERT_EQ(r.status, 0) << r.err;
    lines = Lines(r);
    ASSERT_EQ(lines.size(), 7u);
    EXPECT_EQ(lines[0], "Кол-во\t14 - 14");
    EXPECT_EQ(lines[1], "1\t20, 2, 1, 4, 6, 8, 10, 12");
    EXPECT_EQ(lines[2], "");
    EXPECT_EQ(lines[3], "Кол-во\t12 - 14");
    EXPECT_EQ(lines[4], "2\t20, 2, 10, 12");
}

TEST_F(CliViewsTest, WeekdaysMondayFirstWithoutTheUnreadableDate) {
    auto r = Run({"views", "weekdays"});
    ASSERT_EQ(r.status, 0) << r.err;
    const auto lines = Lines(r);
    ASSERT_EQ(lines.size(), 8u);
    EXPECT_EQ(lines[0], "\t1\t2\t3\t4\t5\t6\t7\t8\t9\t10\t11\t12\t13\t14\t15\t16\t17\t18\t19\t20");
    EXPECT_EQ(lines[1], "Пн\t1\t1\t1\t1\t1\t1\t1\t1\t\t\t\t\t\t\t\t\t\t\t\t");
    EXPECT_EQ(SplitAny(lines[2], "\t", true)[13], "1");  // Tuesday: 13 of draw 12
    EXPECT_EQ(SplitAny(lines[7], "\t", true)[20], "1");  // Sunday: 20 of draw 14
    EXPECT_EQ(SplitAny(lines[7], "\t", true)[19], "");   // 19 only in the undated draw
    const auto window = Lines(Run({"views", "weekdays", "--window", "1", "--offset", "3"}));
    EXPECT_EQ(window[1], lines[1]);
    EXPECT_EQ(window[2], "Вт" + std::string(20, '\t'));
}

TEST_F(CliViewsTest, FiltersWriteTheNarrowedFile) {
    ASSERT_EQ(Run({"combs", "generate", "--out", dir.File("all.lcv")}).status, 0);
    auto r = Run({"views", "filter", "card", "3-17:1-4", "--remove", "--in", dir.File("all.lcv"),
                  "--out", dir.File("card.lcv")});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "0\n");  // every number 3..17 was drawn: 8 of 1, 2, 18, 19, 20 cannot be
    r = Run({"views", "filter", "weekdays", "3-4", "--remove", "--in", dir.File("all.lcv"), "--out",
             dir.File("week.lcv")});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "43758\n");
    r = Run({"views", "filter", "scheme", "1:1", "--keep", "--window", "2", "--offset", "1", "--in",
             dir.File("week.lcv"), "--out", dir.File("scheme.lcv")});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "19448\n");  // "[1]": C(17, 7) of those without 3 and 4 hold 1
}

TEST_F(CliViewsTest, BadInputIsRefusedAndWritesNothing) {
    ASSERT_EQ(Run({"combs", "generate", "--out", dir.File("all.lcv")}).status, 0);
    const std::vector<std::vector<std::string>> bad = {
        {"views", "filter", "card", "0-3", "--keep"},
        {"views", "filter", "card", "21", "--keep"},
        {"views", "filter", "card", "3:9", "--keep"},
        {"views", "filter", "card", "x", "--keep"},
        {"views", "filter", "map", "3", "--keep"},
        {"views", "filter", "card", "3"},
        {"views", "filter", "card", "3", "--keep", "--remove"},
        {"views", "filter", "scheme", "9", "--keep"},
    };
    for (std::vector<std::string> args : bad) {
        args.insert(args.end(), {"--in", dir.File("all.lcv"), "--out", dir.File("out.lcv")});
        const auto r = Run(args);
        EXPECT_NE(r.status, 0) << Join(args, " ");
        EXPECT_FALSE(r.err.empty()) << Join(args, " ");
        EXPECT_FALSE(FileExists(dir.File("out.lcv"))) << Join(args, " ");
    }
    // A selection of empty cells: the message, and no file.
    auto r = Run({"views", "filter", "card", "5:1", "--keep", "--in", dir.File("all.lcv"), "--out",
                  dir.File("out.lcv")});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("В выделенном диапазоне нет значений для фильтра!"), std::string::npos);
    EXPECT_FALSE(FileExists(dir.File("out.lcv")));
    EXPECT_NE(Run({"views", "compare", "--windows", "1,2,3,4,5,6"}).status, 0);
    EXPECT_NE(Run({"views", "compare"}).status, 0);
    EXPECT_NE(Run({"views", "scheme", "--window", "0"}).status, 0);
    EXPECT_NE(Run({"views", "weekdays", "--offset", "9"}).status, 0);
    EXPECT_NE(Run({"views", "card", "--rows", "-1"}).status, 0);
}

}  // namespace
}  // namespace zentrix
