#include "stakes/stake_delete.h"

#include <gtest/gtest.h>

#include "stakes/stake_check.h"
#include "stakes/stakes_env.h"

namespace zentrix {
namespace {

using test::Stake;
using test::TStakesEnv;

// Draw 5 holds 1..8; the stakes match 0, 1 and 3 numbers, then one is unchecked.
void Fill(TStakesEnv& env) {
    env.Open();
    env.file.Append({Stake(5, {9, 10, 11, 12, 13, 14, 15, 16}), SeparatorRecord(),
                     Stake(5, {1, 10, 11, 12, 13, 14, 15, 16}),
                     Stake(5, {1, 2, 3, 12, 13, 14, 15, 16}), SeparatorRecord(),
                     Stake(6, {1, 2, 3, 4, 5, 6, 7, 8})});
    CheckStakes(env.file, {test::Draw(5, {1, 2, 3, 4, 5, 6, 7, 8})}, test::PrizeConfig());
}

std::vector<int> Matches(const TStakesFile& file) {
    std::vector<int> m;
    for (const TStakeRec& r : file.ReadAll()) m.push_back(r.IsSeparator() ? 99 : r.Matches());
    return m;
}

TEST(StakeDeleting, ByCondition) {
    struct TCase {
        TStakeCondition condition;
        int value;
        std::vector<int> left;  // 99 for a separator
    };
    const TCase cases[] = {
        {TStakeCondition::Equal, 0, {99, 1, 3, 99, -1}},
        {TStakeCondition::NotGreater, 0, {99, 1, 3, 99}},
        {TStakeCondition::Less, 1, {99, 1, 3, 99}},
        {TStakeCondition::Greater, 0, {0, 99, 99, -1}},
        {TStakeCondition::NotLess, 3, {0, 99, 1, 99, -1}},
        {TStakeCondition::Equal, 8, {0, 99, 1, 3, 99, -1}},
    };
    for (const TCase& c : cases) {
        TStakesEnv env;
        Fill(env);
        DeleteStakesWhere(env.file, c.condition, c.value);
        EXPECT_EQ(Matches(env.file), c.left) << static_cast<int>(c.condition) << " " << c.value;
    }
}

TEST(StakeDeleting, ByRowsAndAll) {
    TStakesEnv env;
    Fill(env);
    EXPECT_EQ(DeleteStakeRows(env.file, 2, 4), 3);  // grid rows 2..4: records 1..3
    EXPECT_EQ(Matches(env.file), (std::vector<int>{0, 99, -1}));
    ClearAllStakes(env.file);
    EXPECT_EQ(env.file.Count(), 0);
}

}  // namespace
}  // namespace zentrix
