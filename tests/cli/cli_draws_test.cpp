#include <gtest/gtest.h>

#include <filesystem>

#include "core/archive_file.h"
#include "support/cli_run.h"
#include "support/temp_dir.h"
#include "util/files.h"

namespace zentrix {
namespace {

using test::RunCommand;
using TRun = test::TCliResult;

struct CliDraws : ::testing::Test {
    test::TTempDir dir;
    std::string path = dir.File("Zentrix_8x20.ldr");

    TRun Run(std::vector<std::string> args) {
        args.insert(args.begin(), {"--dir", dir.Path()});
        return RunCommand(args);
    }
    void CopyFixture(const char* name) {
        std::filesystem::copy_file(std::string(ZENTRIX_TEST_DATA) + "/" + name, path);
    }
};

TEST_F(CliDraws, ListsNewestFirstFromTheReferenceDraw) {
    CopyFixture("archive_3_records.ldr");
    TRun r = Run({"draws", "list"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out,
              "Тираж\t1\t2\t3\t4\t5\t6\t7\t8\tE\tS\tДата тиража\n"
              "103\t10\t13\t1\t18\t6\t15\t20\t2\t4\t85\t07.03.2024 19:30\n"
              "102\t5\t2\t19\t7\t12\t16\t9\t4\t1\t74\t06.03.2024 19:30\n"
              "101\t3\t8\t1\t20\t14\t6\t11\t17\t2\t80\t05.03.2024 19:30\n");
    r = Run({"draws", "list", "--offset", "1", "--sorted"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out,
              "Тираж\t1\t2\t3\t4\t5\t6\t7\t8\tE\tS\tДата тиража\n"
              "102\t2\t4\t5\t7\t9\t12\t16\t19\t1\t74\t06.03.2024 19:30\n"
              "101\t1\t3\t6\t8\t11\t14\t17\t20\t2\t80\t05.03.2024 19:30\n");
    r = Run({"draws", "list", "--offset", "3"});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("от 0 до 2"), std::string::npos) << r.err;
    EXPECT_EQ(Run({"draws", "list"}).out.size(),
              Run({"draws", "list", "--offset", "0"}).out.size());
}

TEST_F(CliDraws, DamagedArchiveListsItsRecordsAndFails) {
    CopyFixture("archive_3_records_10_stray.ldr");
    TRun r = Run({"draws", "list"});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("Ошибка чтения файла тиражей!"), std::string::npos);
    EXPECT_EQ(std::count(r.out.begin(), r.out.end(), '\n'), 4);
    EXPECT_EQ(FileSize(path), 106);
    EXPECT_FALSE(FileExists(path + ".bak"));  // listing writes nothing
}

TEST_F(CliDraws, AddEditDeleteWithTheDialogsChecks) {
    TRun r = Run({"draws", "add", "1", "3;8;1;20;14;6;11;17;2", "--date", "07.03.2024 19:30"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "Тираж № 1 от 07.03.2024 19:30, значения: 3;8;1;20;14;6;11;17 e:2\n");
    ASSERT_EQ(Run({"draws", "add", "2", "1,2,3,4,5,6,7,8,4", "--date", "08.03.2024 10:00"}).status,
              0);

    struct TBad {
        std::vector<std::string> args;
        const char* message;
    };
    const TBad bad[] = {
        {{"draws", "add", "3", "1;2;3;4;5;6;7;7;2"}, "Введена некорректная комбинация!"},
        {{"draws", "add", "3", "1;2;3;4;5;6;7;21;2"}, "Введена некорректная комбинация!"},
        {{"draws", "add", "3", "1;2;3;4;5;6;7;8;5"}, "Введена некорректная комбинация!"},
        {{"draws", "add", "3", "1;2;3;4;5;6;7;8"}, "Введена некорректная комбинация!"},
        {{"draws", "add", "3", "1;2;3;4;5;6;7;8;1", "--date", "32.01.2024 10:00"},
         "Некорректная дата"},
        {{"draws", "edit", "9", "1;2;3;4;5;6;7;8;1"}, "Тираж № 9 не найден в архиве тиражей!"},
        {{"draws", "delete", "9", "--yes"}, "Тираж № 9 не найден в архиве тиражей!"},
        {{"draws", "delete", "1"}, "--yes"},
    };
    const std::string saved = ReadFileBytes(path);
    for (const TBad& b : bad) {
        r = Run(b.args);
        EXPECT_EQ(r.status, 1) << b.args[2];
        EXPECT_NE(r.err.find(b.message), std::string::npos) << r.err;
        EXPECT_EQ(ReadFileBytes(path), saved);
    }
    EXPECT_EQ(Run({"draws", "add", "0", "1;2;3;4;5;6;7;8;1"}).status, 2);  // outside the spin

    r = Run({"draws", "edit", "1", "--new-number", "5"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "Тираж № 5 от 07.03.2024 19:30, значения: 3;8;1;20;14;6;11;17 e:2\n");
    r = Run({"draws", "edit", "2", "20;19;18;17;16;15;14;13;3"});
    ASSERT_EQ(r.status, 0) << r.err;
    TDrawsArray draws = ReadDrawsFile(path).draws;
    ASSERT_EQ(draws.size(), 2u);
    EXPECT_EQ(draws[0].Number, 5);  // out of sequence, in place
    EXPECT_EQ(draws[1].Numbers, (TComb{20, 19, 18, 17, 16, 15, 14, 13}));
    EXPECT_EQ(draws[1].DateText(), "08.03.2024 10:00");

    r = Run({"draws", "delete", "5", "2", "--yes"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "2\n");
    EXPECT_EQ(FileSize(path), 0);
}

}  // namespace
}  // namespace zentrix
