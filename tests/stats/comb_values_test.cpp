#include "stats/families/comb_values.h"

#include <gtest/gtest.h>

#include "core/enumerate.h"
#include "stats/filter.h"
#include "stats/stats_env.h"

namespace zentrix {
namespace {

using test::CombValues;
using test::DrawValues;
using test::KeyRecord;
using test::Labels;
using test::MakeComb;
using test::MakeDraw;
using test::TStatsEnv;

using TStrings = std::vector<std::string>;

TEST(CombValueStats, DrawValuesOfOneToEight) {
    TStatsEnv env({MakeDraw(1, {1, 2, 3, 4, 5, 6, 7, 8})});
    TStrings knm2;
    for (int a = 1; a <= 8; ++a)
        for (int b = a + 1; b <= 8; ++b)
            knm2.push_back(std::to_string(a) + ":" + std::to_string(b));
    struct TCase {
        const char* code;
        size_t count;
        TStrings firstValues;
        const char* last;
    };
    const TCase cases[] = {
        {"KNM2", 28, knm2, "7:8"},
        {"KNM3", 56, {"1:2:3", "1:2:4", "1:2:5"}, "6:7:8"},
        {"KNM4", 70, {"1:2:3:4", "1:2:3:5"}, "5:6:7:8"},
        {"KNS2", 7, {"1:2", "2:3", "3:4", "4:5", "5:6", "6:7", "7:8"}, "7:8"},
        {"KNS3", 6, {"1:2:3", "2:3:4", "3:4:5", "4:5:6", "5:6:7", "6:7:8"}, "6:7:8"},
        {"KNS4", 5, {"1:2:3:4", "2:3:4:5"}, "5:6:7:8"},
        {"KNP21", 1, {"1:2"}, "1:2"},
        {"KNP27", 1, {"7:8"}, "7:8"},
        {"KNP35", 1, {"5:6:7"}, "5:6:7"},
        {"KNP41", 1, {"1:2:3:4"}, "1:2:3:4"},
        {"KNP45", 1, {"5:6:7:8"}, "5:6:7:8"},
    };
    for (const TCase& c : cases) {
        auto stat = env.Create(c.code);
        const TStrings labels = Labels(*stat, DrawValues(*stat, 0));
        ASSERT_EQ(labels.size(), c.count) << c.code;
        EXPECT_EQ(TStrings(labels.begin(), labels.begin() + c.firstValues.size()), c.firstValues)
            << c.code;
        EXPECT_EQ(labels.back(), c.last) << c.code;
    }
}

TEST(CombValueStats, StoredOrderUnlessSorted) {
    TStatsEnv env(
        {MakeDraw(1, {11, 3, 17, 1, 2, 4, 5, 6}), MakeDraw(2, {3, 11, 1, 2, 4, 5, 6, 7})});
    auto stat = env.Create("KNS2");
    EXPECT_EQ(Labels(*stat, DrawValues(*stat, 0)).front(), "11:3");
    EXPECT_EQ(Labels(*stat, DrawValues(*stat, 1)).front(), "3:11");
    EXPECT_EQ(Labels(*stat, DrawValues(*stat, 0, true)).front(), "1:2");
    auto knp = env.Create("KNP32");
    EXPECT_EQ(Labels(*knp, DrawValues(*knp, 0)), (TStrings{"3:17:1"}));
    EXPECT_EQ(Labels(*knp, DrawValues(*knp, 0, true)), (TStrings{"2:3:4"}));
}

TEST(CombValueStats, NoPossibleOrCombinationValuesAndNoTyping) {
    TStatsEnv env({MakeDraw(1, {1, 2, 3, 4, 5, 6, 7, 8})});
    for (const char* code : {"KNM2", "KNS4", "KNP33"}) {
        auto stat = env.Create(code);
        TStatDrawArray values;
        stat->ListPossibleValues(0, values);
        EXPECT_TRUE(values.empty()) << code;
        EXPECT_TRUE(CombValues(*stat, MakeComb({1, 2, 3, 4, 5, 6, 7, 8})).empty()) << code;
        EXPECT_EQ(stat->ParseValue("5"), 0) << code;
        EXPECT_EQ(stat->LabelToValue("5"), 5) << code;
    }
}

TEST(CombValueStats, FilterTests) {
    TStatsEnv env;
    const TComb comb = MakeComb({2, 5, 7, 9, 12, 14, 17, 20});
    struct TCase {
        const char* code;
        std::vector<TStatDraw> selected;
        bool expected;
    };
    const TCase cases[] = {
        {"KNM2", {KeyRecord(5, 9)}, true},
        {"KNM2", {KeyRecord(9, 5)}, false},
        {"KNM2", {KeyRecord(2, 20)}, true},
        {"KNM2", {KeyRecord(5, 9, 1)}, false},  // every component counts
        {"KNM3", {KeyRecord(2, 12, 20)}, true},
        {"KNM4", {KeyRecord(5, 7, 17, 20)}, true},
        {"KNM4", {KeyRecord(5, 7, 17, 19)}, false},
        {"KNS2", {KeyRecord(5, 9)}, false},
        {"KNS2", {KeyRecord(17, 20)}, true},
        {"KNS3", {KeyRecord(7, 9, 12)}, true},
        {"KNS4", {KeyRecord(2, 5, 7, 9)}, true},
        {"KNP21", {KeyRecord(2, 5)}, true},
        {"KNP22", {KeyRecord(2, 5)}, false},
        {"KNP36", {KeyRecord(14, 17, 20)}, true},
        {"KNP45", {KeyRecord(12, 14, 17, 20)}, true},
        {"KNP44", {KeyRecord(12, 14, 17, 20)}, false},
    };
    for (const TCase& c : cases) {
        auto stat = env.Create(c.code);
        EXPECT_EQ(stat->FilterTest(comb, c.selected, 0, false, false), c.expected) << c.code;
    }
}

TEST(CombValueStats, KeepingAPairKeepsTheCombinationsWithBothNumbers) {
    TStatsEnv env({MakeDraw(1, {1, 2, 3, 4, 5, 6, 7, 8})});
    auto stat = env.Create("KNM2");
    const std::vector<TStatDraw> pair = {KeyRecord(5, 9)};
    TCombsArray kept, removed;
    FilterCombList(*stat, pair, 0, false, false, AllCombs(), kept);
    FilterCombList(*stat, pair, 0, false, true, AllCombs(), removed);
    EXPECT_EQ(kept.size(), 18564u);  // C(18, 6)
    EXPECT_EQ(kept.size() + removed.size(), AllCombs().size());
    for (const TComb& c : kept) EXPECT_TRUE(InComb(5, c) && InComb(9, c));
    for (const TComb& c : removed) EXPECT_FALSE(InComb(5, c) && InComb(9, c));

    const std::vector<TStatDraw> reversed = {KeyRecord(9, 5)};
    kept.clear();
    FilterCombList(*stat, reversed, 0, false, false, AllCombs(), kept);
    EXPECT_TRUE(kept.empty());
}

}  // namespace
}  // namespace zentrix
