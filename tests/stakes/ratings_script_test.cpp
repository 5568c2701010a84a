#include "stakes/ratings_script.h"

#include <gtest/gtest.h>

#include "scenario/scenario_line.h"
#include "stats/stats_env.h"

namespace zentrix {
namespace {

TRatingRec Row(const std::string& comment) {
    TRatingRec row;
    row.Comment = comment;
    row.Stakes = 1;
    return row;
}

TEST(RatingsScript, ScenarioCommentBecomesTheVariantsLine) {
    const std::string line =
        RatingScriptLine("01.002: суммы @ FULL:0#RAND + TSD1#SUMS:10#LMV:3#SF:1 + TSD1#NUMS:5");
    EXPECT_EQ(line, "FULL:0#RAND|TSD1#SUMS:10#LMV:3#SF:1|TSD1#NUMS:5| | | | | |01.002: суммы");
    EXPECT_EQ(LineCommand(line), "FULL:0#RAND");
    EXPECT_EQ(LineFilter(line, 2), "TSD1#NUMS:5");
    EXPECT_EQ(LineFilter(line, 7), "");
    EXPECT_EQ(LineComment(line), "01.002: суммы");
    EXPECT_EQ(RatingScriptLine("FULL:0#RAND"), "FULL:0#RAND| | | | | | | |");
}

TEST(RatingsScript, RowsWithoutAFilterAreRefused) {
    test::TStatsEnv env;
    const TRatingsArray ratings = {Row("Ставка \"вручную\""),
                                   Row("x @ FULL:0#RAND + TSD1#NUMS:10#LMV:3#SF:1"),
                                   Row("y @ FULL:0#RAND + TSD1#NOSUCH:1")};
    const TRatingsScript script = RatingsToScript(ratings, {1, 0, 2}, env.list);
    EXPECT_EQ(script.lines,
              std::vector<std::string>{"FULL:0#RAND|TSD1#NUMS:10#LMV:3#SF:1| | | | | | |x"});
    ASSERT_EQ(script.errors.size(), 2u);
    EXPECT_EQ(script.errors[0], "Строку\n\nСтавка \"вручную\"\n\nневозможно добавить в сценарий!");
}

}  // namespace
}  // namespace zentrix
