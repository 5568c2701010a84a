#include "stakes/stake_check.h"

#include <gtest/gtest.h>

#include "stakes/stakes_env.h"

namespace zentrix {
namespace {

using test::Comb;
using test::Stake;
using test::TStakesEnv;

// Draw 5 holds 1..8.
TDrawsArray Archive() {
    return {test::Draw(4, {11, 12, 13, 14, 15, 16, 17, 18}),
            test::Draw(5, {8, 1, 2, 3, 4, 5, 6, 7})};
}

TEST(StakeChecking, ProfitFollowsThePrizeTable) {
    TStakesEnv env;
    env.Open();
    AppendStakes(env.file, {Stake(5, {1, 2, 3, 4, 11, 12, 13, 14}),    // 4 matches
                            Stake(5, {1, 2, 11, 12, 13, 14, 15, 16}),  // 2
                            Stake(5, {1, 2, 3, 11, 12, 13, 14, 15}),   // 3
                            Stake(6, {1, 2, 3, 4, 5, 6, 7, 8})});      // no draw yet
    std::vector<TStakeRec> seen;
    EXPECT_EQ(CheckStakes(env.file, Archive(), test::PrizeConfig(),
                          {[&](const TStakeRec& r) { seen.push_back(r); }, {}}),
              3);
    const auto records = env.file.ReadAll();
    EXPECT_EQ(records[0].Profit, 48 * kCurrencyScale);
    EXPECT_EQ(records[1].Profit, -2 * kCurrencyScale);
    EXPECT_EQ(records[2].Profit, 8 * kCurrencyScale);
    EXPECT_EQ(records[3].Profit, -2 * kCurrencyScale);
    EXPECT_EQ(records[0].Matches(), 4);
    EXPECT_EQ(records[0].Matched.Numbers, Comb({1, 2, 3, 4, 0, 0, 0, 0}));
    EXPECT_EQ(records[0].Result, Comb({8, 1, 2, 3, 4, 5, 6, 7}));  // as drawn
    EXPECT_TRUE(records[0].Checked);
    EXPECT_FALSE(records[3].Checked);
    EXPECT_EQ(records[3].Matches(), -1);
    ASSERT_EQ(seen.size(), 3u);
    EXPECT_EQ(seen[0], records[0]);

    // Checked once: a second pass changes nothing until the missing draw arrives.
    EXPECT_EQ(CheckStakes(env.file, Archive(), test::PrizeConfig()), 0);
    TDrawsArray later = Archive();
    later.push_back(test::Draw(6, {1, 2, 3, 9, 10, 11, 12, 13}));
    EXPECT_EQ(CheckStakes(env.file, later, test::PrizeConfig()), 1);
    EXPECT_EQ(env.file.Read(3).Profit, 8 * kCurrencyScale);
    EXPECT_EQ(env.file.Read(0), records[0]);
}

TEST(StakeChecking, SeparatorsAndShortStakesAreNoCandidates) {
    TStakeRec shortStake = Stake(5, {1, 2, 3, 4, 5, 6, 7, 8});
    shortStake.Numbers.Count = 7;
    EXPECT_FALSE(IsCheckCandidate(SeparatorRecord()));
    EXPECT_FALSE(IsCheckCandidate(shortStake));
    EXPECT_TRUE(IsCheckCandidate(Stake(5, {1, 2, 3, 4, 5, 6, 7, 8})));
}

TEST(StakeChecking, ProgressStartsAtTheFirstCandidate) {
    TStakesEnv env;
    env.Open();
    TStakeRec done = Stake(5, {1, 2, 3, 4, 5, 6, 7, 8});
    FillStakeResult(done, Archive()[1], test::PrizeConfig());
    std::vector<TStakeRec> records(3, done);
    for (int i = 0; i < 4; ++i) records.push_back(Stake(9, {1, 2, 3, 4, 5, 6, 7, 8}));
    env.file.Append(records);
    std::vector<long double> steps;
    CheckStakes(env.file, Archive(), test::PrizeConfig(),
                {{}, [&](long double p) { steps.push_back(p); }});
    EXPECT_EQ(steps, (std::vector<long double>{0, 25, 50, 75}));
}

}  // namespace
}  // namespace zentrix
