#include "stakes/stake_log.h"

#include <gtest/gtest.h>

#include "stakes/stake_check.h"
#include "stakes/stakes_env.h"
#include "util/cp1251.h"
#include "util/files.h"

namespace zentrix {
namespace {

TStakeRec CheckedStake() {
    TStakeRec rec = test::Stake(5, {1, 2, 3, 11, 12, 13, 14, 15}, "Мой выбор");
    FillStakeResult(rec, test::Draw(5, {8, 1, 2, 3, 4, 5, 6, 7}), test::PrizeConfig());
    return rec;
}

TEST(StakeLog, LineNamesTheStakeAndItsResult) {
    test::TFormatGuard format(',');
    const TDateTime time = EncodeDate(2024, 3, 7) + EncodeTime(9, 5, 4);
    EXPECT_EQ(StakeLogLine(CheckedStake(), time),
              "2024.03.07 09:05:04: Тираж № 5. Ставка: \"Мой выбор\" [1;2;3;11;12;13;14;15] "
              "{100}. Результаты тиража: [8;1;2;3;4;5;6;7]. Совпадений: 3. Профит: 8,00.");
}

TEST(StakeLog, OneLogPerMatchCountStartingOverBeyondTheLimit) {
    test::TTempDir dir;
    const std::string stakes = dir.File("Zentrix_8x20.lsk");
    const std::string log = dir.File("Zentrix_8x20-3.log");
    EXPECT_EQ(StakeLogPath(stakes, 3), log);
    const TDateTime time = EncodeDate(2024, 3, 7);
    WriteStakeLog(stakes, CheckedStake(), time, 200);
    const std::string line = Utf8ToCp1251(StakeLogLine(CheckedStake(), time)) + "\r\n";
    EXPECT_EQ(ReadFileBytes(log), line);
    WriteStakeLog(stakes, CheckedStake(), time, 200);
    EXPECT_EQ(ReadFileBytes(log), line + line);  // 2 lines, beyond 200 bytes
    WriteStakeLog(stakes, CheckedStake(), time, 200);
    EXPECT_EQ(ReadFileBytes(log), line);
}

}  // namespace
}  // namespace zentrix
