#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <sstream>
#include <streambuf>

#include "cli/cli.h"
#include "core/archive_file.h"
#include "support/cli_run.h"
#include "support/temp_dir.h"
#include "util/files.h"

#if defined(__SANITIZE_ADDRESS__)
extern "C" size_t __sanitizer_get_current_allocated_bytes();
#else
#include <malloc.h>
#endif

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
    EXPECT_EQ(r.err.rfind("Ошибка чтения файла тиражей!\n\n", 0), 0u) << r.err;
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

TEST_F(CliDraws, SavedChangeOnADamagedArchiveExitsZeroWithAWarning) {
    CopyFixture("archive_3_records_10_stray.ldr");
    const std::string original = ReadFileBytes(path);
    TRun r = Run({"draws", "add", "104", "1;2;3;4;5;6;7;8;1", "--date", "09.03.2024 19:30"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err.rfind("Предупреждение: Ошибка чтения файла тиражей!\n\n", 0), 0u) << r.err;
    EXPECT_EQ(r.out, "Тираж № 104 от 09.03.2024 19:30, значения: 1;2;3;4;5;6;7;8 e:1\n");
    EXPECT_EQ(ReadDrawsFile(path).draws.size(), 4u);  // saved once
    EXPECT_EQ(ReadFileBytes(path + ".bak"), original);
    EXPECT_FALSE(FileExists(path + ".bak2"));
    r = Run({"draws", "list"});  // the saved file is whole again
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "");
}

