// zentrix-cli killed (SIGKILL) at random moments of every kind of write: the next start must find
// each file whole, old or new, with no temporary left behind and nothing to report.

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>
#include <httplib.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "core/archive_file.h"
#include "stakes/stake_rec.h"
#include "support/folder_snapshot.h"
#include "support/site_html.h"
#include "support/temp_dir.h"
#include "support/web_server.h"
#include "util/files.h"

namespace zentrix {
namespace {

namespace fs = std::filesystem;
using TSnapshot = std::map<std::string, std::string>;

constexpr int kKillsPerKind = 20;
constexpr unsigned kSeed = 20261211;

struct TRun {
    int status = -1;
    bool killed = false;
    std::string out, err;
    double seconds = 0;
};

// Runs the built zentrix-cli with "--dir folder" first; SIGKILLs it after `killAfter` seconds
// when given and it has not ended by then.
TRun RunCli(const std::string& folder, std::vector<std::string> args,
            std::optional<double> killAfter = std::nullopt) {
    args.insert(args.begin(), {ZENTRIX_CLI_PROGRAM, "--dir", folder});
    int outPipe[2], errPipe[2];
    if (::pipe2(outPipe, O_CLOEXEC) != 0 || ::pipe2(errPipe, O_CLOEXEC) != 0) return {};
    const auto start = std::chrono::steady_clock::now();
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::dup2(outPipe[1], 1);
        ::dup2(errPipe[1], 2);
        std::vector<char*> argv;
        for (std::string& a : args) argv.push_back(a.data());
        argv.push_back(nullptr);
        ::execv(argv[0], argv.data());
        ::_exit(127);
    }
    ::close(outPipe[1]);
    ::close(errPipe[1]);
    TRun run;
    pollfd fds[2] = {{outPipe[0], POLLIN, 0}, {errPipe[0], POLLIN, 0}};
    std::string* sinks[2] = {&run.out, &run.err};
    int open = 2;
    while (open > 0) {
        int wait = -1;
        if (killAfter && !run.killed) {
            const double left =
                *killAfter -
                std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
            if (left <= 0) {
                ::kill(pid, SIGKILL);
                run.killed = true;
            } else {
                wait = static_cast<int>(left * 1000) + 1;
            }
        }
        if (::poll(fds, 2, wait) < 0) continue;
        for (int i = 0; i < 2; ++i) {
            if (fds[i].fd < 0 || !(fds[i].revents & (POLLIN | POLLHUP | POLLERR))) continue;
            char buffer[4096];
            const ssize_t n = ::read(fds[i].fd, buffer, sizeof buffer);
            if (n > 0) {
                sinks[i]->append(buffer, static_cast<size_t>(n));
            } else if (n == 0 || errno != EINTR) {
                ::close(fds[i].fd);
                fds[i].fd = -1;
                --open;
            }
        }
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    run.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    run.killed = WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL;
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

// What a killed write may leave of one file besides its old and its new version.
using TPartial = std::function<bool(const std::string& name, const std::string& oldBytes,
                                    const std::string& newBytes, const std::string& seen)>;

// An append of records: the old content followed by whole records of the new one, `step` records
// at a time (the batches of a download).
TPartial RecordPrefix(const std::string& fileName, size_t recordSize, size_t step = 1) {
    return [=](const std::string& name, const std::string& oldBytes, const std::string& newBytes,
               const std::string& seen) {
        if (name != fileName || newBytes.compare(0, oldBytes.size(), oldBytes) != 0) return false;
        if (seen.size() < oldBytes.size() || newBytes.compare(0, seen.size(), seen) != 0)
            return false;
        const size_t added = seen.size() - oldBytes.size();
        return added % (recordSize * step) == 0;
    };
}

using TCommand = std::vector<std::string>;

struct TKind {
    std::string name;
    // Commands that make the old folder, in order.
    std::vector<TCommand> prepare;
    TCommand write;
    TPartial partial = nullptr;
    // Run on the old folder after the commands.
    std::function<void(const std::string& folder)> adjust = nullptr;
};

struct KillTest : ::testing::Test {
    test::TTempDir work;
    std::string old = work.File("old"), data = work.File("data");
    // A folder of the user's own files, outside the data folder.
    std::string oldOutside = work.File("old-outside"), outside = work.File("outside");
    std::mt19937 random{kSeed};

    // The next start: holds the folder, opens every file, removes what killed saves left.
    TRun NextStart() { return RunCli(data, {"stakes", "list"}); }

    void Restore() {
        for (const auto& [from, to] : {std::pair(old, data), std::pair(oldOutside, outside)}) {
            fs::remove_all(to);
            fs::copy(from, to, fs::copy_options::recursive | fs::copy_options::copy_symlinks);
        }
    }

    // The data folder, and the user's files outside it by "outside/" names. A temporary a killed
    // save leaves beside a file the user named is not the next start's to remove (it removes
    // only those of the data folder's own files), so those are left out.
    TSnapshot Snapshot(const std::string& dataFolder, const std::string& outsideFolder) {
        TSnapshot all = test::FolderSnapshot(dataFolder);
        for (const auto& [name, bytes] : test::FolderSnapshot(outsideFolder))
            if (!SaveTemporaryTarget(fs::path(name).filename().string()))
                all["outside/" + name] = bytes;
        return all;
    }

    void Check(const TKind& kind) {
        SCOPED_TRACE(kind.name + " (seed " + std::to_string(kSeed) + ")");
        fs::create_directories(old);
        fs::create_directories(oldOutside);
        for (const auto& command : kind.prepare) {
            const TRun r = RunCli(old, command);
            ASSERT_EQ(r.status, 0) << command[0] << ": " << r.err;
        }
        if (kind.adjust) kind.adjust(old);
        ASSERT_EQ(RunCli(old, {"stakes", "list"}).status, 0);
        const TSnapshot before = Snapshot(old, oldOutside);

        Restore();
        const TRun full = RunCli(data, kind.write);
        ASSERT_EQ(full.status, 0) << full.err;
        const TRun settled = NextStart();
        ASSERT_EQ(settled.status, 0) << settled.err;
        const TSnapshot after = Snapshot(data, outside);
        ASSERT_NE(before, after) << "the write changed nothing";

        std::uniform_real_distribution<double> delay(0, full.seconds);
        for (int attempt = 0; attempt < kKillsPerKind; ++attempt) {
            Restore();
            const double killAfter = delay(random);
            SCOPED_TRACE("killed after " + std::to_string(killAfter) + " s");
            RunCli(data, kind.write, killAfter);
            const TRun next = NextStart();
            EXPECT_EQ(next.status, 0);
            EXPECT_EQ(next.err, "");
            const TSnapshot seen = Snapshot(data, outside);
            for (const auto& [name, bytes] : seen) {
                const auto o = before.find(name);
                const auto n = after.find(name);
                const bool whole = (o != before.end() && o->second == bytes) ||
                                   (n != after.end() && n->second == bytes);
                // A file the write makes grows from nothing.
                const bool partial =
                    kind.partial && n != after.end() &&
                    kind.partial(name, o != before.end() ? o->second : "", n->second, bytes);
                EXPECT_TRUE(whole || partial) << name << ": neither the old nor the new version ("
                                              << bytes.size() << " bytes)";
            }
            for (const auto& [name, bytes] : before)
                EXPECT_TRUE(seen.count(name) || !after.count(name)) << name << " is gone";
            if (HasFailure()) return;
        }
    }
};

const char* const kArchive = "Zentrix_8x20.ldr";
const TCommand kDemo = {"demo", "--draws", "800"};

TEST_F(KillTest, ArchiveAdd) {
    Check({"draws add",
           {kDemo},
           {"draws", "add", "801", "1;2;3;4;5;6;7;8;1", "--date", "01.06.2026 10:00"}});
}

TEST_F(KillTest, ArchiveEdit) {
    Check({"draws edit", {kDemo}, {"draws", "edit", "400", "2;4;6;8;10;12;14;16;3"}});
}

TEST_F(KillTest, ArchiveImport) {
    const std::string csv = work.File("draws.csv");
    Check({"draws import",
           {{"demo", "--draws", "2000"}, {"draws", "export", csv}},
           {"draws", "import", csv},
           nullptr,
           [&](const std::string& folder) {
               fs::remove(folder + "/" + kArchive);
               RunCli(folder, kDemo);
           }});
}

TEST_F(KillTest, StakesAppend) {
    Check({"stakes random",
           {kDemo},
           {"stakes", "random", "--count", "300", "--seed", "7"},
           RecordPrefix("Zentrix_8x20.lsk", kStakeRecordSize)});
}

TEST_F(KillTest, RatingsRebuild) {
    Check({"ratings rebuild",
           {kDemo,
            {"stakes", "random", "--count", "200", "--offset", "100", "--seed", "3"},
            {"stakes", "check"}},
           {"ratings", "rebuild", "--yes"},
           nullptr,
           [](const std::string& folder) { fs::remove(folder + "/Zentrix_8x20.lrt"); }});
}

TEST_F(KillTest, ScenarioSave) {
    Check(
        {"scenario add",
         {kDemo, {"scenario", "add", "CURR"}},
         {"scenario", "add", "excl:3#all#nex|tsd2#nums:10|  |Xyz:5#cdv:1;2| | | | |Проба|хвост"}});
}

TEST_F(KillTest, SettingsSet) {
    Check({"config set", {kDemo}, {"config", "set", "GLOBAL", "MatrixCols", "6"}});
}

TEST_F(KillTest, CombinationFile) {
    const std::string file = outside + "/list.lcv";
    Check({"combs remove-drawn",
           {kDemo},
           {"combs", "remove-drawn", "300", "--in", file, "--out", file},
           nullptr,
           [&](const std::string& folder) {
               ASSERT_EQ(
                   RunCli(folder, {"combs", "generate", "--out", oldOutside + "/list.lcv"}).status,
                   0);
           }});
}

TEST_F(KillTest, FullSetFiles) {
    Check({"prefetch build", {kDemo}, {"prefetch", "build", "NUMS"}});
}

TEST_F(KillTest, DownloadAppendsBatches) {
    test::TWebServer site{&test::TestCertificates()};
    const TDrawsArray draws = test::SiteDraws(491518, 491539);
    site.Routes().Get("/archive", [&](const httplib::Request& q, httplib::Response& a) {
        std::string path = "/archive";
        if (q.has_param("from"))
            path += "?from=" + q.get_param_value("from") + "&to=" + q.get_param_value("to");
        a.set_content(test::SitePageFor(draws, path), "text/html");
    });
    site.Start();
    Check({"draws download",
           {{"config", "set", "SERVICES", "SiteUrl", site.Url()},
            {"config", "set", "SERVICES", "CaFile", test::TestCertificates().caFile}},
           {"draws", "download"},
           RecordPrefix(kArchive, kDrawRecordSize, 10)});
}

}  // namespace
}  // namespace zentrix
