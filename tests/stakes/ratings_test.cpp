#include "stakes/ratings.h"

#include <gtest/gtest.h>

#include <limits>

#include "stakes/stake_check.h"
#include "stakes/stakes_env.h"
#include "util/binary.h"
#include "util/files.h"

namespace zentrix {
namespace {

TStakeRec Checked(int matches, const std::string& comment, TCurrency profit = -20000) {
    TStakeRec rec = test::Stake(5, {1, 2, 3, 4, 5, 6, 7, 8}, comment);
    rec.Checked = true;
    rec.Matched.Count = matches;
    rec.Profit = profit;
    return rec;
}

TEST(Ratings, RecordLayout) {
    TRatingRec row = test::RatingRow("Ab", 7, 0x0102, -10000);
    row.Histogram = {1, 2, 3, 4, 5, 6, 7, 8, 9};
    std::string b;
    WriteRatingRecord(b, row);
    ASSERT_EQ(b.size(), 312u);
    EXPECT_EQ(b.substr(0, 3),
              "\x02"
              "Ab");
    EXPECT_EQ(b.substr(3, 253), std::string(253, '\0'));
    TByteReader r(std::string_view(b).substr(256));
    EXPECT_EQ(r.I32(), 7);
    EXPECT_EQ(r.I32(), 0x0102);
    for (int i = 1; i <= 9; ++i) EXPECT_EQ(r.I32(), i);
    EXPECT_EQ(r.I32(), 0);
    EXPECT_EQ(r.I64(), -10000);
    EXPECT_EQ(ReadRatingRecord(b), row);
}

TEST(Ratings, StakesAccumulateByCommentIgnoringCase) {
    TRatingsArray ratings;
    AddToRatings(ratings, Checked(3, "Test"));
    ASSERT_EQ(ratings.size(), 1u);
    EXPECT_EQ(ratings[0].Stakes, 1);
    EXPECT_EQ(ratings[0].Matches, 3);
    EXPECT_EQ(ratings[0].Histogram, (std::array<int32_t, 9>{0, 0, 0, 1, 0, 0, 0, 0, 0}));
    EXPECT_EQ(ratings[0].Profit, -20000);
    AddToRatings(ratings, Checked(5, "TEST", 480000));
    AddToRatings(ratings, Checked(-1, "Test"));  // unchecked: not counted
    AddToRatings(ratings, Checked(0, "другой"));
    ASSERT_EQ(ratings.size(), 2u);
    EXPECT_EQ(ratings[0].Comment, "Test");
    EXPECT_EQ(ratings[0].Stakes, 2);
    EXPECT_EQ(ratings[0].Matches, 8);
    EXPECT_EQ(ratings[0].Histogram[5], 1);
    EXPECT_EQ(ratings[0].Profit, 460000);
}

TEST(Ratings, RebuildCountsCheckedStakesOnly) {
    std::vector<TStakeRec> stakes = {Checked(3, "a"), SeparatorRecord(), Checked(-1, "a"),
                                     Checked(2, "b"), Checked(4, "A")};
    stakes[2].Checked = false;
    const TRatingsArray ratings = RebuildRatings(stakes);
    ASSERT_EQ(ratings.size(), 2u);
    EXPECT_EQ(ratings[0].Stakes, 2);
    EXPECT_EQ(ratings[0].Matches, 7);
    EXPECT_EQ(ratings[1].Comment, "b");
}

// Checking feeds the ratings with each stake it completes.
TEST(Ratings, CheckingFeedsTheRatings) {
    test::TStakesEnv env;
    env.Open();
    AppendStakes(env.file, {test::Stake(5, {1, 2, 3, 11, 12, 13, 14, 15}, "x"),
                            test::Stake(6, {1, 2, 3, 11, 12, 13, 14, 15}, "x")});
    TRatingsArray ratings;
    CheckStakes(env.file, {test::Draw(5, {1, 2, 3, 4, 5, 6, 7, 8})}, test::PrizeConfig(),
                {[&](const TStakeRec& r) { AddToRatings(ratings, r); }, {}});
    ASSERT_EQ(ratings.size(), 1u);
    EXPECT_EQ(ratings[0].Stakes, 1);
    EXPECT_EQ(ratings[0].Profit, 8 * kCurrencyScale);
    EXPECT_EQ(RebuildRatings(env.file.ReadAll()), ratings);
}

std::vector<std::string> Comments(const TRatingsArray& ratings) {
    std::vector<std::string> c;
    for (const TRatingRec& r : ratings) c.push_back(r.Comment);
    return c;
}

TEST(Ratings, SortingByColumns) {
    TRatingsArray ratings = {test::RatingRow("b", 4, 8, 100000), test::RatingRow("a", 2, 7, -30000),
                             test::RatingRow("B", 3, 3, 5000)};
    SortRatings(ratings, kRatingAverageColumn, true);  // averages 2, 3.5, 1
    EXPECT_EQ(Comments(ratings), (std::vector<std::string>{"a", "b", "B"}));
    SortRatings(ratings, 1, false);
    EXPECT_EQ(Comments(ratings), (std::vector<std::string>{"a", "B", "b"}));
    SortRatings(ratings, 4, true);
    EXPECT_EQ(Comments(ratings), (std::vector<std::string>{"b", "B", "a"}));
    SortRatings(ratings, 0, false);
    EXPECT_EQ(Comments(ratings), (std::vector<std::string>{"a", "b", "B"}));
    // Differences below a hundredth of the unit count as equal.
    EXPECT_EQ(
        CompareRatings(test::RatingRow("x", 1, 0, 10049), test::RatingRow("y", 1, 0, 10000), 4), 0);
    EXPECT_EQ(CompareRatings(test::RatingRow("x", 1, 0, 99), test::RatingRow("y", 1, 0, 0), 15), 0);
    EXPECT_EQ(CompareRatings(test::RatingRow("x", 0, 0), test::RatingRow("y", 5, 5), 2), 0);
}

// A damaged file can hold any profit; the comparison of extremes must not overflow.
TEST(Ratings, ExtremeProfitsCompareByTheirOrder) {
    const TCurrency low = std::numeric_limits<TCurrency>::min();
    const TCurrency high = std::numeric_limits<TCurrency>::max();
    const TRatingRec a = test::RatingRow("a", 1, 0, low), b = test::RatingRow("b", 1, 0, high);
    for (int column : {4, 5}) {
        EXPECT_LT(CompareRatings(a, b, column), 0) << column;
        EXPECT_GT(CompareRatings(b, a, column), 0) << column;
    }
}

TEST(Ratings, RowsWithNoStakesNeverBreakTheSort) {
    TRatingsArray ratings;
    for (int i = 0; i < 200; ++i)
        ratings.push_back(test::RatingRow(std::to_string(i), i % 3, (i * 7) % 11));
    for (int column = 0; column < kRatingColumnCount; ++column) {
        SortRatings(ratings, column, column % 2 == 0);
        EXPECT_EQ(ratings.size(), 200u);
    }
}

TEST(Ratings, FileRoundTripAndDamagedFileBackedUpBeforeOverwrite) {
    test::TTempDir dir;
    TRatingsFile file(dir.File("Zentrix_8x20.lrt"));
    TRatingsArray ratings;
    file.Load(ratings);  // missing: empty
    EXPECT_TRUE(ratings.empty());
    const TRatingsArray rows = {test::RatingRow("a", 2, 7, -30000),
                                test::RatingRow("Б", 3, 3, 5000)};
    file.Save(rows);
    file.Load(ratings);
    EXPECT_EQ(ratings, rows);

    const std::string torn = ReadFileBytes(file.Path()) + "xyz";
    AtomicWriteFile(file.Path(), torn);
    TRatingsFile damaged(file.Path());
    EXPECT_THROW(damaged.Load(ratings), EFileError);
    EXPECT_EQ(ratings, rows);  // the whole records stay
    damaged.Save(ratings);
    EXPECT_EQ(ReadFileBytes(file.Path() + ".bak"), torn);
    EXPECT_EQ(FileSize(file.Path()), 624);
    damaged.Save(ratings);
    EXPECT_FALSE(FileExists(file.Path() + ".bak2"));  // only before the first overwrite
}

}  // namespace
}  // namespace zentrix
