#include "scenario/filter_item.h"

#include <gtest/gtest.h>

#include "core/comb_text.h"
#include "scenario/filter_modes.h"
#include "scenario/filter_part.h"
#include "stats/stats_env.h"
#include "support/temp_dir.h"

namespace zentrix {
namespace {

using test::TFormatGuard;
using test::TStatsEnv;

TEST(FilterItem, DecodesAndReencodesToTheCanonicalText) {
    TStatsEnv env;
    struct TCase {
        const char* text;
        const char* canonical;
    };
    const TCase cases[] = {
        {"TSD12#SUMS:10#LMV:3#SF:1", "TSD12#SUMS:10#LMV:3#SF:1"},
        {"TSD12#NUMS:10#LMV:3#SF:1", "TSD12#NUMS:10#LMV:3#SF:1"},
        {"BMF6#SUMS:1-10;2#WMV:5#ST:3#1.5:0.25:1:1:0",
         "BMF6#SUMS:1-10;2#WMV:5#ST:3#1.5:0.25:1:1:0"},
        // Missing level and stop words take LNO and SF 0.
        {"TSD1#SUMS:10", "TSD1#SUMS:10#LNO:#SF:0"},
        // Only upper-case letters set the flags.
        {"bmf1#NUMS:5#LNO:#SF:0", "TSD1#NUMS:5#LNO:#SF:0"},
        {"xxBxMxF#NUMS:5", "BMF1#NUMS:5#LNO:#SF:0"},
        // Codes match case-insensitively as prefixes; values are trimmed.
        {"tsd2#nums: 7 #cdvX: 1,2 #st:4", "TSD2#NUMS:7#CDV:1,2#ST:4"},
        {"TSD2#pos3:20#LVA:5#SV:9", "TSD2#POS3:20#LVA:5#SV:9"},
        // Consecutive "#" count as one.
        {"##TSD1##NUMS:5###LMV:2#SF:1#", "TSD1#NUMS:5#LMV:2#SF:1"},
        // A statistic missing from the registry is written back as it was read.
        {"TMF3#Xyz stat:9#CDV:1;2#SV:5", "TMF3#Xyz stat:9#CDV:1;2#SV:5"},
        // Unknown level and stop words, a stop value that is not a number.
        {"TSD1#NUMS:5#XYZ:3#QQ:3", "TSD1#NUMS:5#LNO:#SF:0"},
        {"TSD1#NUMS:5#LMV:3#ST:x", "TSD1#NUMS:5#LMV:3#ST:1"},
        // The sort column: the characters after the first three, else 1.
        {"TSD#NUMS:5", "TSD1#NUMS:5#LNO:#SF:0"},
        {"TSDx#NUMS:5", "TSD1#NUMS:5#LNO:#SF:0"},
        {"TSD-4#NUMS:5", "TSD-4#NUMS:5#LNO:#SF:0"},
        {"ЖЖЖ7#NUMS:5", "TSD7#NUMS:5#LNO:#SF:0"},
        // Missing weight parts read as 0 and false; only "1" is true.
        {"TSD1#NUMS:5#WDV:1#SF:0#2", "TSD1#NUMS:5#WDV:1#SF:0#2:0:0:0:0"},
        {"TSD1#NUMS:5#WDV:1#SF:0#a:b:c:yes:1", "TSD1#NUMS:5#WDV:1#SF:0#0:0:0:0:1"},
        // No statistic word: one space keeps the level and stop words in their places.
        {"TSD1", "TSD1# #LNO:#SF:0"},
        {"#", "TSD1# #LNO:#SF:0"},
        {"", ""},
    };
    for (const TCase& c : cases)
        EXPECT_EQ(CanonicalFilterText(c.text, env.list), c.canonical) << c.text;
}

TEST(FilterItem, DecodesTheFields) {
    TStatsEnv env;
    TFilterItem item = DecodeFilterItem("BMF6#ABCD:1-10;2#WMV:5#ST:3#1.5:0.25:1:1:0", env.list);
    EXPECT_TRUE(item.Enabled);
    EXPECT_TRUE(item.BottomUp && item.MultiSelect && item.KeepSelected);
    EXPECT_EQ(item.DrawsSortOrder, 6);
    EXPECT_FALSE(item.Method);
    EXPECT_EQ(item.StatText, "ABCD:1-10;2");
    EXPECT_EQ(item.DrawsLen, "");
    EXPECT_EQ(item.LevelMode, 19);
    EXPECT_EQ(item.LevelValue, "5");
    EXPECT_EQ(item.StopMode, kStopSteps);
    EXPECT_EQ(item.StopValue, 3);
    EXPECT_TRUE(item.CDLOverride);
    EXPECT_EQ(item.Weights(), (TCDLParams{1.5L, 0.25L, 1, true, false}));

    item = DecodeFilterItem("TSD1#Nums:1-10;2", env.list);
    EXPECT_EQ(item.Method, (TMethodRef{env.list.MethodAt(env.Entry("NUMS")).Class, 0}));
    EXPECT_EQ(FindMethodEntry(env.list, item.Method), env.Entry("NUMS"));
    EXPECT_EQ(ParseIntList(item.DrawsLen), (TIntArray{1, 3, 5, 7, 9}));
    EXPECT_EQ(item.LevelMode, kLevelAll);
    EXPECT_EQ(item.StopMode, kStopNone);
    EXPECT_EQ(item.StopValue, 0);
    EXPECT_FALSE(item.CDLOverride);

    EXPECT_FALSE(DecodeFilterItem("", env.list).Enabled);
    EXPECT_EQ(EncodeFilterItem(TFilterItem{}), "");
}

TEST(FilterItem, ALongerCodeIsNotReadAsAShorterOne) {
    const std::vector<std::string> codes = {"CHN1", "CHN12", "SUM", ""};
    EXPECT_EQ(MatchCodeWord(codes, "CHN12:5"), 1);
    EXPECT_EQ(MatchCodeWord(codes, "chn12"), 1);
    EXPECT_EQ(MatchCodeWord(codes, "chn1:5"), 0);
    EXPECT_EQ(MatchCodeWord(codes, "CHN123:5"), 0);  // no exact code: the first prefix
    EXPECT_EQ(MatchCodeWord(codes, "SUMS:5"), 2);
    EXPECT_EQ(MatchCodeWord(codes, "XY:5"), -1);
    EXPECT_EQ(MatchCodeWord(codes, ""), -1);
}

TEST(FilterItem, CoefficientsUseAFullStopWhateverTheLocale) {
    TStatsEnv env;
    TFormatGuard comma(',');
    TFilterItem item = DecodeFilterItem("TSD1#NUMS:5#WMV:1#SF:1#0.125:0,5:-2:1:1", env.list);
    EXPECT_EQ(item.CoefCount, 0.125L);
    EXPECT_EQ(item.CoefDeviation, 0.5L);
    EXPECT_EQ(item.CoefLevel, -2);
    EXPECT_EQ(EncodeFilterItem(item), "TSD1#NUMS:5#WMV:1#SF:1#0.125:0.5:-2:1:1");

    struct TCase {
        const char* text;
        long double value;
    };
    const TCase cases[] = {
        {"0.125", 0.125L}, {"0,125", 0.125L}, {" x1,5y ", 1.5L}, {"-0.75", -0.75L},
        {"1e-3", 0},       {"1E5", 0},        {"2.5e", 0},       {"1.2.3", 0},
        {"--1", 0},        {"", 0},           {"abc", 0},        {"1-2", 0},
    };
    for (const TCase& c : cases) EXPECT_EQ(CoefValue(c.text), c.value) << c.text;
    // Values that the general form would write with an exponent stay readable.
    for (long double v : {1e-7L, 12345678901234567890.0L, 0.1L, 1.0L / 3, -0.0L}) {
        EXPECT_EQ(CoefValue(CoefText(v)), v) << CoefText(v);
        EXPECT_EQ(CoefText(v).find_first_of("eE"), std::string::npos);
    }
    EXPECT_EQ(CoefText(1.5L), "1.5");
    EXPECT_EQ(CoefText(1), "1");
}

TEST(FilterItem, PartsPrintTheirOwnLengthAndLevel) {
    TStatsEnv env;
    TFilterPart part;
    part.Enabled = true;
    part.Method = {env.list.MethodAt(env.Entry("POS2")).Class, 2};
    part.DrawsLen = 10;
    part.DrawsSortOrder = 1;
    part.LevelMode = 17;
    part.LevelValue = "1,3,5";
    part.LevelSource = "1-5;2";
    part.StopValue = 1;
    EXPECT_EQ(EncodeFilterPart(part), "TSD1#POS2:10#CDV:1-5;2#SF:1");

    TFilterVar parts;
    parts[0] = part;
    parts[3] = part;
    parts[3].BottomUp = true;
    parts[3].CDLOverride = true;
    parts[3].SetWeights({2, 0.5L, 1, false, true});
    EXPECT_EQ(JoinFilterParts(parts),
              "TSD1#POS2:10#CDV:1-5;2#SF:1 + BSD1#POS2:10#CDV:1-5;2#SF:1#2:0.5:1:0:1");
    EXPECT_EQ(JoinFilterParts(TFilterVar{}), "");
}

TEST(FilterItem, ValueListsOfFilterFields) {
    struct TCase {
        const char* text;
        TIntArray expected;
    };
    const TCase cases[] = {
        {"1-10;2", {1, 3, 5, 7, 9}},
        {"10-1;-3", {10, 7, 4, 1}},
        {"-5-5;5", {-5, 0, 5}},
        {"1-10", {}},
        {"1-10;0", {}},
        {"7", {7}},
        {"1;2,3", {1, 2, 3}},
        {"", {}},
    };
    for (const TCase& c : cases) EXPECT_EQ(ParseIntList(c.text), c.expected) << c.text;
    EXPECT_EQ(IntListText(ParseIntList("1-10;2"), ","), "1,3,5,7,9");
}

}  // namespace
}  // namespace zentrix
