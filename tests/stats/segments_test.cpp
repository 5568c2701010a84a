#include "stats/families/segments.h"

#include <gtest/gtest.h>

#include "core/enumerate.h"
#include "stats/filter.h"
#include "stats/stats_env.h"

namespace zentrix {
namespace {

using test::DrawValues;
using test::ExpectDescriptor;
using test::KeyRecord;
using test::LabelCounts;
using test::Labels;
using test::Layout;
using test::MakeDraw;
using test::TDescriptor;
using test::TStatsEnv;

using TStrings = std::vector<std::string>;

constexpr const char* kQuarters = "11111222223333344444";
constexpr const char* kTwoAndFive = "22222222225555555555";

TEST(SegmentStats, DrawValuesByMap) {
    struct TCase {
        const char* map;
        const char* code;
        std::array<int, 8> numbers;
        TStrings values;  // label x count in the order added
    };
    const std::array<int, 8> pairs = {1, 2, 6, 7, 11, 12, 16, 17};
    const TCase cases[] = {
        {"", "SGMS", pairs, {"1x8"}},
        {"", "SGMV", pairs, {"1 x 8x1"}},
        {"", "SGMC", pairs, {"1x1"}},
        {"", "SGM1", pairs, {"8x1"}},
        {kQuarters, "SGMS", pairs, {"1x2", "2x2", "3x2", "4x2"}},
        {kQuarters, "SGMV", pairs, {"1 x 2x1", "2 x 2x1", "3 x 2x1", "4 x 2x1"}},
        {kQuarters, "SGMC", pairs, {"4x1"}},
        {kQuarters, "KGS2", pairs, {"1:1x1", "1:2x1", "2:2x1", "2:3x1", "3:3x1", "3:4x1", "4:4x1"}},
        {kQuarters, "SGM3", pairs, {"2x1"}},
        {kTwoAndFive, "SGMV", pairs, {"2 x 4x1", "5 x 4x1"}},
        {kTwoAndFive, "SGM3", pairs, {"0x1"}},
        {kTwoAndFive, "SGM5", pairs, {"4x1"}},
        // Segments in the order numbers 1..20 first show them.
        {"52222222222222222222", "SGMV", pairs, {"5 x 1x1", "2 x 7x1"}},
        {"52222222222222222222", "KGM2", {2, 1, 3, 4, 5, 6, 7, 8}, {"2:5x1", "2:2x21", "5:2x6"}},
    };
    for (const TCase& c : cases) {
        TStatsEnv env({MakeDraw(3, c.numbers)}, Layout(4, 4, c.map));
        auto stat = env.Create(c.code);
        ASSERT_TRUE(stat) << c.map << " " << c.code;
        EXPECT_EQ(LabelCounts(*stat, DrawValues(*stat, 0)), c.values) << c.map << " " << c.code;
    }
}

TEST(SegmentStats, ADigitZeroIsASegmentOfItsOwn) {
    TConfigSettings config = Layout(4, 4, kQuarters);
    config.data.MatrixSegments[0] = 0;
    TStatsEnv env({MakeDraw(3, {1, 2, 6, 7, 11, 12, 16, 17})}, config);
    auto sgms = env.Create("SGMS");
    TStatDrawArray possible;
    sgms->ListPossibleValues(0, possible);
    EXPECT_EQ(Labels(*sgms, possible), (TStrings{"0", "1", "2", "3", "4"}));
    EXPECT_EQ(LabelCounts(*sgms, DrawValues(*sgms, 0)),
              (TStrings{"0x1", "1x1", "2x2", "3x2", "4x2"}));
    EXPECT_GE(env.Entry("SGM0"), 0);
    EXPECT_GE(env.Entry("SGM4"), 0);
}

TEST(SegmentStats, EntriesRunFromTheSmallestToTheLargestSegment) {
    struct TCase {
        TConfigSettings config;
        TStrings entries;
    };
    TConfigSettings zeros = Layout(4, 4);
    zeros.data.MatrixSegments.fill(0);
    TConfigSettings nine = Layout(4, 4);
    nine.data.MatrixSegments.fill(9);
    const TCase cases[] = {
        {Layout(4, 4), {"SGM1"}},
        {Layout(4, 4, kQuarters), {"SGM1", "SGM2", "SGM3", "SGM4"}},
        {Layout(4, 4, kTwoAndFive), {"SGM2", "SGM3", "SGM4", "SGM5"}},
        {zeros, {"SGM0", "SGM1"}},
        {nine, {"SGM9"}},
    };
    for (const TCase& c : cases) {
        TStatsEnv env({}, c.config);
        TStrings entries;
        for (int i = 0; i < env.list.MethodCount(); ++i)
            if (env.list.MethodAt(i).Class->className == "TstSgmValCnt")
                entries.push_back(env.list.MethodAt(i).Class->CodeOf(env.list.MethodAt(i).Index));
        EXPECT_EQ(entries, c.entries) << SegmentsText(c.config.data.MatrixSegments);
    }
}

TEST(SegmentStats, PossibleValuesDescriptorsAndParsing) {
    TStatsEnv env({}, Layout(4, 4, "52222222222222222223"));
    struct TCase {
        TDescriptor d;
        TStrings possible;
    };
    const TCase cases[] = {
        {{"SGMS", "TstSegments", "Сегменты матрицы", "N"}, {"5", "2", "3"}},
        {{"SGMV", "TstSegmValues", "Количество чисел в сегменте матрицы", "N"}, {}},
        {{"SGMC", "TstSegmCount", "Количество не пустых сегментов в матрице", "NG"}, {}},
        {{"KGM3", "TstCombSegmMix3", "Сочетания из 3 сегментов по всем числам тиража", "S"}, {}},
        {{"KGS4", "TstCombSegmSeq4", "Сочетания из 4 сегментов по соседним числам", "S"}, {}},
        {{"SGM4", "TstSgmValCnt", "Количество чисел в 4 сегменте матрицы", "NG"}, {}},
    };
    for (const TCase& c : cases) {
        const int entry = ExpectDescriptor(env, c.d, TStatGroup::Segments);
        if (entry < 0) continue;
        auto stat = env.Create(c.d.code);
        TStatDrawArray possible;
        stat->ListPossibleValues(0, possible);
        EXPECT_EQ(Labels(*stat, possible), c.possible) << c.d.code;
    }
    EXPECT_EQ(env.list.MethodAt(env.Entry("SGM2")).Class->HelpCode(), "SGMx");
    EXPECT_EQ(env.Create("SGMS")->ParseValue("5"), 5);
    EXPECT_EQ(env.Create("SGMC")->ParseValue("x"), 0);
    EXPECT_EQ(env.Create("SGMV")->ParseValue("5"), 0);  // not typed
    EXPECT_EQ(env.Create("KGS2")->ParseValue("5"), 0);
}

// How many of the 125970 combinations each selection keeps, counted by hand: numbers 1..10 in
// segment 1, 11..20 in segment 2.
TEST(SegmentStats, KeptCombinations) {
    TStatsEnv env({MakeDraw(1, {1, 2, 3, 4, 5, 6, 7, 8})}, Layout(4, 4, "11111111112222222222"));
    struct TCase {
        const char* code;
        std::vector<TStatDraw> selected;
        size_t kept;
    };
    const TCase cases[] = {
        {"SGMS", {KeyRecord(2)}, 125970 - 45},   // all but the C(10, 8) inside 1..10
        {"SGMV", {KeyRecord(1, 4)}, 210 * 210},  // C(10, 4) squared
        {"SGMC", {KeyRecord(1)}, 90},
        {"SGM2", {KeyRecord(8)}, 45},
        {"KGM2", {KeyRecord(1, 2)}, 125970 - 90},  // both segments
        {"KGM2", {KeyRecord(2, 1)}, 0},            // ascending: 1..10 come first
        {"KGS2", {KeyRecord(1, 2)}, 125970 - 90},
        {"KGM4", {KeyRecord(1, 1, 2, 2)}, 125970 - 2 * 45 - 2 * 10 * 120},
    };
    for (const TCase& c : cases) {
        auto stat = env.Create(c.code);
        TCombsArray kept;
        FilterCombList(*stat, c.selected, 0, false, false, AllCombs(), kept);
        EXPECT_EQ(kept.size(), c.kept) << c.code;
    }
}

}  // namespace
}  // namespace zentrix
