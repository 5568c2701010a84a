#include "stakes/system_file.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/temp_dir.h"
#include "util/errors.h"
#include "util/files.h"

namespace zentrix {
namespace {

const TComb kFirst = {1, 2, 3, 4, 5, 6, 7, 8};

TEST(SystemFile, EveryOneOfTheFourteenSeparatorsSplitsPositions) {
    const char* lines[] = {
        "1 2 3 4 5 6 7 8",         "01 02 03 04 05 06 07 08", "1*2*3*4*5*6*7*8",
        "1+2+3+4+5+6+7+8",         "1,2,3,4,5,6,7,8",         "1-2-3-4-5-6-7-8",
        "1.2.3.4.5.6.7.8",         "1/2/3/4/5/6/7/8",         "1:2:3:4:5:6:7:8",
        "1;2;3;4;5;6;7;8",         "1=2=3=4=5=6=7=8",         "1\\2\\3\\4\\5\\6\\7\\8",
        "1_2_3_4_5_6_7_8",         "1|2|3|4|5|6|7|8",         "1~2~3~4~5~6~7~8",
        "  1 ,, 2;-3  4|5~6 7 8 ",
        "1 2 3 4 5 6 7 8 9",  // words after the eighth are not positions
    };
    for (const char* line : lines) {
        const std::optional<TComb> comb = ParseSystemLine(line, 9);
        ASSERT_TRUE(comb.has_value()) << line;
        EXPECT_EQ(*comb, kFirst) << line;
    }
    EXPECT_FALSE(ParseSystemLine("", 9).has_value());
    EXPECT_FALSE(ParseSystemLine(" ,;- ", 9).has_value());
}

TEST(SystemFile, AMalformedLineIsReportedWithItsReason) {
    struct TCase {
        const char* line;
        const char* message;
    };
    const TCase cases[] = {
        {"1 2 3", "в строке 3 позиций вместо восьми"},
        {"1 2 3 4 5 6 7 10", "позиция 10 вне диапазона 1..9"},
        {"0 2 3 4 5 6 7 8", "позиция 0 вне диапазона 1..9"},
        {"1 1 3 4 5 6 7 8", "позиция 1 повторяется"},
        {"1 2 x 4 5 6 7 8", "\"x\" не является номером позиции"},
        {"1\t2 3 4 5 6 7 8 9", "\"1\t2\" не является номером позиции"},
        {"99999999999999999999999 2 3 4 5 6 7 8",
         "\"99999999999999999999...\" не является номером позиции"},
    };
    for (const TCase& c : cases) {
        try {
            ParseSystemLine(c.line, 9);
            ADD_FAILURE() << c.line;
        } catch (const EConvertError& e) {
            EXPECT_EQ(std::string(e.what()), c.message) << c.line;
        }
    }
}

TEST(SystemFile, NamesTellNumbersBlockAndId) {
    struct TCase {
        const char* name;
        bool local;
        int numbers, block, id;
    };
    const TCase cases[] = {
        {"8-12-3_0042.dat", true, 12, 3, 42}, {"8-09-0_0000.dat", true, 9, 0, 0},
        {"8-20-x_abc.dat", true, 20, -1, -1}, {"8-12-3.dat", false, 0, 0, 0},
        {"8-1-3_0042.dat", false, 0, 0, 0},   {"7-12-3_0042.dat", false, 0, 0, 0},
        {"8-12-3_0042.txt", false, 0, 0, 0},  {"8-ab-3_0042.dat", false, 0, 0, 0},
    };
    for (const TCase& c : cases) {
        const std::optional<TLocalSystem> s = ParseSystemFileName(c.name);
        ASSERT_EQ(s.has_value(), c.local) << c.name;
        if (!s) continue;
        EXPECT_EQ(s->numbers, c.numbers) << c.name;
        EXPECT_EQ(s->block, c.block) << c.name;
        EXPECT_EQ(s->id, c.id) << c.name;
    }
}

struct SystemFolder : ::testing::Test {
    test::TTempDir dir;
    std::string folder = SystemsFolder(dir.Path());
    void Write(const std::string& name, const std::vector<std::string>& lines) {
        EnsureDirectory(folder);
        WriteTextLines(JoinPath(folder, name), lines);
    }
};

TEST_F(SystemFolder, PositionsMapOntoTheNumbersInTheirOrder) {
    Write("8-10-2_0007.dat", {"1 2 3 4 5 6 7 8", "", "3;4;5;6;7;8;9;10"});
    Write("8-12-3_0042.dat", {"1 2 3 4 5 6 7 8"});
    Write("notes.txt", {"x"});
    const TByteArray numbers = {3, 7, 1, 9, 2, 4, 5, 6, 8, 10};
    TCombsArray combs;
    std::string name;
    ASSERT_TRUE(FindLocalSystem(folder, numbers, combs, name));
    EXPECT_EQ(name, "8-10-2_0007");
    ASSERT_EQ(combs.size(), 2u);
    EXPECT_EQ(combs[0], (TComb{3, 7, 1, 9, 2, 4, 5, 6}));
    EXPECT_EQ(combs[1], (TComb{1, 9, 2, 4, 5, 6, 8, 10}));

    const std::vector<TLocalSystem> local = ListLocalSystems(folder);
    ASSERT_EQ(local.size(), 2u);
    EXPECT_EQ(local[0].name, "8-10-2_0007");
    EXPECT_EQ(local[1].numbers, 12);
}

TEST_F(SystemFolder, AMissingSystemGivesTheMessageAndABadFileFailsWhole) {
    TCombsArray combs;
    std::string text;
    EXPECT_FALSE(FindLocalSystem(folder, TByteArray{1, 2, 3, 4, 5, 6, 7, 8, 9}, combs, text));
    EXPECT_EQ(text, "Система для 9 чисел не найдена или не загружена на компьютер!");

    Write("8-09-1_0001.dat", {"1 2 3 4 5 6 7 8", "1 2 3 4 5 6 7 10"});
    try {
        FindLocalSystem(folder, TByteArray{1, 2, 3, 4, 5, 6, 7, 8, 9}, combs, text);
        ADD_FAILURE();
    } catch (const EConvertError& e) {
        EXPECT_EQ(std::string(e.what()),
                  "Файл \"8-09-1_0001.dat\", строка 2: позиция 10 вне диапазона 1..9");
    }
    EXPECT_TRUE(combs.empty());

    Write("8-09-1_0001.dat", {"", " "});
    EXPECT_THROW(FindLocalSystem(folder, TByteArray{1, 2, 3, 4, 5, 6, 7, 8, 9}, combs, text),
                 EZentrix);
    // A folder in place of the file is reported, not followed.
    std::filesystem::remove(JoinPath(folder, "8-09-1_0001.dat"));
    std::filesystem::create_directory(JoinPath(folder, "8-09-1_0001.dat"));
    EXPECT_FALSE(FindLocalSystem(folder, TByteArray{1, 2, 3, 4, 5, 6, 7, 8, 9}, combs, text));
}

TEST_F(SystemFolder, LinesAreWrittenAsTwoDigitPositions) {
    EXPECT_EQ(SystemFileLines({TComb{1, 2, 3, 4, 5, 6, 7, 12}}),
              std::vector<std::string>{"01 02 03 04 05 06 07 12"});
}

}  // namespace
}  // namespace zentrix
