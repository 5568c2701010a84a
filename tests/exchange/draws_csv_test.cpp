#include "exchange/draws_csv.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "core/archive_file.h"
#include "support/cli_run.h"
#include "support/make_draw.h"
#include "support/temp_dir.h"
#include "util/cp1251.h"
#include "util/files.h"

namespace zentrix {
namespace {

using test::MakeDraw;

TEST(DrawsCsv, SplitsFieldsAsTheDelimitedReader) {
    struct TCase {
        const char* line;
        std::vector<std::string> fields;
    };
    const TCase cases[] = {
        {"1;\"05.03.2024 19:30\";3", {"1", "05.03.2024 19:30", "3"}},
        {"  \t1 ; 2 ;3", {"1", "2", "3"}},
        {"\"a\"\"b\";x", {"a\"b", "x"}},
        {"1;2;", {"1", "2", ""}},
        {"1;;3", {"1", "", "3"}},
        {"1 2;3", {"1", "2", "3"}},  // a blank ends an unquoted field
        {"05.03.2024 19:30;1", {"05.03.2024", "19:30", "1"}},
        {"\"open;quote", {"open;quote"}},  // an unclosed quote runs to the end
        {"", {}},
    };
    for (const TCase& c : cases) EXPECT_EQ(SplitCsvFields(c.line), c.fields) << c.line;
}

TEST(DrawsCsv, ExportLinesAreQuotedCrLfAndWindows1251) {
    TDraw d = MakeDraw(101, {3, 8, 1, 20, 14, 6, 11, 17}, 2, "05.03.2024 19:30");
    TDraw quote = MakeDraw(102, {1, 2, 3, 4, 5, 6, 7, 8}, 0, "пн \"1\"");
    EXPECT_EQ(DrawsCsvBytes({d, quote}),
              "101;\"05.03.2024 19:30\";3;8;1;20;14;6;11;17;2\r\n" +
                  Utf8ToCp1251("102;\"пн \"\"1\"\"\";1;2;3;4;5;6;7;8;0\r\n"));
}

TEST(DrawsCsv, ImportAppendsWhatTheArchiveLacks) {
    TDrawsArray archive;
    for (int n = 1; n <= 1000; ++n) archive.push_back(MakeDraw(n, {1, 2, 3, 4, 5, 6, 7, 8}));
    const std::string file =
        "5;\"old\";1;2;3;4;5;6;7;8;1\r\n"              // held: skipped
        "\"a\";1;2;3;4;5;6;7;8;1\r\n"                  // 10 fields: 1001
        "\"b\";1;2;3;4;5;6;7;8;\r\n"                   // 1002, empty extra is 0
        "x1;\"c\";1;2;3;4;5;6;7;8;1\r\n"               // letters in the number: 0, skipped
        "2000;05.03.2024 19:30;1;2;3;4;5;6;7;8;1\r\n"  // unquoted date: 12 fields
        "\r\n   \r\n"
        "2001;\"12345678901234567890\";1;2;3;4;5;6;7;x;4\n"  // letters in a number: unsound
        "2002;\"d\";1;2;3;4;5;6;7;276;4\r\n"                 // 276 must not read as 20
        "2003;\"e\";1;2;3;4;5;6;7;7;4\r\n"                   // repeated number
        "2004;\"f\";1;2;3;4;5;6;7;8;5\r\n"                   // extra 5
        "2005;\"12345678901234567890\";8;7;6;5;4;3;2;1;4";   // no line end at the end
    const TCsvImport r = ParseDrawsCsv(file, archive);
    ASSERT_EQ(r.draws.size(), 3u);
    EXPECT_EQ(r.draws[0].Number, 1001);
    EXPECT_EQ(r.draws[0].DateText(), "a");
    EXPECT_EQ(r.draws[1].Number, 1002);
    EXPECT_EQ(r.draws[1].Extra, 0);
    EXPECT_EQ(r.draws[2], MakeDraw(2005, {8, 7, 6, 5, 4, 3, 2, 1}, 4, "1234567890123456"));
    EXPECT_EQ(r.unsoundLines, 4);
    // The same lines once more hold nothing new; numbers of the file itself count as held.
    TDrawsArray grown = archive;
    grown.insert(grown.end(), r.draws.begin(), r.draws.end());
    EXPECT_TRUE(ParseDrawsCsv("2005;\"\";1;2;3;4;5;6;7;8;1\r\n", grown).draws.empty());
    EXPECT_EQ(
        ParseDrawsCsv("7;\"\";1;2;3;4;5;6;7;8;1\r\n7;\"\";1;2;3;4;5;6;7;9;1", {}).draws.size(), 1u);
}

struct CsvCommands : ::testing::Test {
    test::TTempDir dir;
    test::TCliResult Run(std::vector<std::string> args) {
        args.insert(args.begin(), {"--dir", dir.Path(), "--lock-wait", "0"});
        return test::RunCommand(args);
    }
};

TEST_F(CsvCommands, RoundTripRestoresTheArchive) {
    ASSERT_EQ(Run({"demo", "--draws", "300"}).status, 0);
    const std::string archive = ReadFileBytes(dir.File("Zentrix_8x20.ldr"));
    const std::string csv = dir.File("out/draws.csv");
    EnsureDirectory(dir.File("out"));
    test::TCliResult r = Run({"draws", "export", csv});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "300\n");
    std::filesystem::remove(dir.File("Zentrix_8x20.ldr"));
    r = Run({"draws", "import", csv});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "300\n");
    EXPECT_EQ(ReadFileBytes(dir.File("Zentrix_8x20.ldr")), archive);
    r = Run({"draws", "import", csv});
    EXPECT_EQ(r.out, "0\n");
}

TEST_F(CsvCommands, RefusalsLeaveTheFilesAsTheyWere) {
    ASSERT_EQ(Run({"demo", "--draws", "20"}).status, 0);
    const std::string archive = ReadFileBytes(dir.File("Zentrix_8x20.ldr"));
    test::TCliResult r = Run({"draws", "export", dir.File("Zentrix_8x20.ini")});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("файлов данных программы"), std::string::npos) << r.err;
    r = Run({"draws", "import", dir.File("missing.csv")});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("missing.csv"), std::string::npos) << r.err;
    r = Run({"draws", "import", "/dev/zero"});
    EXPECT_EQ(r.status, 1);
    r = Run({"draws", "export", "/dev/null"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(ReadFileBytes(dir.File("Zentrix_8x20.ldr")), archive);
}

}  // namespace
}  // namespace zentrix
