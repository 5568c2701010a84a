#include <gtest/gtest.h>

#include "support/cli_run.h"
#include "support/temp_dir.h"
#include "util/files.h"

namespace zentrix {
namespace {

using test::RunCommand;
using TRun = test::TCliResult;

TEST(CliGame, PrintsConstantsAndMatchDistribution) {
    TRun r = RunCommand({"--decimal-separator", ".", "game"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("CombCount\t125970\n"), std::string::npos);
    EXPECT_NE(r.out.find("\nk\tcombinations\tprobability\n0\t495\t0.003929507025\n"),
              std::string::npos);
    EXPECT_NE(r.out.find("\n8\t1\t0.000007938398\n"), std::string::npos);
    EXPECT_NE(RunCommand({"--decimal-separator", ",", "game"}).out.find("0,003929507025"),
              std::string::npos);
}

TEST(CliGame, UsageErrorsExitWithTwoAndHelpWithZero) {
    EXPECT_EQ(RunCommand({}).status, 2);
    EXPECT_EQ(RunCommand({"nonsense"}).status, 2);
    EXPECT_EQ(RunCommand({"--decimal-separator", "ab", "game"}).status, 2);
    TRun help = RunCommand({"demo", "--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("--seed"), std::string::npos);
}

TEST(CliDemo, WritesReproducibleArchiveAndKeepsAnExistingOne) {
    test::TTempDir dir;
    TRun r = RunCommand({"--dir", dir.Path(), "demo", "--draws", "100", "--seed", "3"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "100\n");
    const std::string path = dir.File("Zentrix_8x20.ldr");
    std::string first = ReadFileBytes(path);
    EXPECT_EQ(first.size(), 3200u);

    TRun again = RunCommand({"--dir", dir.Path(), "demo", "--draws", "50"});
    EXPECT_EQ(again.status, 1);
    EXPECT_NE(again.err.find("--force"), std::string::npos);
    EXPECT_EQ(ReadFileBytes(path), first);

    ASSERT_EQ(RunCommand({"--dir", dir.Path(), "demo", "--draws", "100", "--seed", "3", "--force"})
                  .status,
              0);
    EXPECT_EQ(ReadFileBytes(path), first);
}

}  // namespace
}  // namespace zentrix
