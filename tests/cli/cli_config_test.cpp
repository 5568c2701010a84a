#include <gtest/gtest.h>

#include "support/cli_run.h"
#include "support/temp_dir.h"
#include "util/files.h"

namespace zentrix {
namespace {

using test::RunCommand;
using TRun = test::TCliResult;

struct CliConfig : ::testing::Test {
    test::TTempDir dir;
    test::TFormatGuard guard{','};

    std::string Ini() const { return dir.File("Zentrix_8x20.ini"); }
    TRun Run(std::vector<std::string> args) {
        args.insert(args.begin(), {"--dir", dir.Path()});
        return RunCommand(args);
    }
    bool FileHas(const std::string& bytes) const {
        return ReadFileBytes(Ini()).find(bytes) != std::string::npos;
    }
};

TEST_F(CliConfig, DecimalSeparatorChangesPrintedRealsOnly) {
    TRun r = Run({"--decimal-separator", ".", "config", "set", "STAKES", "Cost", "12.5"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(FileHas("\r\nCost=12,5\r\n"));
    EXPECT_NE(Run({"--decimal-separator", ".", "config", "show"}).out.find("\tCost\t12.5\n"),
              std::string::npos);
    EXPECT_NE(Run({"config", "show"}).out.find("\tCost\t12,5\n"), std::string::npos);

    const std::string saved = ReadFileBytes(Ini());
    for (const char* bad : {";", "", "..", "x"}) {
        r = Run({"--decimal-separator", bad, "config", "set", "STAKES", "Cost", "3"});
        EXPECT_EQ(r.status, 2) << bad;
    }
    EXPECT_EQ(ReadFileBytes(Ini()), saved);
}

TEST_F(CliConfig, NextSaveKeepsTheNearestValidValues) {
    std::string text = "[GLOBAL]\r\nChannelSize=1\r\n[STAKES]\r\nProfits=300\r\n";
    for (int i = 0; i < 300; ++i) text += "Profit_" + std::to_string(i) + "_Profit=1\r\n";
    AtomicWriteFile(Ini(), text);
    ASSERT_EQ(Run({"config", "set", "GLOBAL", "MatrixCols", "6"}).status, 0);
    EXPECT_TRUE(FileHas("\r\nChannelSize=2\r\n"));
    EXPECT_TRUE(FileHas("\r\nProfits=256\r\n"));
    EXPECT_TRUE(FileHas("\r\nProfit_255_Profit=1\r\n"));
}

TEST_F(CliConfig, SaveKeepsTheFileEncodingOrRefusesWhatItCannotHold) {
    struct TCase {
        const char* name;
        std::string before;
        const char* key;
        const char* value;
        int status;
        std::string expected;  // bytes the file holds afterwards
    };
    const std::string cjk = "/home/日本/x.lcv";
    const TCase cases[] = {
        {"utf-8 stays utf-8", "[GLOBAL]\r\nName=И\r\n", "MatrixCols", "6", 0, "Name=И\r\n"},
        {"utf-8 holds any text", "[GLOBAL]\r\nName=И\r\n", "CombsGenerateParameters", cjk.c_str(),
         0, "CombsGenerateParameters=" + cjk + "\r\n"},
        {"windows-1251 refuses", "[GLOBAL]\r\nName=\xC8\r\n", "CombsGenerateParameters",
         cjk.c_str(), 1, "[GLOBAL]\r\nName=\xC8\r\n"},
    };
    for (const TCase& c : cases) {
        AtomicWriteFile(Ini(), c.before);
        TRun r = Run({"config", "set", "GLOBAL", c.key, c.value});
        EXPECT_EQ(r.status, c.status) << c.name << ": " << r.err;
        if (c.status == 0) {
            EXPECT_TRUE(FileHas(c.expected)) << c.name;
        } else {
            EXPECT_EQ(ReadFileBytes(Ini()), c.expected) << c.name;
            EXPECT_NE(r.err.find("Ошибка записи в файл конфигурации!"), std::string::npos);
            EXPECT_NE(r.err.find("Windows-1251"), std::string::npos) << r.err;
        }
    }
}

TEST_F(CliConfig, SetRefusesWhatTheDialogsRefuse) {
    ASSERT_EQ(Run({"config", "set", "STAKES", "Profits", "9"}).status, 0);
    const std::string saved = ReadFileBytes(Ini());
    const std::vector<std::string> bad[] = {
        {"STAKES", "Cost", "-1"},
        {"STAKES", "Cost", "1,001"},
        {"STAKES", "Profit_8_Profit", "-5"},
        {"CDL", "Level", "0,0005"},
        {"CDL", "Count", "2000000000"},
        {"SHREDDING", "Formula1", ""},
        {"SHREDDING", "Formula3Digits", "6"},
    };
    for (std::vector<std::string> args : bad) {
        const std::string what = args[1] + "=" + args[2];
        args.insert(args.begin(), {"config", "set"});
        TRun r = Run(args);
        EXPECT_EQ(r.status, 1) << what;
        EXPECT_NE(r.err.find("Недопустимое значение"), std::string::npos) << r.err;
    }
    EXPECT_EQ(ReadFileBytes(Ini()), saved);
}

TEST_F(CliConfig, UserNameAndAddressAreSetAndShown) {
    ASSERT_EQ(Run({"config", "set", "USER", "Name", " Анна "}).status, 0);
    ASSERT_EQ(Run({"config", "set", "user", "email", "ann@example.org"}).status, 0);
    TRun shown = Run({"config", "show"});
    EXPECT_NE(shown.out.find("USER\tName\tАнна\n"), std::string::npos) << shown.out;
    EXPECT_NE(shown.out.find("USER\tEmail\tann@example.org\n"), std::string::npos);
    const std::string saved = ReadFileBytes(Ini());
    const std::vector<std::string> bad[] = {
        {"USER", "Name", "<b>"},
        {"USER", "Name", std::string(65, 'n')},
        {"USER", "Email", "no-at-sign"},
        {"USER", "ComputerId", "0123"},
    };
    for (std::vector<std::string> args : bad) {
        const std::string what = args[1] + "=" + args[2];
        args.insert(args.begin(), {"config", "set"});
        EXPECT_EQ(Run(args).status, 1) << what;
    }
    EXPECT_EQ(ReadFileBytes(Ini()), saved);
}

}  // namespace
}  // namespace zentrix
