#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>

#include "stats/prefetch.h"
#include "support/cli_run.h"
#include "support/temp_dir.h"
#include "util/file_lock.h"
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

// Columns go by their number too; the help lists the numbers.
TEST_F(CliStatsTest, OrderByColumnNumber) {
    auto help = Run({"stats", "table", "--help"});
    EXPECT_EQ(help.status, 0);
    for (const char* text : {"0 Значение", "1 Количество", "16 Факт", "19 +/- КРН"})
        EXPECT_NE(help.out.find(text), std::string::npos) << text << "\n" << help.out;

    // "+/- КРН" descending: every "-" first, then the numbers from the largest.
    auto r = Run({"stats", "table", "KNM2", "--offset", "30", "--order", "19:desc"});
    ASSERT_EQ(r.status, 0) << r.err;
    std::vector<std::string> lines = SplitLines(r.out);
    std::vector<std::string> cells;
    for (size_t i = 1; i < lines.size(); ++i) cells.push_back(SplitAny(lines[i], "\t", true)[19]);
    const auto firstNumber =
        std::find_if(cells.begin(), cells.end(), [](const std::string& c) { return c != "-"; });
    ASSERT_NE(firstNumber, cells.begin());
    ASSERT_NE(firstNumber, cells.end());
    for (auto c = firstNumber; c != cells.end(); ++c) {
        ASSERT_NE(*c, "-");
        if (c != firstNumber) {
            EXPECT_GE(std::stoi(*(c - 1)), std::stoi(*c));
        }
    }
}

// A full-set file that cannot be read or built: its message once, the table without norms, and
// exit status 1 since the norms asked for were not given.
TEST_F(CliStatsTest, TableWithoutTheFullSetFileReportsItOnce) {
    struct TCase {
        const char* what;
        std::function<void()> spoil;
        const char* message;
    };
    const TCase cases[] = {
        {"damaged",
         [&] {
             std::filesystem::create_directories(dir.File("Prefetchs"));
             AtomicWriteFile(dir.File("Prefetchs/Zentrix_8x20_NUMS.dfc"), std::string(30, 'x'));
         },
         "Ошибка открытия файла данных для полного набора вариантов!"},
        {"cannot be built",
         [&] {
             std::filesystem::remove_all(dir.File("Prefetchs"));
             AtomicWriteFile(dir.File("Prefetchs"), "x");
         },
         "Ошибка создания файла данных для полного набора вариантов!"},
    };
    for (const TCase& c : cases) {
        c.spoil();
        auto r = Run({"stats", "table", "NUMS", "--norm"});
        EXPECT_EQ(r.status, 1) << c.what;
        EXPECT_EQ(r.err.rfind(c.message, 0), 0u) << c.what << ": " << r.err;
        EXPECT_EQ(r.err.find(c.message, 1), std::string::npos) << c.what << ": " << r.err;
        std::vector<std::string> lines = SplitLines(r.out);
        ASSERT_EQ(lines.size(), 21u) << c.what;
        for (size_t i = 1; i < lines.size(); ++i) {
            const std::vector<std::string> cells = SplitAny(lines[i], "\t", true);
            EXPECT_EQ(cells[3], "-");
            EXPECT_EQ(cells[5], "-");
        }
    }
    std::filesystem::remove(dir.File("Prefetchs"));
    auto r = Run({"stats", "table", "NUMS", "--norm"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "");
    EXPECT_NE(SplitAny(SplitLines(r.out)[1], "\t", true)[3], "-");
}

TEST_F(CliStatsTest, PrefetchBuildsMissingFilesOnce) {
    auto r = Run({"prefetch", "build"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "69\n");  // the methods with flag N under the demo settings
    EXPECT_EQ(Run({"prefetch", "build"}).out, "0\n");
    EXPECT_EQ(Run({"prefetch", "build", "--force", "nums"}).out, "1\n");
    EXPECT_EQ(Run({"prefetch", "build", "KNM2"}).status, 1);  // no full-set distribution
    EXPECT_EQ(FileSize(dir.File("Prefetchs/Zentrix_8x20_NUMS.dfc")), 21 * 12);
}

}  // namespace
}  // namespace zentrix

