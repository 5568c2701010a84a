#include "stakes/stakes_file.h"

#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <random>

#include "stakes/stakes_env.h"
#include "util/files.h"

namespace zentrix {
namespace {

using test::Stake;
using test::TStakesEnv;

TEST(StakesFile, CreatedWhenMissingAndAppendsReadBack) {
    TStakesEnv env;
    EXPECT_FALSE(env.Open().damaged);
    EXPECT_EQ(FileSize(env.Path()), 0);
    EXPECT_FALSE(env.file.Last());
    const TStakeRec a = Stake(5, {1, 2, 3, 4, 5, 6, 7, 8});
    const TStakeRec b = Stake(6, {9, 10, 11, 12, 13, 14, 15, 16}, "другая");
    env.file.Append({a, SeparatorRecord(), b});
    EXPECT_EQ(FileSize(env.Path()), 3 * 312);
    EXPECT_EQ(env.file.ReadAll(), (std::vector<TStakeRec>{a, SeparatorRecord(), b}));
    EXPECT_EQ(env.file.Read(0), a);
    EXPECT_EQ(*env.file.Last(), b);
    EXPECT_THROW(env.file.Read(3), EFileError);
}

TEST(StakesFile, WorksOnTheHoldItself) {
    TStakesEnv env;
    env.Open();
    TExclusiveFile second;
    EXPECT_THROW(second.Open(env.Path()), ELockBusy);  // the stakes file is the folder's lock
}

// Wrong size or version: the content is copied aside, then the file is emptied.
TEST(StakesFile, DamagedFileIsBackedUpBeforeTruncation) {
    std::string oldVersion = StakeRecordBytes(Stake(5, {1, 2, 3, 4, 5, 6, 7, 8}));
    oldVersion[0] = 1;
    const std::string torn = StakeRecordBytes(Stake(5, {1, 2, 3, 4, 5, 6, 7, 8})) + "abc";
    for (const std::string& bytes : {oldVersion, torn}) {
        TStakesEnv env;
        AtomicWriteFile(env.Path(), bytes);
        const TStakesOpenReport report = env.Open();
        EXPECT_TRUE(report.damaged);
        EXPECT_FALSE(report.problem.empty());
        EXPECT_EQ(report.backup, env.Path() + ".bak");
        EXPECT_EQ(ReadFileBytes(report.backup), bytes);
        EXPECT_EQ(FileSize(env.Path()), 0);
    }
}

TEST(StakesFile, UnfinishedTrailingRecordsAreDropped) {
    TStakesEnv env;
    const std::string whole = StakeRecordBytes(Stake(5, {1, 2, 3, 4, 5, 6, 7, 8}));
    std::string unfinished = StakeRecordBytes(Stake(6, {1, 2, 3, 4, 5, 6, 7, 8}));
    unfinished[0] = 0;
    AtomicWriteFile(env.Path(), whole + unfinished + std::string(312, '\0'));
    EXPECT_FALSE(env.Open().damaged);
    EXPECT_EQ(ReadFileBytes(env.Path()), whole);
}

TEST(StakesFile, RewriteKeepsTheHoldAndAJournalFinishesAtOpening) {
    TStakesEnv env;
    env.Open();
    const TStakeRec a = Stake(5, {1, 2, 3, 4, 5, 6, 7, 8});
    const TStakeRec b = Stake(6, {1, 2, 3, 4, 5, 6, 7, 9});
    env.file.Append({a, b, a});
    env.file.Rewrite({b});
    EXPECT_EQ(env.file.ReadAll(), std::vector<TStakeRec>{b});
    EXPECT_FALSE(FileExists(env.file.JournalPath()));
    TExclusiveFile second;
    EXPECT_THROW(second.Open(env.Path()), ELockBusy);

    // A rewrite cut short after its journal was saved is completed by the next opening.
    AtomicWriteFile(env.file.JournalPath(), StakeRecordBytes(a) + StakeRecordBytes(a));
    env.file.Close();
    env.Open();
    EXPECT_EQ(env.file.ReadAll(), (std::vector<TStakeRec>{a, a}));
    EXPECT_FALSE(FileExists(env.file.JournalPath()));
}

TStakeRec Numbered(int n) {
    return Stake(n, {1, 2, 3, 4, 5, 6, 7, 8}, "ставка " + std::to_string(n));
}

// A child appends batches in a loop and is killed at random moments; the file must hold whole
// records, each one a record the child appended, in order.
TEST(StakesFile, FirstAppendKilledBeforeItsMarksLeavesAnEmptyFile) {
    std::string unfinished = StakeRecordBytes(Stake(6, {1, 2, 3, 4, 5, 6, 7, 8}));
    unfinished[0] = 0;
    struct TCase {
        std::string bytes;
        bool damaged;
    } cases[] = {
        {unfinished, false},
        {unfinished + unfinished, false},
        {std::string(312, '\0'), true},  // zeros are not an append: kept aside
        {unfinished + std::string(312, '\0'), true},
    };
    for (const TCase& c : cases) {
        TStakesEnv env;
        AtomicWriteFile(env.Path(), c.bytes);
        const TStakesOpenReport report = env.Open();
        EXPECT_EQ(report.damaged, c.damaged) << c.bytes.size();
        EXPECT_EQ(FileSize(env.Path()), 0);
        EXPECT_EQ(FileExists(env.Path() + ".bak"), c.damaged);
    }
}

TEST(StakesFile, KillDuringAppendLeavesWholeRecords) {
    TStakesEnv env;
    env.Open();
    env.file.Append({Numbered(1)});
    env.file.Close();
    env.hold.Close();
    std::mt19937 random(12345);
    int killsDuringAppend = 0;
    for (int round = 0; round < 30; ++round) {
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            try {
                TExclusiveFile hold;
                hold.Open(env.Path(), std::chrono::seconds(10));
                TStakesFile file;
                file.Open(hold);
                int next = static_cast<int>(file.Count()) + 1;
                std::mt19937 sizes(static_cast<unsigned>(round));
                for (;;) {
                    std::vector<TStakeRec> batch;
                    const int size = 1 + static_cast<int>(sizes() % 500);
                    for (int i = 0; i < size; ++i) batch.push_back(Numbered(next++));
                    file.Append(batch);
                }
            } catch (...) {
            }
            ::_exit(1);
        }
        ::usleep(20000 + random() % 60000);
        ::kill(child, SIGKILL);
        int status = 0;
        ::waitpid(child, &status, 0);
        if (WIFSIGNALED(status)) ++killsDuringAppend;

        const int64_t rawSize = FileSize(env.Path());
        EXPECT_EQ(rawSize % 312, 0) << "round " << round;
        TExclusiveFile hold;
        hold.Open(env.Path(), std::chrono::seconds(10));
        TStakesFile file;
        EXPECT_FALSE(file.Open(hold).damaged) << "round " << round;
        const std::vector<TStakeRec> records = file.ReadAll();
        for (size_t i = 0; i < records.size(); ++i)
            ASSERT_EQ(records[i], Numbered(static_cast<int>(i) + 1)) << "round " << round;
    }
    EXPECT_EQ(killsDuringAppend, 30);
    EXPECT_GT(FileSize(env.Path()), 0);
}

// The file size limit stops a write part way and the next write kills the writer: a kill in the
// middle of a record, at a byte the test chooses.
TEST(StakesFile, KillAtTheSizeLimitLeavesWholeRecords) {
    for (int64_t limit : {312 * 3 + 100, 312 * 7 + 1, 312 * 40 + 311, 4096 * 3 + 17}) {
        TStakesEnv env;
        env.Open();
        env.file.Append({Numbered(1)});
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            ::signal(SIGXFSZ, SIG_DFL);
            const struct rlimit cap = {static_cast<rlim_t>(limit), static_cast<rlim_t>(limit)};
            ::setrlimit(RLIMIT_FSIZE, &cap);
            try {
                int next = 2;
                for (int size = 1;; ++size) {
                    std::vector<TStakeRec> batch;
                    for (int i = 0; i < size; ++i) batch.push_back(Numbered(next++));
                    env.file.Append(batch);
                }
            } catch (...) {
            }
            ::_exit(1);
        }
        int status = 0;
        ::waitpid(child, &status, 0);
        EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGXFSZ) << limit;
        EXPECT_EQ(FileSize(env.Path()) % 312, 0) << limit;
        env.file.Open(env.hold);
        const std::vector<TStakeRec> records = env.file.ReadAll();
        EXPECT_GE(records.size(), 1u);
        for (size_t i = 0; i < records.size(); ++i)
            ASSERT_EQ(records[i], Numbered(static_cast<int>(i) + 1)) << limit;
    }
}

}  // namespace
}  // namespace zentrix
