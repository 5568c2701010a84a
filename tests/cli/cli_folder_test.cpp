#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <thread>

#include "core/archive_file.h"
#include "core/demo_archive.h"
#include "support/cli_run.h"
#include "support/temp_dir.h"
#include "util/file_lock.h"
#include "util/files.h"
#include "util/program_folder.h"

namespace zentrix {
namespace {

using test::RunCommand;
using TRun = test::TCliResult;

struct CliFolder : ::testing::Test {
    test::TTempDir dir;
    std::string archive = ProgramFile(dir.Path(), ".ldr");

    void SetUp() override {
        ASSERT_EQ(RunCommand({"--dir", dir.Path(), "demo", "--draws", "30"}).status, 0);
    }
    TRun Run(std::vector<std::string> args) {
        args.insert(args.begin(), {"--dir", dir.Path()});
        return RunCommand(args);
    }
};

TEST_F(CliFolder, MissingFolderIsAnErrorExceptForDemo) {
    const std::string missing = dir.File("none");
    for (std::vector<std::string> args :
         {std::vector<std::string>{"draws", "list"},
          {"stats", "table", "NUMS"},
          {"config", "set", "global", "matrixcols", "6"},
          {"combs", "generate", "--mode", "0", "--out", dir.File("a.lcv")}}) {
        args.insert(args.begin(), {"--dir", missing});
        TRun r = RunCommand(args);
        EXPECT_EQ(r.status, 1) << args[2];
        EXPECT_NE(r.err.find(missing), std::string::npos) << r.err;
        EXPECT_FALSE(std::filesystem::exists(missing)) << args[2];
    }
    EXPECT_FALSE(FileExists(dir.File("a.lcv")));
    TRun r = RunCommand({"--dir", missing, "demo", "--draws", "5"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(FileSize(ProgramFile(missing, ".ldr")), 5 * 32);
}

TEST_F(CliFolder, WritersKeepOutWhileTheFolderIsHeld) {
    const std::string before = ReadFileBytes(archive);
    TExclusiveFile holder;
    holder.Open(ProgramFile(dir.Path(), ".lsk"));
    for (std::vector<std::string> args :
         {std::vector<std::string>{"demo", "--force", "--draws", "5"},
          {"combs", "generate", "--mode", "0", "--out", dir.File("a.lcv")},
          {"combs", "remove-drawn", "1", "--in", dir.File("a.lcv"), "--out", dir.File("b.lcv")},
          {"draws", "delete", "1"}}) {
        args.insert(args.begin(), {"--lock-wait", "0"});
        TRun r = Run(args);
        EXPECT_EQ(r.status, 1) << args[3];
        EXPECT_NE(r.err.find("монопольный доступ"), std::string::npos) << r.err;
        EXPECT_NE(r.err.find(dir.Path()), std::string::npos) << r.err;
        EXPECT_EQ(r.err.find("Windows"), std::string::npos) << r.err;
        EXPECT_EQ(r.err.find("Программа будет закрыта"), std::string::npos) << r.err;
    }
    EXPECT_EQ(ReadFileBytes(archive), before);
    EXPECT_FALSE(FileExists(dir.File("a.lcv")));
    // A combination file outside the folder needs no hold; reading needs none either.
    test::TTempDir other;
    TRun r =
        Run({"--lock-wait", "0", "combs", "generate", "--mode", "0", "--out", other.File("a.lcv")});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(Run({"draws", "list"}).status, 0);
}

TEST_F(CliFolder, WriterWaitsForTheHold) {
    TExclusiveFile holder;
    holder.Open(ProgramFile(dir.Path(), ".lsk"));
    std::thread release([&holder] {
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        holder.Close();
    });
    TRun r = Run({"--lock-wait", "60", "demo", "--force", "--draws", "7"});
    release.join();
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(FileSize(archive), 7 * 32);
}

TEST_F(CliFolder, ReadOnlyFolderGivesThePermissionError) {
    ::chmod(dir.Path().c_str(), 0555);
    TRun r = Run({"--lock-wait", "0", "demo", "--force", "--draws", "5"});
    ::chmod(dir.Path().c_str(), 0755);
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find(SystemErrorText(EACCES)), std::string::npos) << r.err;
    EXPECT_EQ(r.err.find("занят"), std::string::npos) << r.err;
    EXPECT_EQ(FileSize(archive), 30 * 32);
}

TEST_F(CliFolder, NoCombinationFileOverTheFoldersOwnFiles) {
    test::TTempDir other;
    std::filesystem::create_directory(dir.File("sub"));
    ASSERT_EQ(::symlink(archive.c_str(), other.File("link.lcv").c_str()), 0);
    ASSERT_EQ(Run({"config", "set", "global", "matrixcols", "6"}).status, 0);
    const std::string archiveBefore = ReadFileBytes(archive);
    const std::string settingsBefore = ReadFileBytes(ProgramFile(dir.Path(), ".ini"));
    for (const std::string& out :
         {archive, ProgramFile(dir.Path(), ".ini"), dir.File("sub/../Zentrix_8x20.ldr"),
          dir.Path() + "/./Zentrix_8x20.lss", other.File("link.lcv"), dir.File("Prefetchs/a.lcv"),
          ProgramFile(dir.Path(), ".frm")}) {
        TRun r = Run({"combs", "generate", "--mode", "0", "--out", out});
        EXPECT_EQ(r.status, 1) << out;
        EXPECT_NE(r.err.find("файлов данных программы"), std::string::npos) << r.err;
    }
    EXPECT_EQ(ReadFileBytes(archive), archiveBefore);
    EXPECT_EQ(ReadFileBytes(ProgramFile(dir.Path(), ".ini")), settingsBefore);
    EXPECT_FALSE(std::filesystem::exists(ProgramFile(dir.Path(), ".lss")));
    EXPECT_TRUE(std::filesystem::is_symlink(other.File("link.lcv")));
    TRun r = Run({"combs", "generate", "--mode", "0", "--out", dir.File("mine.lcv")});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "125970\n");
    r = Run({"combs", "remove-drawn", "1", "--in", dir.File("mine.lcv"), "--out", archive});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(ReadFileBytes(archive), archiveBefore);
}

}  // namespace
}  // namespace zentrix