namespace zentrix {
namespace {

// Without --force, damaged files are rebuilt with the missing ones; a file that fails does not
// stop the others, each failure is reported, and the count of written files is still printed.
TEST_F(CliStatsTest, PrefetchBuildRepairsDamagedFilesAndGoesOnPastFailures) {
    ASSERT_EQ(Run({"prefetch", "build"}).out, "69\n");
    auto path = [&](const char* code) { return PrefetchFileName(dir.Path(), code); };
    TPrefetchData negative;
    negative.Records = {{{1, 0, 0, 0}, -3}, {{2, 0, 0, 0}, 4}};
    negative.MinCount = -3;
    negative.MaxCount = 4;
    AtomicWriteFile(path("NUMS"), std::string(30, 'x'));
    AtomicWriteFile(path("EVEN"), SerializePrefetch(negative));
    for (const char* code : {"DIGS", "POS1"}) {
        std::filesystem::remove(path(code));
        std::filesystem::create_directories(path(code));
    }
    auto r = Run({"prefetch", "build"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "2\n");
    for (const char* code : {"DIGS", "POS1"}) {
        const std::string message =
            "Ошибка создания файла данных для полного набора вариантов!\n\n"
            "Имя файла: " +
            path(code);
        const size_t at = r.err.find(message);
        EXPECT_NE(at, std::string::npos) << r.err;
        EXPECT_EQ(r.err.find(message, at + 1), std::string::npos) << r.err;
    }
    for (const char* code : {"NUMS", "EVEN"}) EXPECT_NO_THROW(ReadPrefetchFile(path(code)));

    // Named methods: the damaged one is rebuilt, the readable one kept.
    AtomicWriteFile(path("NUMS"), "");
    r = Run({"prefetch", "build", "NUMS", "EVEN"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "1\n");
    EXPECT_EQ(FileSize(path("NUMS")), 21 * 12);
}

// The folder held by the window: nothing is built.
TEST_F(CliStatsTest, PrefetchBuildWaitsForTheFolder) {
    TExclusiveFile hold;
    hold.Open(dir.File("Zentrix_8x20.lsk"));
    auto r = Run({"--lock-wait", "0", "prefetch", "build"});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("Невозможно получить монопольный доступ к файлам данных в каталоге"),
              std::string::npos)
        << r.err;
    EXPECT_FALSE(FileExists(dir.File("Prefetchs")));
    // A table that would build its file keeps out too; one that only reads it does not.
    EXPECT_EQ(Run({"--lock-wait", "0", "stats", "table", "NUMS", "--norm"}).status, 1);
    EXPECT_FALSE(FileExists(dir.File("Prefetchs")));
    hold.Close();
    ASSERT_EQ(Run({"prefetch", "build", "NUMS"}).out, "1\n");
    hold.Open(dir.File("Zentrix_8x20.lsk"));
    auto table = Run({"stats", "table", "NUMS", "--norm"});
    EXPECT_EQ(table.status, 0) << table.err;
}

}  // namespace
}  // namespace zentrix

namespace zentrix {
namespace {

// Setting a formula does what OK in the formulas window does: the method's name carries it and
// its full-set file is rebuilt. A bad digit count changes nothing.
TEST_F(CliStatsTest, ShreddingFormulaFromTheCommandLine) {
    ASSERT_EQ(Run({"prefetch", "build", "SHR1"}).status, 0);
    const std::string path = PrefetchFileName(dir.Path(), "SHR1");
    EXPECT_GT(ReadPrefetchFile(path).Records.size(), 10u);
    auto r = Run({"config", "set", "SHREDDING", "Formula1", "n1/10"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(ReadPrefetchFile(path).Records.size(), 10u);
    r = Run({"stats", "list"});
    EXPECT_NE(r.out.find("\tSHR1\t{ shr } Метод шинковки 1: n1/10 [ SNG ]\tshr\tSNG\n"),
              std::string::npos)
        << r.out;
    ASSERT_EQ(Run({"config", "set", "shredding", "formula2digits", "3"}).status, 0);
    r = Run({"stats", "table", "SHR2", "--order", "list"});
    ASSERT_EQ(r.status, 0) << r.err;
    const std::vector<std::string> lines = SplitLines(r.out);
    ASSERT_GT(lines.size(), 10u);
    for (size_t i = 1; i < lines.size(); ++i) EXPECT_LT(std::stoi(lines[i]), 1000) << lines[i];

    const std::string ini = ReadFileBytes(dir.File("Zentrix_8x20.ini"));
    const std::string file = ReadFileBytes(path);
    for (const char* bad : {"0", "6", "x", ""}) {
        r = Run({"config", "set", "SHREDDING", "Formula1Digits", bad});
        EXPECT_EQ(r.status, 1) << bad;
        EXPECT_NE(r.err.find("Недопустимое значение Formula1Digits"), std::string::npos) << r.err;
    }
    EXPECT_EQ(ReadFileBytes(dir.File("Zentrix_8x20.ini")), ini);
    EXPECT_EQ(ReadFileBytes(path), file);
}

}  // namespace
}  // namespace zentrix
