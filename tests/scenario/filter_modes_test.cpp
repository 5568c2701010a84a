#include "scenario/filter_modes.h"

#include <gtest/gtest.h>

#include "support/temp_dir.h"

namespace zentrix {
namespace {

TEST(FilterModes, CodesItemsAndGroups) {
    EXPECT_EQ(LevelModeCode(0), "LNO");
    EXPECT_EQ(LevelModeCode(19), "WMV");
    EXPECT_EQ(LevelModeCode(31), "LVA");
    EXPECT_EQ(LevelModeCode(32), "");
    EXPECT_EQ(LevelModeItem(22), "\"Период min\": не менее заданного значения");
    EXPECT_EQ(LevelModeItem(-1), "# ERROR #");
    EXPECT_EQ(StopModeCode(kStopPercent), "SP");
    EXPECT_EQ(StopModeItem(kStopEmpty), "Пока список не будет пуст и откатить на шаг");
    EXPECT_EQ(StopModeItem(6), "# ERROR #");
    EXPECT_EQ(MatchLevelCode("pxr:1"), 30);
    EXPECT_EQ(MatchLevelCode("LN"), -1);
    EXPECT_EQ(MatchStopCode("sz"), kStopEmpty);

    std::string perValue, list;
    for (int m = 0; m < kLevelModeCount; ++m) {
        if (IsPerValueMode(m)) perValue += std::to_string(m) + " ";
        if (IsListMode(m)) list += std::to_string(m) + " ";
    }
    EXPECT_EQ(perValue, "1 2 3 4 7 8 9 10 13 14 15 16 19 20 21 22 23 24 25 26 27 28 29 30 ");
    EXPECT_EQ(list, "5 6 11 12 17 18 21 24 27 30 31 ");
}

TEST(FilterModes, RowTests) {
    test::TFormatGuard comma(',');
    TStatValues row;
    row.Value = 12;
    row.Count = "4";
    row.CountPercent = "12,5";
    row.Depth = "-";  // never occurred: unconvertible
    row.DepthPercent = "";
    row.Weight = "1.5";
    row.Period = "3,25";
    struct TCase {
        int mode;
        const char* level;
        bool passes;
    };
    const TCase cases[] = {
        {0, "", true},      {13, "4", true},     {13, "5", false},     {15, "4", true},
        {15, "3", false},   {17, "1;4", true},   {17, "1-3;1", false}, {14, "12", true},
        {16, "12", false},  {18, "12", false},   {1, "0", true},       {1, "1", false},
        {3, "65535", true}, {3, "65534", false}, {5, "0", false},      {19, "1", true},
        {20, "1", false},   {26, "3", false},    {25, "3", true},      {31, "10-14;2", true},
        {31, "13", false},  {13, "x", false},    {13, "", false},      {32, "1", false},
    };
    for (const TCase& c : cases)
        EXPECT_EQ(LevelTest(c.mode, row, c.level), c.passes) << c.mode << " " << c.level;
}

}  // namespace
}  // namespace zentrix
