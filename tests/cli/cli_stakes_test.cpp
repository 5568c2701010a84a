#include <gtest/gtest.h>

#include <array>
#include <filesystem>

#include "core/archive_file.h"
#include "core/comb_file.h"
#include "stakes/stakes_env.h"
#include "support/cli_run.h"
#include "support/temp_dir.h"
#include "util/file_lock.h"
#include "util/files.h"
#include "util/strings.h"

namespace zentrix {
namespace {

using test::Draw;
using test::RunCommand;
using TLines = std::vector<std::string>;

const std::array<int, 8> kDrawn = {1, 2, 3, 4, 5, 6, 7, 8};
const std::string kHeader =
    "№ тиража\tВид ставки\tМоя ставка\tВыборка\tРезультаты тиража\tСовпадений\tСовпадения\t"
    "Профит\tКомментарий";
const std::string kSeparatorRow(8, '\t');
// Draw 2 with four matches: 50.00 - 2.00.
const std::string kCheckedRow =
    "2\tВручную\t1;2;3;4;9;10;11;12\t0\t1;2;3;4;5;6;7;8\t4\t1 2 3 4\t48.00\tМоя";
const std::string kWaitingRow = "3\tВручную\t1;2;3;4;9;10;11;12\t0\t\t\t\t-2.00\tМоя";

// An archive of draws 1 and 2 and the prize table: cost 2.00, 3 matches 10.00, 4 matches 50.00.
struct CliStakes : ::testing::Test {
    test::TTempDir dir;

