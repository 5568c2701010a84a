#include <gtest/gtest.h>

#include <array>

#include "core/archive_file.h"
#include "core/comb_file.h"
#include "stakes/stakes_env.h"
#include "stakes/system_file.h"
#include "stakes/wheel_check.h"
#include "support/cli_run.h"
#include "support/temp_dir.h"
#include "util/files.h"
#include "util/strings.h"

namespace zentrix {
namespace {

using test::RunCommand;
using TLines = std::vector<std::string>;

const std::array<int, 8> kDrawn = {1, 2, 3, 4, 5, 6, 7, 8};

TComb Comb(int first) {
    TComb c;
    for (int i = 0; i < 8; ++i) c[i] = static_cast<uint8_t>(first + i);
    return c;
}

// An archive of two draws, a system for 10 numbers and a list of the numbers 1..10.
struct CliSystems : ::testing::Test {
    test::TTempDir dir;
    std::string list = dir.File("a.lcv");

    CliSystems() {
        WriteDrawsFile(dir.File("Zentrix_8x20.ldr"),
                       {test::Draw(1, kDrawn), test::Draw(2, kDrawn)});
        WriteTextLines(
            dir.File("Zentrix_8x20.ini"),
            {"[STAKES]", "Cost=2", "Profits=1", "Profit_0_Overlap=8", "Profit_0_Profit=1000"});
        EnsureDirectory(SystemsFolder(dir.Path()));
        WriteTextLines(dir.File("Systems/8-10-2_0005.dat"),
                       {"8 7 6 5 4 3 2 1", "1-3-5-7-9-2-4-6", "03,04,05,06,07,08,09,10"});
        WriteCombFile(list, {Comb(1), Comb(2), Comb(3)});
    }
    test::TCliResult Run(std::vector<std::string> args) {
        args.insert(args.begin(), {"--dir", dir.Path(), "--lock-wait", "0"});
        return RunCommand(args);
    }
};

TEST_F(CliSystems, ListShowsTheLocalSystems) {
    WriteTextLines(dir.File("Systems/8-12-3_0042.dat"), {"1 2 3"});
    const auto r = Run({"systems", "list"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(
        SplitLines(r.out),
        (TLines{"Система\tЧисла\tБлок\tНомер\tКомбинаций\tОшибка", "8-10-2_0005\t10\t2\t5\t3\t",
                "8-12-3_0042\t12\t3\t42\t\tФайл \"8-12-3_0042.dat\", строка 1: в строке 3 "
                "позиций вместо восьми"}));
}

TEST_F(CliSystems, PlayStakesTheWholeSystemOrItsCombinationsInTheList) {
    auto r = Run({"systems", "play", "--list", list, "--whole"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "3\n");
    r = Run({"systems", "play", "--list", list, "--filtered", "--offset", "1", "--comment", "Моя"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "2\n");
    r = Run({"stakes", "list"});
    const TLines rows = SplitLines(r.out);
    ASSERT_EQ(rows.size(), 7u);  // header, three, separator, two
    EXPECT_EQ(rows[1],
              "3\tСистема\t1;2;3;4;5;6;7;8\t3\t\t\t\t-2.00\tСистемная игра для 10 чисел [вся "
              "система]: 8-10-2_0005");
    EXPECT_EQ(rows[5],
              "2\tСистема\t1;2;3;4;5;6;7;8\t3\t1;2;3;4;5;6;7;8\t8\t1 2 3 4 5 6 7 8\t998.00\tМоя");
}

TEST_F(CliSystems, PlayRefusesWithoutAModeOrASystem) {
    EXPECT_NE(Run({"systems", "play", "--list", list}).status, 0);
    EXPECT_NE(Run({"systems", "play", "--list", list, "--whole", "--filtered"}).status, 0);
    WriteCombFile(list, {Comb(1), Comb(5)});
    const auto r = Run({"systems", "play", "--list", list, "--whole"});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("Система для 12 чисел не найдена"), std::string::npos) << r.err;
    EXPECT_EQ(SplitLines(Run({"stakes", "list"}).out).size(), 1u);
}

TEST_F(CliSystems, CheckPrintsTheGuaranteeTable) {
    // The full system over 9: every drawn number is guaranteed.
    TCombsArray full;
    for (int skip = 1; skip <= 9; ++skip) {
        TComb c{};
        size_t i = 0;
        for (int p = 1; p <= 9; ++p)
            if (p != skip) c[i++] = uint8_t(p);
        full.push_back(c);
    }
    WriteTextLines(dir.File("full9.dat"), SystemFileLines(full));
    auto r = Run({"--decimal-separator", ".", "systems", "check", dir.File("full9.dat")});
    ASSERT_EQ(r.status, 0) << r.err;
    TLines rows = SplitLines(r.out);
    ASSERT_EQ(rows.size(), 11u);
    EXPECT_EQ(rows[0], "t\tГарантия\t0\t1\t2\t3\t4\t5\t6\t7\t8\tТиражей");
    EXPECT_EQ(rows[9],
              "8\t8\t0.000000\t0.000000\t0.000000\t0.000000\t0.000000\t0.000000\t0.000000\t"
              "0.000000\t1.000000\t9");
    EXPECT_EQ(rows[10].rfind("все\t0\t", 0), 0u) << rows[10];

    // The list as a system over its ten numbers.
    r = Run({"--decimal-separator", ".", "systems", "check", list});
    ASSERT_EQ(r.status, 0) << r.err;
    rows = SplitLines(r.out);
    ASSERT_EQ(rows.size(), 11u);
    EXPECT_EQ(rows[1].rfind("0\t0\t", 0), 0u) << rows[1];
    EXPECT_EQ(rows[9].rfind("8\t6\t", 0), 0u) << rows[9];

    WriteTextLines(dir.File("bad.dat"), {"1 2 3 4 5 6 7 x"});
    r = Run({"systems", "check", dir.File("bad.dat")});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("строка 1"), std::string::npos) << r.err;
    EXPECT_EQ(Run({"systems", "check", dir.File("missing.dat")}).status, 1);
}

TEST_F(CliSystems, GenerateWritesACheckedSystem) {
    auto r = Run({"systems", "generate", "--numbers", "12", "--guarantee", "3-if-3", "--out",
                  dir.File("g.dat")});
    ASSERT_EQ(r.status, 0) << r.err;
    const TCombsArray system = ReadSystemFile(dir.File("g.dat"), 12);
    EXPECT_EQ(r.out, std::to_string(system.size()) + "\t" + dir.File("g.dat") + "\n");
    EXPECT_GE(CheckWheel(12, system).rows[3].guaranteed, 3);

    // Into the folder under its own name, once per count.
    r = Run({"systems", "generate", "--numbers", "12", "--guarantee", "3-if-3"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("Systems/8-12-3_0000.dat"), std::string::npos) << r.out;
    r = Run({"systems", "generate", "--numbers", "12", "--guarantee", "2-if-2"});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("8-12-3_0000"), std::string::npos) << r.err;

    EXPECT_NE(Run({"systems", "generate", "--numbers", "8", "--guarantee", "3-if-3"}).status, 0);
    EXPECT_NE(Run({"systems", "generate", "--numbers", "12", "--guarantee", "9-if-3"}).status, 0);
}

}  // namespace
}  // namespace zentrix
