#include "stakes/stake_make.h"

#include <gtest/gtest.h>

#include "stakes/stakes_env.h"

namespace zentrix {
namespace {

using test::Comb;
using test::Stake;
using test::TStakesEnv;

std::vector<int> Draws(const std::vector<TStakeRec>& records) {
    std::vector<int> draws;
    for (const TStakeRec& r : records) draws.push_back(r.Draw);
    return draws;
}

TEST(StakeMaking, MultiDrawCopiesAreSeparated) {
    TStakesEnv env;
    env.Open();
    AppendStake(env.file, Stake(10, {1, 2, 3, 4, 5, 6, 7, 8}), 2);
    EXPECT_EQ(Draws(env.file.ReadAll()), (std::vector<int>{10, -1, 11}));
    AppendStake(env.file, Stake(20, {1, 2, 3, 4, 5, 6, 7, 8}), 2);
    EXPECT_EQ(Draws(env.file.ReadAll()), (std::vector<int>{10, -1, 11, -1, 20, -1, 21}));
    AppendStake(env.file, Stake(30, {1, 2, 3, 4, 5, 6, 7, 8}));
    EXPECT_EQ(Draws(env.file.ReadAll()), (std::vector<int>{10, -1, 11, -1, 20, -1, 21, 30}));
    EXPECT_TRUE(env.file.Read(1).IsSeparator());
    EXPECT_EQ(env.file.Read(6).Numbers, env.file.Read(0).Numbers);
}

TEST(StakeMaking, CheckedStakeIsRefusedAndNothingIsWritten) {
    TStakesEnv env;
    env.Open();
    TStakeRec checked = Stake(10, {1, 2, 3, 4, 5, 6, 7, 8});
    checked.Checked = true;
    try {
        AppendStakes(env.file, {Stake(9, {1, 2, 3, 4, 5, 6, 7, 8}), checked});
        FAIL();
    } catch (const EZentrix& e) {
        EXPECT_STREQ(e.what(), kCheckedStakeAppend);
    }
    EXPECT_EQ(env.file.Count(), 0);
}

TEST(StakeMaking, GroupSeparatorOnlyAfterAStake) {
    TStakesEnv env;
    env.Open();
    AppendGroupSeparator(env.file);
    EXPECT_EQ(env.file.Count(), 0);
    AppendStake(env.file, Stake(10, {1, 2, 3, 4, 5, 6, 7, 8}));
    AppendGroupSeparator(env.file);
    AppendGroupSeparator(env.file);
    EXPECT_EQ(Draws(env.file.ReadAll()), (std::vector<int>{10, -1}));
}

TEST(StakeMaking, ExistsIgnoresOrderAndNeedsTheDraw) {
    TStakesEnv env;
    env.Open();
    AppendStake(env.file, Stake(10, {1, 2, 3, 4, 5, 6, 7, 8}));
    const TCountedNumbers shuffled = TCountedNumbers::FromComb(Comb({8, 7, 6, 5, 4, 3, 2, 1}));
    EXPECT_TRUE(StakeExists(env.file, 10, shuffled));
    EXPECT_FALSE(StakeExists(env.file, 11, shuffled));
    EXPECT_FALSE(
        StakeExists(env.file, 10, TCountedNumbers::FromComb(Comb({1, 2, 3, 4, 5, 6, 7, 9}))));
}

TEST(StakeMaking, FromTheListRandomSelectedAndAll) {
    const TConfigData config = test::PrizeConfig();
    const TCombsArray list = {Comb({1, 2, 3, 4, 5, 6, 7, 8}), Comb({9, 8, 7, 6, 5, 4, 3, 2}),
                              Comb({11, 12, 13, 14, 15, 16, 17, 18})};
    const TStakeRec random = RandomStake(config, 42, list, [](size_t n) { return n - 2; });
    EXPECT_EQ(random.Numbers.Numbers, Comb({2, 3, 4, 5, 6, 7, 8, 9}));
    EXPECT_EQ(random.Selection, 3);
    EXPECT_EQ(random.Draw, 42);
    EXPECT_EQ(random.Comment, kManualStakeComment);
    EXPECT_THROW(RandomStake(config, 1, {}, SystemRandomIndex()), EZentrix);

    const auto selected = StakesForCombs(config, 42, list, {2, 0}, "моя");
    ASSERT_EQ(selected.size(), 2u);
    EXPECT_EQ(selected[0].Numbers.Numbers, list[2]);
    EXPECT_EQ(selected[1].Comment, "моя");
    EXPECT_EQ(StakesForCombs(config, 42, list, AllRows(list), "x").size(), 3u);
}

TEST(StakeMaking, StakeIsForTheDrawAfterTheReference) {
    TDrawsArray draws = {test::Draw(7, {1, 2, 3, 4, 5, 6, 7, 8}),
                         test::Draw(8, {1, 2, 3, 4, 5, 6, 7, 8})};
    EXPECT_EQ(StakeDraw(draws, 0), 9);
    EXPECT_EQ(StakeDraw(draws, 1), 8);
    EXPECT_EQ(StakeDraw({}, 0), 1);
}

}  // namespace
}  // namespace zentrix
