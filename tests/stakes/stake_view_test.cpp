#include "stakes/stake_view.h"

#include <gtest/gtest.h>

#include "stakes/stake_check.h"
#include "stakes/stakes_env.h"

namespace zentrix {
namespace {

TEST(StakeView, CellsOfUncheckedCheckedAndSeparator) {
    test::TFormatGuard format(',');
    TStakeRec rec = test::Stake(5, {1, 2, 3, 11, 12, 13, 14, 15}, "мой");
    EXPECT_EQ(StakeCells(rec), (std::vector<std::string>{"5", "Вручную", "1;2;3;11;12;13;14;15",
                                                         "100", "", "", "", "-2,00", "мой"}));
    FillStakeResult(rec, test::Draw(5, {8, 1, 2, 3, 4, 5, 6, 7}), test::PrizeConfig());
    EXPECT_EQ(StakeCells(rec),
              (std::vector<std::string>{"5", "Вручную", "1;2;3;11;12;13;14;15", "100",
                                        "8;1;2;3;4;5;6;7", "3", "1 2 3", "8,00", "мой"}));
    EXPECT_EQ(StakeCells(SeparatorRecord()), std::vector<std::string>(9));
    EXPECT_FALSE(StakeKindColour(kStakeSeparator));
    EXPECT_EQ(*StakeKindColour(kStakeSystem), (TColor{252, 253, 217}));
    EXPECT_EQ(StakesTableFrame().headers[4], "Результаты тиража");
    EXPECT_EQ(StakesCountText(12), "Ставок: 12");
}

TEST(StakeView, MatchedNumbersAreMarkedInTheStakeAndTheResult) {
    TStakeRec rec = test::Stake(5, {1, 2, 3, 11, 12, 13, 14, 15});
    EXPECT_EQ(StakeNumberMarks(rec, kStakeNumbersColumn).size(), 8u);
    EXPECT_TRUE(StakeNumberMarks(rec, kStakeResultColumn).empty());
    for (const TNumberMark& m : StakeNumberMarks(rec, kStakeNumbersColumn)) EXPECT_FALSE(m.matched);
    FillStakeResult(rec, test::Draw(5, {8, 1, 2, 3, 4, 5, 6, 7}), test::PrizeConfig());
    const std::vector<TNumberMark> mine = StakeNumberMarks(rec, kStakeNumbersColumn);
    EXPECT_EQ(mine[0], (TNumberMark{1, true}));
    EXPECT_EQ(mine[3], (TNumberMark{11, false}));
    // The result in the order drawn.
    const std::vector<TNumberMark> result = StakeNumberMarks(rec, kStakeResultColumn);
    ASSERT_EQ(result.size(), 8u);
    EXPECT_EQ(result[0], (TNumberMark{8, false}));
    EXPECT_EQ(result[1], (TNumberMark{1, true}));
    EXPECT_TRUE(StakeNumberMarks(rec, 3).empty());
    EXPECT_TRUE(StakeNumberMarks(SeparatorRecord(), kStakeNumbersColumn).empty());
}

}  // namespace
}  // namespace zentrix
