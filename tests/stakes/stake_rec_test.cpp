#include "stakes/stake_rec.h"

#include <gtest/gtest.h>

#include "stakes/stakes_env.h"
#include "util/binary.h"

namespace zentrix {
namespace {

using test::Comb;

uint32_t U32At(const std::string& b, size_t at) {
    TByteReader r(std::string_view(b).substr(at));
    return r.U32();
}

TEST(StakeRecord, FieldsSitAtTheirOffsetsLittleEndian) {
    TStakeRec rec;
    rec.Kind = kStakeScenario;
    rec.Draw = 0x01020304;
    rec.Checked = true;
    rec.Selection = 125970;
    rec.Numbers = TCountedNumbers::FromComb(Comb({1, 2, 3, 4, 5, 6, 7, 20}));
    rec.Result = Comb({20, 9, 1, 10, 11, 12, 13, 2});
    rec.Matched = {3, {1, 2, 20, 0, 0, 0, 0, 0}};
    rec.Profit = -20000;
    rec.Comment = "Ставка";
    const std::string b = StakeRecordBytes(rec);
    ASSERT_EQ(b.size(), 312u);
    EXPECT_EQ(b.substr(0, 4), std::string("\x02\x03\x00\x00", 4));
    EXPECT_EQ(b.substr(4, 4), "\x04\x03\x02\x01");
    EXPECT_EQ(b.substr(8, 4), std::string("\x01\x00\x00\x00", 4));
    EXPECT_EQ(U32At(b, 12), 125970u);
    EXPECT_EQ(U32At(b, 16), 8u);
    EXPECT_EQ(b.substr(20, 8), std::string("\x01\x02\x03\x04\x05\x06\x07\x14", 8));
    EXPECT_EQ(b.substr(28, 8), std::string("\x14\x09\x01\x0a\x0b\x0c\x0d\x02", 8));
    EXPECT_EQ(U32At(b, 36), 3u);
    EXPECT_EQ(b.substr(40, 8), std::string("\x01\x02\x14\x00\x00\x00\x00\x00", 8));
    EXPECT_EQ(b.substr(48, 8), std::string("\xe0\xb1\xff\xff\xff\xff\xff\xff", 8));
    EXPECT_EQ(b.substr(56, 7), "\x06\xd1\xf2\xe0\xe2\xea\xe0");  // Windows-1251
    EXPECT_EQ(b.substr(63), std::string(312 - 63, '\0'));
    EXPECT_EQ(ReadStakeRecord(b), rec);
}

TEST(StakeRecord, SeparatorAndNewStakeHoldTheirDefinedValues) {
    const std::string sep = StakeRecordBytes(SeparatorRecord());
    EXPECT_EQ(sep.substr(0, 8), std::string("\x02\x00\x00\x00\xff\xff\xff\xff", 8));
    EXPECT_EQ(U32At(sep, 16), 0u);
    EXPECT_EQ(U32At(sep, 36), 0xffffffffu);  // matches -1
    EXPECT_EQ(sep.substr(48), std::string(312 - 48, '\0'));

    TStakeRec stake = test::Stake(7, {20, 1, 5, 3, 9, 8, 2, 4});
    EXPECT_EQ(stake.Numbers.Numbers, Comb({1, 2, 3, 4, 5, 8, 9, 20}));
    EXPECT_FALSE(stake.Checked);
    EXPECT_EQ(stake.Matches(), -1);
    EXPECT_EQ(stake.Profit, -20000);
}

TEST(StakeRecord, CommentKeeps255CharactersAndReadsBackFromBadLength) {
    TStakeRec rec;
    rec.Comment = std::string(300, 'x');
    std::string b = StakeRecordBytes(rec);
    EXPECT_EQ(static_cast<uint8_t>(b[56]), 255);
    EXPECT_EQ(ReadStakeRecord(b).Comment, std::string(255, 'x'));
}

TEST(StakeRecord, FileProblems) {
    EXPECT_EQ(StakesFileProblem(0, 0), "");
    EXPECT_EQ(StakesFileProblem(624, 2), "");
    EXPECT_NE(StakesFileProblem(625, 2), "");
    EXPECT_NE(StakesFileProblem(312, 1), "");
}

}  // namespace
}  // namespace zentrix
