#include "stakes/stake_dialog.h"

#include <gtest/gtest.h>

#include "stakes/stakes_env.h"

namespace zentrix {
namespace {

TEST(StakeDialog, DefaultsAndSum) {
    const TStakeDialogFields fields = NewStakeFields(42, test::Comb({3, 1, 2, 4, 5, 6, 7, 20}));
    EXPECT_EQ(fields.draw, 42);
    EXPECT_EQ(fields.draws, 1);
    EXPECT_EQ(fields.numbers, "3;1;2;4;5;6;7;20");
    EXPECT_EQ(fields.comment, "Ставка \"вручную\"");
    EXPECT_EQ(NewStakeFields(1, std::nullopt).numbers, "");
    EXPECT_EQ(StakeNumbersSum("1; 2,x;30"), 33);
}

TEST(StakeDialog, OkAcceptsEightDifferentNumbersAndAComment) {
    struct TCase {
        const char* numbers;
        const char* comment;
        const char* error;  // nullptr: accepted
    };
    const TCase cases[] = {
        {"8;7;6;5;4;3;2;1", "c", nullptr},          {"8, 7, 6, 5, 4, 3, 1, 20", "c", nullptr},
        {"8;7;6;5;4;3;2", "c", kBadStakeNumbers},   {"8;7;6;5;4;3;2;1;9", "c", kBadStakeNumbers},
        {"8;7;6;5;4;3;2;2", "c", kBadStakeNumbers}, {"8;7;6;5;4;3;2;21", "c", kBadStakeNumbers},
        {"8;7;6;5;4;3;2;x", "c", kBadStakeNumbers}, {"8;7;6;5;4;3;2;1", "  ", kNoStakeComment},
    };
    for (const TCase& c : cases) {
        TStakeDialogFields fields = NewStakeFields(9, std::nullopt);
        fields.numbers = c.numbers;
        fields.comment = c.comment;
        fields.draws = 3;
        try {
            const TStakeDialogResult result = StakeDialogResult(fields, test::PrizeConfig(), 50);
            EXPECT_EQ(c.error, nullptr) << c.numbers;
            EXPECT_EQ(result.draws, 3);
            EXPECT_EQ(result.stake.Draw, 9);
            EXPECT_EQ(result.stake.Selection, 50);
            EXPECT_EQ(result.stake.Numbers.Numbers[0], 1);
            EXPECT_EQ(result.stake.Profit, -20000);
        } catch (const EConvertError& e) {
            ASSERT_NE(c.error, nullptr) << c.numbers;
            EXPECT_STREQ(e.what(), c.error);
        }
    }
    TStakeDialogFields fields = NewStakeFields(9, std::nullopt);
    fields.comment = std::string(70, 'x');
    EXPECT_EQ(CheckMultiStakeFields(fields), std::string(64, 'x'));
}

}  // namespace
}  // namespace zentrix
