#include <gtest/gtest.h>

#include "support/cli_run.h"
#include "util/help_files.h"

namespace zentrix {
namespace {

using test::RunCommand;

// The help folder the program found at start, for one test.
struct THelpFolderScope {
    std::string saved = HelpFolder();
    explicit THelpFolderScope(const std::string& folder) { SetHelpFolder(folder); }
    ~THelpFolderScope() { SetHelpFolder(saved); }
};

TEST(CliHelp, MethodPagesAsText) {
    THelpFolderScope scope(ZENTRIX_TEST_DATA "/help");
    struct TCase {
        const char* code;
        const char* start;
    };
    const TCase cases[] = {{"NUMS", "NUMS — Числа тиража\n"},
                           {"pos3", "POS1…POS8, POE1 — Число в позиции тиража\n"},
                           {"POE1", "POS1…POS8, POE1"},
                           {"POSx", "POS1…POS8, POE1"}};
    for (const TCase& c : cases) {
        auto r = RunCommand({"stats", "help", c.code});
        EXPECT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(r.out.rfind(c.start, 0), 0u) << r.out;
        EXPECT_EQ(r.out.find("<"), std::string::npos) << r.out;
    }
}

TEST(CliHelp, GuidePagesAndTheirList) {
    THelpFolderScope scope(ZENTRIX_HELP_SOURCE);
    auto list = RunCommand({"help"});
    ASSERT_EQ(list.status, 0) << list.err;
    EXPECT_EQ(list.out.rfind("topic\ttitle\nindex\tСодержание\nstat-table\t", 0), 0u) << list.out;
    for (const THelpGuidePage& p : HelpGuidePages()) {
        auto r = RunCommand({"help", p.topic});
        EXPECT_EQ(r.status, 0) << p.topic << r.err;
        EXPECT_NE(r.out.find("\n===="), std::string::npos) << p.topic;
    }
    auto withExtension = RunCommand({"help", "STAT-TABLE.htm"});
    EXPECT_EQ(withExtension.status, 0) << withExtension.err;
    EXPECT_NE(withExtension.out.find("Ожд. ПРД"), std::string::npos);
}

TEST(CliHelp, UnknownTopicsAndAMissingHelpFail) {
    {
        THelpFolderScope scope(ZENTRIX_HELP_SOURCE);
        struct TCase {
            std::vector<std::string> args;
            const char* error;
        };
        const TCase cases[] = {
            {{"help", "nothing"}, "Неизвестный раздел справки: nothing"},
            {{"help", "../README"}, "Неизвестный раздел справки: ../README"},
            {{"stats", "help", "NOPE"}, "Неизвестный метод расчета статистики: NOPE"},
        };
        for (const TCase& c : cases) {
            auto r = RunCommand(c.args);
            EXPECT_NE(r.status, 0);
            EXPECT_NE(r.err.find(c.error), std::string::npos) << r.err;
            EXPECT_TRUE(r.out.empty());
        }
        auto missingCode = RunCommand({"stats", "help"});
        EXPECT_NE(missingCode.status, 0);
    }
    THelpFolderScope none("");
    auto r = RunCommand({"help", "cli"});
    EXPECT_NE(r.status, 0);
    EXPECT_NE(r.err.find("Справка не найдена"), std::string::npos) << r.err;
}

TEST(CliHelp, TheMethodIndexForTheContents) {
    auto r = RunCommand({"help", "--method-index"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out.rfind("<!-- method pages: begin -->\n<h3>{ num } Числа тиража</h3>\n<ul>\n"
                          "<li><a href=\"Filters_1049_NUMS.htm\">NUMS</a> — Числа тиража</li>",
                          0),
              0u)
        << r.out;
    EXPECT_NE(r.out.find("<!-- method pages: end -->"), std::string::npos);
}

}  // namespace
}  // namespace zentrix
