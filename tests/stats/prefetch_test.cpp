#include "stats/prefetch.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "stats/prefetch_layout.h"
#include "stats/stats_env.h"
#include "support/temp_dir.h"
#include "util/errors.h"
#include "util/files.h"
#include "util/strings.h"

namespace zentrix {
namespace {

using test::KeyRecord;
using test::TStatsEnv;
using test::TTempDir;

TPrefetchData Small() {
    TPrefetchData d;
    d.Records = {{KeyRecord(1).Key, 5}, {KeyRecord(2, 0, 0, -1).Key, 7}};
    d.MinCount = 5;
    d.MaxCount = 7;
    return d;
}

// The entries with flag N, each with a file.
std::vector<std::string> NormCodes(const TStatList& list) {
    std::vector<std::string> codes;
    for (int i = 0; i < list.MethodCount(); ++i)
        if (list.MethodAt(i).Class->HasNorm())
            codes.push_back(list.MethodAt(i).Class->CodeOf(list.MethodAt(i).Index));
    return codes;
}

TEST(Prefetch, FileName) {
    EXPECT_EQ(PrefetchFileName("/data", "NUMS"), "/data/Prefetchs/Zentrix_8x20_NUMS.dfc");
    TStatsEnv env;
    EXPECT_EQ(PrefetchFileName("/data", env.list, env.Entry("POS3")),
              "/data/Prefetchs/Zentrix_8x20_POS3.dfc");
}

TEST(Prefetch, RecordsAndTrailerByteByByte) {
    const std::string bytes = SerializePrefetch(Small());
    const std::string expected(
        "\x01\x00\x00\x00\x00\x00\x00\x00\x05\x00\x00\x00"
        "\x02\x00\x00\x00\x00\x00\xFF\xFF\x07\x00\x00\x00"
        "\x05\x00\x00\x00\x07\x00\x00\x00\x00\x00\x00\x00",
        36);
    EXPECT_EQ(bytes, expected);
    EXPECT_EQ(ParsePrefetch(bytes), Small());
}

TEST(Prefetch, DistributionsOverAllCombinations) {
    TStatsEnv env;
    struct TCase {
        const char* code;
        size_t records;
        int firstCount;
        int minCount;
        int maxCount;
        int64_t total;
    };
    const TCase cases[] = {
        {"NUMS", 20, 50388, 50388, 50388, 8 * 125970},  // C(19, 7) each
        {"EVEN", 9, 45, 45, 44100, 125970},             // C(10, k) C(10, 8 - k)
        {"SMLV", 9, 45, 45, 44100, 125970},
        {"POS1", 13, 50388, 1, 50388, 125970},  // 1 first in C(19, 7); 13 only in 13..20
        {"POS8", 13, 1, 1, 50388, 125970},
        // Every number is in C(19, 7) combinations: 31 digits over 1..20, twelve of them 1.
        {"DIGS", 10, 2 * 50388, 2 * 50388, 12 * 50388, 31 * 50388},
    };
    for (const TCase& c : cases) {
        auto stat = env.Create(c.code);
        const TPrefetchData d = ComputePrefetch(*stat);
        ASSERT_EQ(d.Records.size(), c.records) << c.code;
        EXPECT_EQ(d.Records[0].Count, c.firstCount) << c.code;
        EXPECT_EQ(d.MinCount, c.minCount) << c.code;
        EXPECT_EQ(d.MaxCount, c.maxCount) << c.code;
        int64_t total = 0;
        for (size_t i = 0; i < d.Records.size(); ++i) {
            total += d.Records[i].Count;
            if (i > 0) {
                EXPECT_LT(CompareKeys(d.Records[i - 1].Key, d.Records[i].Key), 0);
            }
        }
        EXPECT_EQ(total, c.total) << c.code;
    }
}

TEST(Prefetch, DamagedFiles) {
    const std::string good = SerializePrefetch(Small());
    struct TCase {
        const char* what;
        std::string bytes;
    };
    std::string badTrailer = good;
    badTrailer[24] = 4;  // MinCount 4, the records say 5
    std::string badPad = good;
    badPad[35] = 1;
    std::string unordered = good.substr(12, 12) + good.substr(0, 12) + good.substr(24);
    TPrefetchData negative = Small();
    negative.Records[0].Count = -5;
    negative.MinCount = -5;  // the trailer agrees with the records
    TPrefetchData negativeTrailer;
    negativeTrailer.MinCount = -1;
    negativeTrailer.MaxCount = 3;
    const TCase cases[] = {
        {"empty", ""},
        {"short", good.substr(0, 11)},
        {"not whole records", good + "x"},
        {"trailer", badTrailer},
        {"padding", badPad},
        {"order", unordered},
        {"negative count", SerializePrefetch(negative)},
        {"negative trailer", SerializePrefetch(negativeTrailer)},
    };
    for (const TCase& c : cases) EXPECT_THROW(ParsePrefetch(c.bytes), EFileError) << c.what;
    // A trailer alone is a distribution without values.
    const TPrefetchData none = ParsePrefetch(good.substr(24));
    EXPECT_TRUE(none.Records.empty());
    EXPECT_EQ(none.MaxCount, 7);
}

TEST(Prefetch, OpenBuildsMissingAndReadsExistingFiles) {
    TTempDir dir;
    TStatsEnv env;
    std::string message;
    // No distribution for a class without flag N.
    EXPECT_FALSE(OpenPrefetchFile(env.list, env.Entry("KNM2"), dir.Path(), message));
    EXPECT_FALSE(OpenPrefetchFile(env.list, env.Entry("POE1"), dir.Path(), message));
    EXPECT_TRUE(message.empty());

    const std::string nums = PrefetchFileName(dir.Path(), "NUMS");
    auto built = OpenPrefetchFile(env.list, env.Entry("NUMS"), dir.Path(), message);
    ASSERT_TRUE(built) << message;
    EXPECT_EQ(FileSize(nums), 21 * 12);
    EXPECT_EQ(ReadPrefetchFile(nums), *built);

    // An existing file is read as it is.
    WritePrefetchFile(nums, Small());
    auto read = OpenPrefetchFile(env.list, env.Entry("NUMS"), dir.Path(), message);
    ASSERT_TRUE(read);
    EXPECT_EQ(*read, Small());

    // An empty file is built again.
    AtomicWriteFile(nums, "");
    read = OpenPrefetchFile(env.list, env.Entry("NUMS"), dir.Path(), message);
    ASSERT_TRUE(read);
    EXPECT_EQ(read->Records.size(), 20u);

    // A damaged file: the message, no distribution, the file left for the user.
    AtomicWriteFile(nums, std::string(30, '\0'));
    EXPECT_FALSE(OpenPrefetchFile(env.list, env.Entry("NUMS"), dir.Path(), message));
    EXPECT_EQ(message.rfind("Ошибка открытия файла данных для полного набора вариантов!\n\n"
                            "Имя файла: " +
                                nums + "\n\n",
                            0),
              0u)
        << message;
    EXPECT_EQ(FileSize(nums), 30);
}

TEST(Prefetch, BuildFailure) {
    TTempDir dir;
    TStatsEnv env;
    // A file where the folder Prefetchs should be.
    AtomicWriteFile(dir.File("Prefetchs"), "x");
    std::string message;
    EXPECT_FALSE(BuildPrefetchFile(env.list, env.Entry("DIGS"), dir.Path(), message));
    const std::string path = PrefetchFileName(dir.Path(), "DIGS");
    EXPECT_EQ(message.rfind("Ошибка создания файла данных для полного набора вариантов!\n\n"
                            "Имя файла: " +
                                path + "\n\n",
                            0),
              0u)
        << message;
    EXPECT_FALSE(FileExists(path));
}

TEST(Prefetch, BuildEveryMissingFile) {
    TTempDir dir;
    TStatsEnv env;
    std::vector<std::string> names;
    int steps = 0, lastTotal = 0;
    TPrefetchBuildHooks hooks;
    hooks.building = [&](const std::string& name) { names.push_back(name); };
    hooks.step = [&](int done, int total) {
        EXPECT_EQ(done, ++steps);
        lastTotal = total;
    };
    hooks.failed = [&](const std::string& m) { ADD_FAILURE() << m; };
    const std::vector<std::string> norm = NormCodes(env.list);
    const int all = static_cast<int>(norm.size());
    EXPECT_EQ(BuildPrefetchFiles(env.list, dir.Path(), {}, hooks), all);
    EXPECT_EQ(steps, env.list.MethodCount());
    EXPECT_EQ(lastTotal, env.list.MethodCount());
    ASSERT_EQ(names.size(), norm.size());
    EXPECT_EQ(names.front(), "Zentrix_8x20_NUMS.dfc");
    EXPECT_EQ(names.back(), "Zentrix_8x20_" + norm.back() + ".dfc");
    for (const char* code : {"KNM2", "KNP21", "POE1"})
        EXPECT_FALSE(FileExists(PrefetchFileName(dir.Path(), code)));

    // Existing files are kept, unless their group is to be rebuilt.
    WritePrefetchFile(PrefetchFileName(dir.Path(), "NUMS"), Small());
    EXPECT_EQ(BuildPrefetchFiles(env.list, dir.Path(), {}), 0);
    EXPECT_EQ(ReadPrefetchFile(PrefetchFileName(dir.Path(), "NUMS")), Small());
    TGroupSet other;
    other.set(3);
    EXPECT_EQ(BuildPrefetchFiles(env.list, dir.Path(), other), 3);  // CHAN, CHNV, CHNC
    EXPECT_EQ(ReadPrefetchFile(PrefetchFileName(dir.Path(), "NUMS")), Small());
    TGroupSet numbers;
    numbers.set(0);
    EXPECT_EQ(BuildPrefetchFiles(env.list, dir.Path(), numbers), 16);  // group 0 has 16
    EXPECT_EQ(ReadPrefetchFile(PrefetchFileName(dir.Path(), "NUMS")).Records.size(), 20u);
}

// Repairing rebuilds what the reader refuses, keeps a readable file, and only looks at the
// entries asked for.
TEST(Prefetch, RepairRebuildsDamagedFiles) {
    TTempDir dir;
    TStatsEnv env;
    ASSERT_EQ(BuildPrefetchFiles(env.list, dir.Path(), {}),
              static_cast<int>(NormCodes(env.list).size()));
    TPrefetchData negative = Small();
    negative.Records[1].Count = -7;
    negative.MaxCount = 5;
    negative.MinCount = -7;
    const std::string nums = PrefetchFileName(dir.Path(), "NUMS");
    const std::string even = PrefetchFileName(dir.Path(), "EVEN");
    const std::string digs = PrefetchFileName(dir.Path(), "DIGS");
    const std::string pos1 = PrefetchFileName(dir.Path(), "POS1");
    auto damage = [&] {
        AtomicWriteFile(nums, std::string(30, '\0'));
        AtomicWriteFile(even, SerializePrefetch(negative));
        AtomicWriteFile(digs, "");
        WritePrefetchFile(pos1, Small());
    };
    damage();
    // Without repair only missing files are built: the start of the window.
    EXPECT_EQ(BuildPrefetchFiles(env.list, dir.Path(), {}), 0);
    EXPECT_EQ(FileSize(nums), 30);

    TPrefetchSelection repair;
    repair.repairDamaged = true;
    std::vector<std::string> names;
    TPrefetchBuildHooks hooks;
    hooks.building = [&](const std::string& name) { names.push_back(name); };
    EXPECT_EQ(BuildPrefetchFiles(env.list, dir.Path(), repair, hooks), 3);
    EXPECT_EQ(names, (std::vector<std::string>{"Zentrix_8x20_NUMS.dfc", "Zentrix_8x20_DIGS.dfc",
                                               "Zentrix_8x20_EVEN.dfc"}));
    for (const std::string& path : {nums, even, digs})
        EXPECT_NO_THROW(ReadPrefetchFile(path)) << path;
    EXPECT_EQ(ReadPrefetchFile(pos1), Small());

    damage();
    repair.entries = {env.Entry("EVEN"), env.Entry("POS1")};
    int steps = 0;
    hooks.building = nullptr;
    hooks.step = [&](int done, int total) {
        EXPECT_EQ(done, ++steps);
        EXPECT_EQ(total, 2);
    };
    EXPECT_EQ(BuildPrefetchFiles(env.list, dir.Path(), repair, hooks), 1);
    EXPECT_EQ(steps, 2);
    EXPECT_NO_THROW(ReadPrefetchFile(even));
    EXPECT_EQ(FileSize(nums), 30);
}

TEST(Prefetch, FailuresAreReportedAndTheRestBuilt) {
    TTempDir dir;
    TStatsEnv env;
    // One file's name taken by a folder: that file fails, the others are built.
    std::filesystem::create_directories(PrefetchFileName(dir.Path(), "EVEN"));
    std::vector<std::string> failures;
    TPrefetchBuildHooks hooks;
    hooks.failed = [&](const std::string& m) { failures.push_back(m); };
    TGroupSet numbers;
    numbers.set(0);
    EXPECT_EQ(BuildPrefetchFiles(env.list, dir.Path(), numbers, hooks),
              static_cast<int>(NormCodes(env.list).size()) - 1);
    ASSERT_EQ(failures.size(), 1u);
    EXPECT_NE(failures[0].find("Zentrix_8x20_EVEN.dfc"), std::string::npos);
}

// Files counted for another channel size, matrix or segment map (a settings file edited by
// hand) are never read: their group is dropped and built afresh.
TEST(Prefetch, FilesOfAnotherLayoutAreDropped) {
    TTempDir dir;
    TStatsEnv env({}, test::Layout(4, 4));
    const std::string layout = dir.File("Prefetchs/Zentrix_8x20_layout.txt");
    ASSERT_EQ(BuildPrefetchFiles(env.list, dir.Path(), {}),
              static_cast<int>(NormCodes(env.list).size()));
    EXPECT_EQ(ReadFileBytes(layout), "3=4\r\n4=4\r\n5=11111111111111111111\r\n");
    const char* planted[] = {"NUMS", "CHNV", "CHN5", "COLV", "SGMS"};
    for (const char* code : planted) WritePrefetchFile(PrefetchFileName(dir.Path(), code), Small());
    std::string message;
    auto read = [&](const char* code) {
        auto data = OpenPrefetchFile(env.list, env.Entry(code), dir.Path(), message);
        EXPECT_TRUE(data) << message;
        return data ? *data : TPrefetchData{};
    };
    EXPECT_EQ(read("CHNV"), Small());  // the same layout: read as it is

    env.config.data.ChannelSize = 3;
    env.list.RegisterMethods();
    EXPECT_EQ(read("CHNV"), ComputePrefetch(*env.Create("CHNV")));
    EXPECT_EQ(ReadFileBytes(layout), "3=3\r\n4=4\r\n5=11111111111111111111\r\n");
    EXPECT_NE(read("CHN5"), Small());
    EXPECT_EQ(read("COLV"), Small());  // other groups stay
    EXPECT_EQ(read("NUMS"), Small());

    // Without the list of layouts every layout group counts as stale.
    WritePrefetchFile(PrefetchFileName(dir.Path(), "CHNV"), Small());
    std::filesystem::remove(layout);
    TGroupSet dropped = DropStaleLayoutFiles(env.list, dir.Path());
    EXPECT_EQ(dropped.to_ulong(), (1ul << 3) | (1ul << 4) | (1ul << 5));
    for (const char* code : {"CHNV", "COLV", "SGMS"})
        EXPECT_FALSE(FileExists(PrefetchFileName(dir.Path(), code))) << code;
    EXPECT_EQ(read("NUMS"), Small());
    EXPECT_TRUE(DropStaleLayoutFiles(env.list, dir.Path()).none());

    // A segment map change drops the segment group only.
    WritePrefetchFile(PrefetchFileName(dir.Path(), "COLV"), Small());
    env.config.data.MatrixSegments[19] = 2;
    env.list.RegisterMethods();
    dropped = DropStaleLayoutFiles(env.list, dir.Path());
    EXPECT_EQ(dropped.to_ulong(), 1ul << 5);
    EXPECT_EQ(read("COLV"), Small());
}

}  // namespace
}  // namespace zentrix
