#include "scenario/filter_variants.h"

#include <gtest/gtest.h>

#include "scenario/filter_modes.h"
#include "stats/stats_env.h"

namespace zentrix {
namespace {

using test::TStatsEnv;

std::vector<TFilterItem> Items(const TStatsEnv& env, std::initializer_list<const char*> texts) {
    std::vector<TFilterItem> items;
    for (const char* text : texts) items.push_back(DecodeFilterItem(text, env.list));
    return items;
}

// Each variant as "window/level" per filled slot, joined by " ".
std::vector<std::string> Shapes(const std::vector<TFilterVar>& variants) {
    std::vector<std::string> shapes;
    for (const TFilterVar& var : variants) {
        std::string shape;
        for (const TFilterPart& part : var) {
            if (!part.Enabled) continue;
            if (!shape.empty()) shape += " ";
            shape += std::to_string(part.DrawsLen) + "/" + part.LevelValue + "(" +
                     part.LevelSource + ")";
        }
        shapes.push_back(shape);
    }
    return shapes;
}

TEST(FilterVariants, ExpandSlotOneOutermostWindowsOutsideLevelsInside) {
    TStatsEnv env;
    struct TCase {
        std::initializer_list<const char*> items;
        std::vector<std::string> shapes;
    };
    const TCase cases[] = {
        // Two lengths, per-value LMV 1..3, then one LNO slot: 2 x 3 x 1.
        {{"TSD1#NUMS:10,20#LMV:1-3;1#SF:0", "TSD1#NUMS:5#LNO:#SF:0"},
         {"10/1(1) 5/()", "10/2(2) 5/()", "10/3(3) 5/()", "20/1(1) 5/()", "20/2(2) 5/()",
          "20/3(3) 5/()"}},
        // A list mode is one variant per length; its level rejoined with ",", printed as typed.
        {{"TSD1#NUMS:7,8#CDV:1;2;3#SF:0"}, {"7/1,2,3(1;2;3)", "8/1,2,3(1;2;3)"}},
        // WDV is both: the per-value expansion wins.
        {{"TSD1#NUMS:4#WDV:5,6#SF:0"}, {"4/5(5)", "4/6(6)"}},
        // The level text of LNO stays as it was, with no expansion.
        {{"TSD1#NUMS:3-9;3#LNO:#SF:0"}, {"3/()", "6/()", "9/()"}},
        // The second slot turns fastest.
        {{"TSD1#NUMS:1,2#LNO:#SF:0", "TSD1#NUMS:3,4#LNO:#SF:0"},
         {"1/() 3/()", "1/() 4/()", "2/() 3/()", "2/() 4/()"}},
    };
    for (const TCase& c : cases) {
        const std::vector<TFilterVar> variants = ExpandVariants(Items(env, c.items));
        EXPECT_EQ(Shapes(variants), c.shapes);
    }
}

TEST(FilterVariants, PartsKeepTheItemsOtherFieldsAndPrintTheirOwnValues) {
    TStatsEnv env;
    const auto variants = ExpandVariants(Items(env, {"BMF6#NUMS:10,20#LMV:2,4#ST:3#1.5:0:1:1:0"}));
    ASSERT_EQ(variants.size(), 4u);
    const TFilterPart& part = variants[3][0];
    EXPECT_TRUE(part.BottomUp && part.MultiSelect && part.KeepSelected && part.CDLOverride);
    EXPECT_EQ(part.DrawsSortOrder, 6);
    EXPECT_EQ(part.StopMode, kStopSteps);
    EXPECT_EQ(JoinFilterParts(variants[3]), "BMF6#NUMS:20#LMV:4#ST:3#1.5:0:1:1:0");
    EXPECT_FALSE(variants[3][1].Enabled);
}

TEST(FilterVariants, EmptyValueListsAreBadFilters) {
    TStatsEnv env;
    const char* bad[] = {"TSD1#NUMS:1-10#LNO:#SF:0", "TSD1#NUMS:10#LMV:#SF:0",
                         "TSD1#NUMS:10#CDV:x#SF:0"};
    for (const char* text : bad) {
        try {
            ExpandVariants(Items(env, {"TSD1#NUMS:5#LNO:#SF:0", text}));
            ADD_FAILURE() << text;
        } catch (const ETooManyVariants&) {
            ADD_FAILURE() << text;
        } catch (const EZentrix& e) {
            EXPECT_EQ(std::string(e.what()),
                      "Некорректное описание фильтра: " +
                          EncodeFilterItem(DecodeFilterItem(text, env.list)) + "!");
        }
    }
    // A line with no filter at all fails on its first slot, with nothing to name.
    std::string message;
    try {
        ExpandVariants({});
    } catch (const EZentrix& e) {
        message = e.what();
    }
    EXPECT_EQ(message, "Некорректное описание фильтра: !");
}

TEST(FilterVariants, TooManyVariantsAreRefusedBeforeAnyIsMade) {
    TStatsEnv env;
    // 1000 x 1000 x 1000 window lengths.
    const char* wide = "TSD1#NUMS:1-1000;1#LNO:#SF:0";
    EXPECT_THROW(ExpandVariants(Items(env, {wide, wide, wide})), ETooManyVariants);
    EXPECT_EQ(ExpandVariants(Items(env, {wide})).size(), 1000u);
}

TEST(FilterVariants, AStopRequestEndsTheExpansionEarly) {
    TStatsEnv env;
    int polls = 0;
    TVariantHooks hooks;
    hooks.stopped = [&] { return ++polls > 3; };
    EXPECT_EQ(ExpandVariants(Items(env, {"TSD1#NUMS:1-10;1#LNO:#SF:0"}), hooks).size(), 3u);
}

}  // namespace
}  // namespace zentrix