TEST_F(CliDraws, RecordsWithBadValuesAreListedReportedAndCanBeCorrected) {
    CopyFixture("archive_4_bad_of_6.ldr");
    const std::string original = ReadFileBytes(path);
    TRun r = Run({"draws", "list"});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find(": 4, первая из них: тираж № 102."), std::string::npos) << r.err;
    EXPECT_EQ(r.err.find("Ошибка: Ошибка"), std::string::npos) << r.err;
    EXPECT_EQ(std::count(r.out.begin(), r.out.end(), '\n'), 7);
    EXPECT_NE(r.out.find("102\t5\t2\t175\t"), std::string::npos) << r.out;

    r = Run({"draws", "edit", "102", "5;2;175;7;12;16;9;4;1"});  // refused: nothing written
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("Ошибка: Введена некорректная комбинация!"), std::string::npos) << r.err;
    EXPECT_EQ(ReadFileBytes(path), original);
    EXPECT_FALSE(FileExists(path + ".bak"));

    r = Run({"draws", "edit", "102", "5;2;17;7;12;16;9;4;1"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(ReadFileBytes(path + ".bak"), original);
    r = Run({"draws", "delete", "103", "104", "105", "--yes"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.err.find(": 3, первая из них: тираж № 103."), std::string::npos) << r.err;
    r = Run({"draws", "list"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out,
              "Тираж\t1\t2\t3\t4\t5\t6\t7\t8\tE\tS\tДата тиража\n"
              "106\t1\t2\t3\t4\t5\t6\t7\t8\t0\t36\t10.03.2024 19:30\n"
              "102\t5\t2\t17\t7\t12\t16\t9\t4\t1\t72\t06.03.2024 19:30\n"
              "101\t3\t8\t1\t20\t14\t6\t11\t17\t2\t80\t05.03.2024 19:30\n");
}

TEST_F(CliDraws, DatesMustReadBackAsWritten) {
    ASSERT_EQ(Run({"draws", "add", "1", "1;2;3;4;5;6;7;8;1", "--date", "07.03.2024 19:30"}).status,
              0);
    const std::string saved = ReadFileBytes(path);
    for (const char* bad : {"07.03.2024 9:30", "07.03.10000 19:30", "07.03.2024 19:30 x",
                            "07.03.2024", "1.1.2024 10:00"}) {
        TRun r = Run({"draws", "add", "2", "1;2;3;4;5;6;7;8;1", "--date", bad});
        EXPECT_EQ(r.status, 1) << bad;
        EXPECT_EQ(r.err, std::string("Ошибка: Некорректная дата и время: \"") + bad +
                             "\"! Ожидается \"дд.мм.гггг чч:мм\".\n");
        EXPECT_EQ(ReadFileBytes(path), saved);
        r = Run({"draws", "edit", "1", "--date", bad});
        EXPECT_EQ(r.status, 1) << bad;
        EXPECT_EQ(ReadFileBytes(path), saved);
    }
}

TEST_F(CliDraws, EditKeepsWhatIsNotGivenAlsoAnUnknownExtraAndNoDate) {
    TDraw stored;
    stored.Number = 5;
    stored.Numbers = {3, 8, 1, 20, 14, 6, 11, 17};
    stored.Extra = 0;  // unknown, as a download may leave it
    WriteDrawsFile(path, {stored});

    TRun r = Run({"draws", "edit", "5", "--new-number", "6"});
    ASSERT_EQ(r.status, 0) << r.err;
    TDraw expected = stored;
    expected.Number = 6;
    EXPECT_EQ(ReadDrawsFile(path).draws, TDrawsArray{expected});  // no date stays none

    r = Run({"draws", "edit", "6", "--date", "01.02.2024 10:00"});
    ASSERT_EQ(r.status, 0) << r.err;
    expected.SetDateText("01.02.2024 10:00");
    EXPECT_EQ(ReadDrawsFile(path).draws, TDrawsArray{expected});

    r = Run({"draws", "edit", "6", "20;19;18;17;16;15;14;13;3"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(ReadDrawsFile(path).draws[0].DateText(), "01.02.2024 10:00");

    r = Run({"draws", "edit", "6", "--date", ""});  // an empty text removes the date
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(ReadDrawsFile(path).draws[0].DateText(), "");
}

TEST_F(CliDraws, DrawNumberMustLeaveANextOne) {
    const std::string max = std::to_string(INT32_MAX);
    TRun r = Run({"draws", "add", max, "1;2;3;4;5;6;7;8;1"});
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("от 1 до 2147483646"), std::string::npos) << r.err;
    ASSERT_EQ(Run({"draws", "add", "2147483646", "1;2;3;4;5;6;7;8;1"}).status, 0);
    r = Run({"draws", "edit", "2147483646", "--new-number", max});
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(ReadDrawsFile(path).draws[0].Number, 2147483646);
}

TEST_F(CliDraws, RangeErrorsShowTheBoundsNotTheTypedNumber) {
    const std::string huge(300, '9');
    const std::vector<std::string> commands[] = {
        {"draws", "add", huge, "1;2;3;4;5;6;7;8;1"},
        {"draws", "edit", huge},
        {"draws", "edit", "1", "--new-number", huge},
        {"draws", "delete", huge, "--yes"},
        {"draws", "list", "--offset", huge},
        {"combs", "remove-drawn", huge, "--in", "a.lcv", "--out", "b.lcv"},
        {"demo", "--draws", huge},
    };
    auto longestDigitRun = [](const std::string& text) {
        size_t longest = 0, run = 0;
        for (char c : text) {
            run = c >= '0' && c <= '9' ? run + 1 : 0;
            longest = std::max(longest, run);
        }
        return longest;
    };
    for (const auto& args : commands) {
        TRun r = Run(args);
        EXPECT_EQ(r.status, 2) << args[1];
        EXPECT_NE(r.err.find("ожидается целое число от "), std::string::npos) << r.err;
        EXPECT_NE(r.err.find("\"99999999999999999999...\""), std::string::npos) << r.err;
        EXPECT_LT(longestDigitRun(r.err), 25u) << r.err;
    }
}

// Counts what a command writes and samples the heap while it writes.
class TPeakStreamBuf : public std::streambuf {
  public:
    size_t lines = 0;
    size_t peak = 0;

    static size_t Allocated() {
#if defined(__SANITIZE_ADDRESS__)
        return __sanitizer_get_current_allocated_bytes();
#else
        const struct mallinfo2 m = mallinfo2();
        return m.uordblks + m.hblkhd;
#endif
    }

  protected:
    int_type overflow(int_type c) override {
        Sample(&c, 1);
        return traits_type::not_eof(c);
    }
    std::streamsize xsputn(const char* s, std::streamsize n) override {
        Sample(s, n);
        return n;
    }

  private:
    template <typename T>
    void Sample(const T* s, std::streamsize n) {
        peak = std::max(peak, Allocated());
        lines += std::count(s, s + n, '\n');
    }
};

TEST_F(CliDraws, ListStreamsItsRowsInsteadOfHoldingThem) {
    ASSERT_EQ(Run({"demo", "--draws", "100000"}).status, 0);
    const int64_t fileSize = FileSize(path);
    TPeakStreamBuf buf;
    std::ostream out(&buf);
    std::ostringstream err;
    const size_t before = TPeakStreamBuf::Allocated();
    ASSERT_EQ(cli::RunCli({"--dir", dir.Path(), "draws", "list"}, out, err), 0) << err.str();
    EXPECT_EQ(buf.lines, 100001u);
    // The archive in memory and little more; all rows as texts would take ten times the file.
    EXPECT_LT(static_cast<int64_t>(buf.peak) - static_cast<int64_t>(before), 3 * fileSize);
}

}  // namespace
}  // namespace zentrix
