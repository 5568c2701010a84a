#include "scenario/scenario_line.h"

#include <gtest/gtest.h>

namespace zentrix {
namespace {

TEST(ScenarioLine, BuildsAndReadsTheFields) {
    EXPECT_EQ(BuildLine("FULL:0#RAND", {}, ""), "FULL:0#RAND| | | | | | | |");
    TFilterTexts filters = {"TSD1#SUMS:10#LMV:3#SF:1", "  "};
    const std::string line = BuildLine("EXCL:3#RAND", filters, "Test");
    EXPECT_EQ(line, "EXCL:3#RAND|TSD1#SUMS:10#LMV:3#SF:1| | | | | | |Test");
    EXPECT_EQ(LineCommand(line), "EXCL:3#RAND");
    EXPECT_EQ(LineFilter(line, 1), "TSD1#SUMS:10#LMV:3#SF:1");
    for (int k = 2; k <= 7; ++k) EXPECT_EQ(LineFilter(line, k), "") << k;
    EXPECT_EQ(LineComment(line), "Test");
    EXPECT_EQ(LineFilter(line, 0), "");
    EXPECT_EQ(LineFilter(line, 8), "");

    filters[6] = "TSD1#NUMS:5";
    const std::string last = BuildLine("FULL:0#ALL", filters, "  ");
    EXPECT_EQ(LineFilter(last, 7), "TSD1#NUMS:5");
    EXPECT_EQ(LineComment(last), "");
    EXPECT_EQ(LineFilters(last),
              (TFilterTexts{"TSD1#SUMS:10#LMV:3#SF:1", "", "", "", "", "", "TSD1#NUMS:5"}));
}

TEST(ScenarioLine, ACommentHoldingABarIsCutThere) {
    const std::string line = BuildLine("FULL:0#RAND", {}, " a | b ");
    EXPECT_EQ(LineComment(line), "a");
}

TEST(ScenarioLine, AnEmptyCommandKeepsTheFieldsInPlace) {
    const std::string line = BuildLine("", {"TSD1#NUMS:5"}, "c");
    EXPECT_EQ(LineCommand(line), "");
    EXPECT_EQ(LineFilter(line, 1), "TSD1#NUMS:5");
    EXPECT_EQ(LineComment(line), "c");
}

TEST(ScenarioLine, SeparatorsAndShortLines) {
    EXPECT_TRUE(IsSeparatorLine(""));
    EXPECT_FALSE(IsSeparatorLine(" "));
    EXPECT_EQ(LineCommand(""), "");
    EXPECT_EQ(LineComment("FULL:0#RAND|x"), "");
    EXPECT_EQ(LineFilter("||FULL:0#RAND|||x", 1), "x");
}

}  // namespace
}  // namespace zentrix
