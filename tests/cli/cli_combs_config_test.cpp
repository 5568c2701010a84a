#include <gtest/gtest.h>

#include "core/archive_file.h"
#include "core/comb_file.h"
#include "core/demo_archive.h"
#include "support/cli_run.h"
#include "support/temp_dir.h"
#include "util/files.h"
#include "util/ini.h"

namespace zentrix {
namespace {

using test::RunCommand;
using TRun = test::TCliResult;

struct CliCombs : ::testing::Test {
    test::TTempDir dir;

    TRun Run(std::vector<std::string> args) {
        args.insert(args.begin(), {"--dir", dir.Path()});
        return RunCommand(args);
    }
    TCombsArray Read(const std::string& name) {
        TCombsArray combs;
        ReadCombFile(dir.File(name), combs);
        return combs;
    }
};

TEST_F(CliCombs, GenerateUsesTheOptionsOrTheSavedDefaults) {
    TRun r = Run({"combs", "generate", "--out", dir.File("all.lcv")});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "125970\n");
    EXPECT_EQ(Read("all.lcv").size(), 125970u);

    r = Run({"combs", "generate", "--mode", "2", "--param", "1;2;3;4;5;6;7;8;9", "--out",
             dir.File("nine.lcv")});
    EXPECT_EQ(r.out, "9\n");

    WriteTextLines(dir.File("Zentrix_8x20.ini"),
                   {"[GLOBAL]", "CombsGenerateMode=3", "CombsGenerateParameters=1"});
    const std::string ini = ReadFileBytes(dir.File("Zentrix_8x20.ini"));
    EXPECT_EQ(Run({"combs", "generate", "--out", dir.File("d.lcv")}).out, "75582\n");
    EXPECT_EQ(Run({"combs", "generate", "--mode", "4", "--param", dir.File("nine.lcv"), "--out",
                   dir.File("copy.lcv")})
                  .out,
              "9\n");
    EXPECT_EQ(ReadFileBytes(dir.File("Zentrix_8x20.ini")), ini);  // the defaults stay as they are

    r = Run({"combs", "generate", "--mode", "4", "--param", dir.File("none.lcv"), "--out",
             dir.File("x.lcv")});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("Ошибка чтения файла"), std::string::npos);
    EXPECT_FALSE(FileExists(dir.File("x.lcv")));
    EXPECT_EQ(Run({"combs", "generate", "--mode", "5", "--out", dir.File("x.lcv")}).status, 2);
}

TEST_F(CliCombs, RemoveDrawnFromAFileToAFile) {
    WriteDrawsFile(dir.File("Zentrix_8x20.ldr"), MakeDemoDraws(20, 5, 45000));
    ASSERT_EQ(Run({"combs", "generate", "--out", dir.File("all.lcv")}).status, 0);
    TRun r = Run(
        {"combs", "remove-drawn", "5", "--in", dir.File("all.lcv"), "--out", dir.File("left.lcv")});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "125965\n");
    r = Run({"combs", "remove-drawn", "5", "--offset", "17", "--in", dir.File("left.lcv"), "--out",
             dir.File("left2.lcv")});
    EXPECT_EQ(r.out, "125962\n");  // draws 1..3; 4 and 5 are not in the window
    EXPECT_EQ(Run({"combs", "remove-drawn", "0", "--in", dir.File("left.lcv"), "--out",
                   dir.File("same.lcv")})
                  .out,
              "125965\n");
    r = Run({"combs", "remove-drawn", "5", "--offset", "20", "--in", dir.File("all.lcv"), "--out",
             dir.File("x.lcv")});
    EXPECT_EQ(r.status, 1);
    r = Run(
        {"combs", "remove-drawn", "5", "--in", dir.File("none.lcv"), "--out", dir.File("x.lcv")});
    EXPECT_EQ(r.status, 1);
    EXPECT_FALSE(FileExists(dir.File("x.lcv")));
}

TEST_F(CliCombs, ConfigShowAndSet) {
    TRun r = Run({"--decimal-separator", ",", "config", "show"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out.rfind("section\tkey\tvalue\nGLOBAL\tMatrixCols\t4\n", 0), 0u);
    EXPECT_NE(r.out.find("\nCDL\tDeviation\t-1\n"), std::string::npos);
    EXPECT_NE(r.out.find("\nSHREDDING\tFormula3Digits\t2\n"), std::string::npos);
    EXPECT_FALSE(FileExists(dir.File("Zentrix_8x20.ini")));  // showing writes nothing

    ASSERT_EQ(Run({"--decimal-separator", ",", "config", "set", "STAKES", "Cost", "2,5"}).status,
              0);
    ASSERT_EQ(Run({"config", "set", "global", "matrixcols", "6"}).status, 0);
    ASSERT_EQ(Run({"config", "set", "SHREDDING", "Formula1", "n1*n2"}).status, 0);
    const TIniFile ini(dir.File("Zentrix_8x20.ini"));
    EXPECT_EQ(ini.ReadInteger("GLOBAL", "MatrixCols", 0), 6);
    EXPECT_EQ(ini.ReadString("SHREDDING", "Formula1", ""), "n1*n2");
    r = Run({"--decimal-separator", ".", "config", "show"});
    EXPECT_NE(r.out.find("\nSTAKES\tCost\t2.5\n"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("\nGLOBAL\tMatrixCols\t6\n"), std::string::npos);

    const std::string saved = ReadFileBytes(dir.File("Zentrix_8x20.ini"));
    for (std::vector<std::string> bad : {std::vector<std::string>{"GLOBAL", "MatrixCols", "0"},
                                         {"GLOBAL", "ChannelSize", "21"},
                                         {"GLOBAL", "MatrixSegments", "19x"},
                                         {"NOPE", "Key", "1"}}) {
        bad.insert(bad.begin(), {"config", "set"});
        r = Run(bad);
        EXPECT_EQ(r.status, 1) << bad[3];
        EXPECT_FALSE(r.err.empty());
    }
    EXPECT_EQ(ReadFileBytes(dir.File("Zentrix_8x20.ini")), saved);
}

}  // namespace
}  // namespace zentrix
