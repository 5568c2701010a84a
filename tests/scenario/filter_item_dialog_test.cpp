#include "scenario/filter_item_dialog.h"

#include <gtest/gtest.h>

#include "scenario/filter_modes.h"
#include "stats/stats_env.h"
#include "support/temp_dir.h"

namespace zentrix {
namespace {

using test::TStatsEnv;

struct FilterDialogTest : ::testing::Test {
    TStatsEnv env;
    TFilterDialogContext context;

    FilterDialogTest() {
        context.registry = &env.list;
        context.stats = BuildMethodLists(env.list).Stats;
        context.currentPosition = Position("POS3");
        context.windowLength = 250;
        context.weights = {1.5L, 0.25L, 2, true, false};
    }
    int Position(const std::string& code) const {
        for (size_t i = 0; i < context.stats.size(); ++i)
            if (context.stats[i].Entry == env.Entry(code)) return static_cast<int>(i);
        return -1;
    }
    TFilterDialogModel Open(const std::string& text) const {
        return OpenFilterDialog(DecodeFilterItem(text, env.list), context);
    }
    std::string Ok(const TFilterDialogModel& model) const {
        return EncodeFilterItem(FilterDialogResult(model, context));
    }
};

TEST_F(FilterDialogTest, NewItemShowsTheMainWindowsStatisticAndWindow) {
    test::TFormatGuard guard(',');
    ASSERT_GE(context.currentPosition, 0);
    const TFilterDialogModel m = Open("");
    EXPECT_EQ(m.statPosition, context.currentPosition);
    EXPECT_EQ(m.drawsLen, "250");
    EXPECT_EQ(m.sortColumn, 1);
    EXPECT_FALSE(m.bottomUp || m.keepSelected || m.multiSelect || m.cdlOverride);
    EXPECT_EQ(m.levelMode, 0);
    EXPECT_EQ(m.levelValue, "");
    // A new item starts from zero weights, not from the settings.
    EXPECT_EQ(m.coefs, (std::array<std::string, 3>{"0,000", "0,000", "0,000"}));
    EXPECT_FALSE(m.coefPercents || m.coefAbs);
    EXPECT_EQ(m.stopMode, kStopNone);
    EXPECT_EQ(m.stopValue, 1);
    EXPECT_EQ(Ok(m), "TSD1#POS3:250#LNO:#SF:1");

    // With no statistic selected the first one is shown.
    context.currentPosition = -1;
    EXPECT_EQ(Open("").statPosition, 0);
}

TEST_F(FilterDialogTest, ExistingItemShowsItsOwnValues) {
    test::TFormatGuard guard(',');
    TFilterDialogModel m = Open("BMF6#NUMS:1-10;2#WMV:5#ST:3#0.125:-2:1:0:1");
    EXPECT_EQ(m.statPosition, Position("NUMS"));
    EXPECT_EQ(m.drawsLen, "1-10;2");
    EXPECT_EQ(m.sortColumn, 6);
    EXPECT_TRUE(m.bottomUp && m.keepSelected && m.multiSelect && m.cdlOverride);
    EXPECT_EQ(m.levelMode, 19);
    EXPECT_EQ(m.levelValue, "5");
    EXPECT_EQ(m.coefs, (std::array<std::string, 3>{"0,125", "-2,000", "1,000"}));
    EXPECT_FALSE(m.coefPercents);
    EXPECT_TRUE(m.coefAbs);
    EXPECT_EQ(m.stopMode, kStopSteps);
    EXPECT_EQ(m.stopValue, 3);
    EXPECT_EQ(Ok(m), "BMF6#NUMS:1-10;2#WMV:5#ST:3#0.125:-2:1:0:1");

    // Without an override the settings' weights show; an empty window text keeps the default;
    // a statistic outside the list shows the first; a stop value of 0 starts the spin at 1.
    m = Open("TSD1#Xyz:9#LNO:#SF:0");
    EXPECT_EQ(m.statPosition, 0);
    EXPECT_EQ(m.coefs, (std::array<std::string, 3>{"1,500", "0,250", "2,000"}));
    EXPECT_TRUE(m.coefPercents);
    EXPECT_EQ(m.stopValue, 1);
    m = Open("TSD1#NUMS#LNO:#SF:1");
    EXPECT_EQ(m.drawsLen, "250");
}

TEST_F(FilterDialogTest, WeightGroupFollowsTheModeAndTheOverrideBox) {
    TFilterDialogModel m = Open("");
    for (int mode = 0; mode < kLevelModeCount; ++mode) {
        m.levelMode = mode;
        m.cdlOverride = true;
        const bool weightMode = mode == 19 || mode == 20 || mode == 21;
        EXPECT_EQ(m.OverrideEnabled(), weightMode) << mode;
        EXPECT_EQ(m.WeightsEnabled(), weightMode) << mode;
        m.cdlOverride = false;
        EXPECT_FALSE(m.WeightsEnabled()) << mode;
    }
}

TEST_F(FilterDialogTest, OkChecksInOrder) {
    struct TCase {
        const char* drawsLen;
        const char* statistic;
        int mode;
        const char* level;
        bool multi;
        int stop;
        const char* message;  // nullptr: accepted
        TFilterControl focus;
    };
    const TCase cases[] = {
        {"0", "NUMS", 0, "", false, kStopNone, kBadValueRange, TFilterControl::WindowLengths},
        {"", "NUMS", 0, "", false, kStopNone, kBadValueRange, TFilterControl::WindowLengths},
        {"1-10", "NUMS", 0, "", false, kStopNone, kBadValueRange, TFilterControl::WindowLengths},
        {"0,5", "NUMS", 0, "", false, kStopNone, nullptr, {}},
        {"10", "KNM2", kLevelByValue, "5", false, kStopNone, kNoValueListMode,
         TFilterControl::LevelMode},
        {"10", "NUMS", kLevelByValue, "5", false, kStopNone, nullptr, {}},
        {"10", "NUMS", 1, "", false, kStopNone, kBadValueRange, TFilterControl::LevelValues},
        {"10", "NUMS", 5, "a", false, kStopNone, kBadValueRange, TFilterControl::LevelValues},
        {"10", "KNM2", 0, "", true, kStopCombs, kMultiSelectStopRefused, TFilterControl::StopMode},
        {"10", "NUMS", 0, "", true, kStopNone, nullptr, {}},
        {"10", "NUMS", 0, "", true, kStopEmpty, nullptr, {}},
        {"10", "NUMS", 0, "", true, kStopSteps, nullptr, {}},
        {"10", "NUMS", 0, "", true, kStopCount, nullptr, {}},
        {"10", "NUMS", 0, "", true, kStopPercent, nullptr, {}},
        {"10", "NUMS", 0, "", false, kStopCombs, nullptr, {}},
        // The first failure wins.
        {"0", "KNM2", kLevelByValue, "", true, kStopCombs, kBadValueRange,
         TFilterControl::WindowLengths},
    };
    for (const TCase& c : cases) {
        TFilterDialogModel m = Open("");
        m.drawsLen = c.drawsLen;
        m.statPosition = Position(c.statistic);
        m.levelMode = c.mode;
        m.levelValue = c.level;
        m.multiSelect = c.multi;
        m.stopMode = c.stop;
        const auto error = CheckFilterDialog(m, context);
        if (!c.message) {
            EXPECT_FALSE(error) << c.drawsLen << " " << c.mode << " " << c.stop;
            continue;
        }
        ASSERT_TRUE(error) << c.drawsLen << " " << c.mode << " " << c.stop;
        EXPECT_EQ(error->message, c.message);
        EXPECT_EQ(error->focus, c.focus);
    }
}

TEST_F(FilterDialogTest, OkWritesEveryControlBack) {
    TFilterDialogModel m = Open("");
    m.statPosition = Position("KNM2");
    m.drawsLen = "5,10";
    m.sortColumn = 8;
    m.bottomUp = true;
    m.keepSelected = true;
    m.levelMode = 21;
    m.levelValue = "1;3";
    m.cdlOverride = true;
    m.coefs = {"0,5", "x1.25", "3"};
    m.coefAbs = true;
    m.stopMode = kStopCount;
    m.stopValue = 40;
    const TFilterItem item = FilterDialogResult(m, context);
    EXPECT_TRUE(item.Enabled);
    EXPECT_EQ(item.Method.Code(), "KNM2");
    EXPECT_EQ(item.DrawsLen, "5,10");
    EXPECT_EQ(item.LevelValue, "1;3");
    EXPECT_EQ(item.Weights(), (TCDLParams{0.5L, 1.25L, 3, false, true}));
    EXPECT_EQ(EncodeFilterItem(item), "BSF8#KNM2:5,10#WDV:1;3#SV:40#0.5:1.25:3:0:1");

    // A word no statistic matches stays as read while the list offers nothing.
    context.stats.clear();
    EXPECT_EQ(Ok(Open("TSD1#Xyz:9#LNO:#SF:2")), "TSD1#Xyz:9#LNO:#SF:2");
}

TEST(FilterDialog, ValueListKeysAndSortColumns) {
    for (char32_t c : std::u32string_view(U"0123456789,-;\b\x7F"))
        EXPECT_TRUE(ValueListCharAllowed(c)) << int(c);
    for (char32_t c : std::u32string_view(U" .a+:/Я"))
        EXPECT_FALSE(ValueListCharAllowed(c)) << int(c);
    const std::vector<std::string> columns = SortColumnItems();
    ASSERT_EQ(columns.size(), 20u);
    EXPECT_EQ(columns[0], "Значение");
    EXPECT_EQ(columns[1], "Количество");
    EXPECT_EQ(columns[19], "+/- КРН");
}

}  // namespace
}  // namespace zentrix