    CliStakes() {
        WriteDrawsFile(dir.File("Zentrix_8x20.ldr"), {Draw(1, kDrawn), Draw(2, kDrawn)});
        WriteTextLines(dir.File("Zentrix_8x20.ini"),
                       {"[STAKES]", "Cost=2", "Profits=2", "Profit_0_Overlap=3",
                        "Profit_0_Profit=10", "Profit_1_Overlap=4", "Profit_1_Profit=50"});
    }
    test::TCliResult Run(std::vector<std::string> args) {
        args.insert(args.begin(), {"--dir", dir.Path(), "--lock-wait", "0"});
        return RunCommand(args);
    }
    TLines List() {
        auto r = Run({"stakes", "list"});
        EXPECT_EQ(r.status, 0) << r.err;
        return SplitLines(r.out);
    }
    // A stake for draw 2 (checked at once) and its copy for draw 3 (waiting) after a separator.
    void AddTwo() {
        auto r = Run({"stakes", "add", "12;11;10;9;4;3;2;1", "--offset", "1", "--draws", "2",
                      "--comment", "Моя"});
        ASSERT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(r.out, "2\n");
    }
};

TEST_F(CliStakes, AddListsAndChecksWhenTheDrawArrives) {
    EXPECT_EQ(List(), TLines{kHeader});
    AddTwo();
    EXPECT_EQ(List(), (TLines{kHeader, kCheckedRow, kSeparatorRow, kWaitingRow}));

    auto none = Run({"stakes", "check"});
    ASSERT_EQ(none.status, 0) << none.err;
    EXPECT_EQ(none.out, "0\n");
    ASSERT_EQ(Run({"draws", "add", "3", "1;2;3;4;5;6;7;8;1"}).status, 0);
    auto r = Run({"stakes", "check"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "1\n");
    EXPECT_EQ(List().at(3),
              "3\tВручную\t1;2;3;4;9;10;11;12\t0\t1;2;3;4;5;6;7;8\t4\t1 2 3 4\t48.00\tМоя");
}

TEST_F(CliStakes, FromListAndSeededRandomStakes) {
    const std::string lcv = dir.File("a.lcv");
    WriteCombFile(lcv, {test::Comb(kDrawn), test::Comb({9, 10, 11, 12, 13, 14, 15, 16})});
    auto r = Run({"stakes", "from-list", lcv, "--comment", "Список"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "2\n");
    const TLines lines = List();
    ASSERT_EQ(lines.size(), 3u);
    // The draw after the newest; the selection is the file's size.
    EXPECT_EQ(lines[1], "3\tВручную\t1;2;3;4;5;6;7;8\t2\t\t\t\t-2.00\tСписок");

    // The same seed makes the same stakes in another folder.
    auto random = [](test::TTempDir& folder) {
        auto made = RunCommand(
            {"--dir", folder.Path(), "stakes", "random", "--count", "3", "--seed", "42"});
        EXPECT_EQ(made.status, 0) << made.err;
        EXPECT_EQ(made.out, "3\n");
        return RunCommand({"--dir", folder.Path(), "stakes", "list"}).out;
    };
    test::TTempDir a, b;
    const std::string listed = random(a);
    EXPECT_EQ(listed, random(b));
    EXPECT_EQ(SplitLines(listed).size(), 4u);
}

struct TDeleteCase {
    std::vector<std::string> args;
    std::string deleted;
    size_t rowsLeft;  // under the header
};

TEST_F(CliStakes, DeleteByRowsConditionOrAll) {
    const std::vector<TDeleteCase> cases = {
        {{"--rows", "1-2"}, "2\n", 1},
        {{"--rows", "3"}, "1\n", 2},
        // The waiting stake takes part with -1 matches; the separator stays.
        {{"--where", "<", "1"}, "1\n", 2},
        {{"--where", "=", "4"}, "1\n", 2},
        {{"--all"}, "3\n", 0},
    };
    for (const TDeleteCase& c : cases) {
        std::filesystem::remove(dir.File("Zentrix_8x20.lsk"));
        AddTwo();
        std::vector<std::string> args = {"stakes", "delete"};
        args.insert(args.end(), c.args.begin(), c.args.end());
        args.push_back("--yes");
        auto r = Run(args);
        ASSERT_EQ(r.status, 0) << c.args[0] << ": " << r.err;
        EXPECT_EQ(r.out, c.deleted) << c.args[0];
        EXPECT_EQ(List().size(), c.rowsLeft + 1) << c.args[0];
    }
}

size_t RatingRows(CliStakes& t) {
    auto r = t.Run({"ratings", "list"});
    EXPECT_EQ(r.status, 0) << r.err;
    return SplitLines(r.out).size() - 1;
}

TEST_F(CliStakes, DeletingAllKeepsTheRatingsUnlessTheirRebuildIsAskedFor) {
    AddTwo();
    ASSERT_EQ(RatingRows(*this), 1u);
    // --yes answers the deletion only: the rebuild is a question of its own.
    auto kept = Run({"stakes", "delete", "--all", "--yes"});
    ASSERT_EQ(kept.status, 0) << kept.err;
    EXPECT_EQ(kept.out, "3\n");
    EXPECT_EQ(RatingRows(*this), 1u);

    AddTwo();
    auto rebuilt = Run({"stakes", "delete", "--all", "--yes", "--rebuild-ratings"});
    ASSERT_EQ(rebuilt.status, 0) << rebuilt.err;
    EXPECT_EQ(RatingRows(*this), 0u);

    AddTwo();
    auto refused = Run({"stakes", "delete", "--rows", "1", "--yes", "--rebuild-ratings"});
    EXPECT_NE(refused.status, 0);
    EXPECT_EQ(List().size(), 4u);
}

struct TBadCase {
    std::vector<std::string> args;
    std::string message;  // a part of the error output
};

TEST_F(CliStakes, BadInputChangesNothing) {
    AddTwo();
    const TLines before = List();
    const std::vector<TBadCase> cases = {
        {{"stakes", "add", "1;2;3;4;5;6;7;21"}, "Введена некорректная комбинация!"},
        {{"stakes", "add", "1;2;3;4;5;6;7;8", "--comment", ""}, "Необходимо ввести комментарий!"},
        {{"stakes", "add", "1;2;3;4;5;6;7;8", "--draws", "0"}, "от 1 до 65535"},
        {{"stakes", "add", "1;2;3;4;5;6;7;8", "--offset", "5"}, "Смещение 5 вне архива"},
        {{"stakes", "add", "1;2;3;4;5;6;7;8", "--offset", "x"}, "ожидается целое число"},
        {{"stakes", "random", "--count", "-1"}, "ожидается целое число"},
        {{"stakes", "from-list", dir.File("missing.lcv")}, "missing.lcv"},
        {{"stakes", "delete", "--rows", "2-4", "--yes"}, "Строки 2-4 вне файла ставок"},
        {{"stakes", "delete", "--rows", "2-1", "--yes"}, "Неверный диапазон строк"},
        {{"stakes", "delete", "--rows", "a-b", "--yes"}, "Неверный диапазон строк"},
        {{"stakes", "delete", "--where", "~", "1", "--yes"}, "Неизвестное условие \"~\""},
        {{"stakes", "delete", "--where", "=", "9", "--yes"}, "Неверное число совпадений"},
        {{"stakes", "delete", "--yes"}, "Задайте одно из --rows, --where или --all"},
        {{"stakes", "delete", "--all"}, "--yes"},
        {{"ratings", "list", "--mode", "3"}, "от 0 до 2"},
        {{"ratings", "list", "--order", "Нет"}, "Неизвестный столбец рейтинга \"Нет\""},
        {{"ratings", "to-scenario", "2"}, "Строки 2 нет в рейтинге"},
        {{"ratings", "rebuild"}, "--yes"},
    };
    for (const TBadCase& c : cases) {
        auto r = Run(c.args);
        EXPECT_NE(r.status, 0) << c.args[1] << " " << c.args.back();
        EXPECT_NE(r.err.find(c.message), std::string::npos) << c.args.back() << ": " << r.err;
        EXPECT_EQ(List(), before) << c.args.back();
    }
}

TEST_F(CliStakes, EveryCommandKeepsOutOfAHeldFolder) {
    AddTwo();
    const std::string stakesBytes = ReadFileBytes(dir.File("Zentrix_8x20.lsk"));
    TExclusiveFile hold;
    hold.Open(dir.File("Zentrix_8x20.lsk"));
    for (const TLines& args :
         {TLines{"stakes", "list"}, TLines{"stakes", "check"},
          TLines{"stakes", "add", "1;2;3;4;5;6;7;8"}, TLines{"stakes", "delete", "--all", "--yes"},
          TLines{"ratings", "list"}, TLines{"ratings", "rebuild", "--yes"}}) {
        auto r = Run(args);
        EXPECT_EQ(r.status, 1) << args[1];
        EXPECT_NE(r.err.find("Невозможно получить монопольный доступ к файлам данных в каталоге"),
                  std::string::npos)
            << r.err;
    }
    EXPECT_EQ(ReadFileBytes(dir.File("Zentrix_8x20.lsk")), stakesBytes);
}

TEST_F(CliStakes, RatingsListExportRebuildAndScenarioLines) {
    AddTwo();
    auto list = Run({"ratings", "list", "--mode", "0"});
    ASSERT_EQ(list.status, 0) << list.err;
    const TLines lines = SplitLines(list.out);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(SplitAny(lines[0], "\t").size(), 24u);
    EXPECT_EQ(lines[0].rfind("Комментарий\tСтавок\tСовпало\tСреднее\t", 0), 0u);
    EXPECT_EQ(lines[1].rfind("Моя\t1\t4\t4.000\t48.00\t48.00\t0\t0\t0\t0\t1\t", 0), 0u) << lines[1];

    const std::string csv = dir.File("r.csv");
    auto exported = Run({"ratings", "export", csv});
    ASSERT_EQ(exported.status, 0) << exported.err;
    EXPECT_EQ(exported.out, "1\n");
    EXPECT_EQ(ReadTextLines(csv).size(), 2u);

    // Sorting by a column is kept in the file.
    ASSERT_EQ(Run({"ratings", "list", "--order", "Комментарий:desc"}).status, 0);

    ASSERT_EQ(Run({"stakes", "delete", "--rows", "1-1", "--yes"}).status, 0);
    auto rebuilt = Run({"ratings", "rebuild", "--yes"});
    ASSERT_EQ(rebuilt.status, 0) << rebuilt.err;
    EXPECT_EQ(rebuilt.out, "0\n");

    AddTwo();
    auto refused = Run({"ratings", "to-scenario", "1"});
    EXPECT_EQ(refused.status, 1);
    EXPECT_EQ(refused.out, "0\n");
    EXPECT_NE(refused.err.find("невозможно добавить в сценарий!"), std::string::npos)
        << refused.err;
}

}  // namespace
}  // namespace zentrix
