#include "stats/families/varsel.h"

#include <gtest/gtest.h>

#include "core/enumerate.h"
#include "stats/filter.h"
#include "stats/stat_table.h"
#include "stats/stats_env.h"

namespace zentrix {
namespace {

using test::CombValues;
using test::DrawValues;
using test::KeyRecord;
using test::LabelCounts;
using test::Labels;
using test::MakeComb;
using test::MakeDraw;
using test::TStatsEnv;

using TStrings = std::vector<std::string>;

TEST(VarselStats, NumbersOfOneSet) {
    struct TCase {
        std::array<int, 8> numbers;
        int hcv1, hcv2;
        TStrings hcv3;  // the values of a last archive draw: no draw after it
    };
    const TCase cases[] = {
        // The differences end in the pair 0, 1.
        {{1, 2, 3, 4, 5, 6, 7, 9}, 1, 1, {"1 (1)x0"}},
        // The pair 0, 0.
        {{1, 2, 3, 4, 5, 6, 7, 8}, 0, 0, {"0x0"}},
        // The pair 0, 3, and the multiples of 3.
        {{1, 2, 3, 4, 5, 6, 7, 11}, 3, 3, {"3x0", "18x0", "15x0", "12x0", "9x0", "6x0"}},
        // The pair 1, 1: the sum 2 for the second and the dynamic variant.
        {{1, 3, 6, 8, 11, 14, 17, 20}, 0, 2, {"2x0", "8x0", "6x0", "4x0"}},
        // The positions in their order: 9 before 7 gives the pair 2, 1, and the dynamic pair has
        // multiples of its sum.
        {{1, 2, 3, 4, 5, 6, 9, 7}, 1, 3, {"3 (1)x0", "18x0", "15x0", "12x0", "9x0", "6x0"}},
    };
    for (const TCase& c : cases) {
        TStatsEnv env({MakeDraw(1, c.numbers)});
        const TComb comb = MakeComb(c.numbers);
        auto hcv1 = env.Create("HCV1");
        auto hcv2 = env.Create("HCV2");
        EXPECT_EQ(Labels(*hcv1, CombValues(*hcv1, comb)), TStrings{std::to_string(c.hcv1)});
        EXPECT_EQ(Labels(*hcv2, DrawValues(*hcv2, 0)), TStrings{std::to_string(c.hcv2)});
        const auto& graph = dynamic_cast<const TCustomGraphStat&>(*hcv2);
        EXPECT_EQ(graph.CombGraphValue(comb, -1, 0, false), c.hcv2);
        EXPECT_EQ(graph.GraphValue(0, 0, false), c.hcv2);
        auto hcv3 = env.Create("HCV3");
        EXPECT_EQ(LabelCounts(*hcv3, DrawValues(*hcv3, 0)), c.hcv3) << c.numbers[7];
        // The dynamic method has no combination values.
        EXPECT_TRUE(CombValues(*hcv3, comb).empty());
    }
}

TEST(VarselStats, MultiplesOfTheDynamicNumber) {
    const std::vector<std::pair<int, std::vector<int>>> cases = {{0, {}},
                                                                 {1, {}},
                                                                 {2, {8, 6, 4}},
                                                                 {3, {18, 15, 12, 9, 6}},
                                                                 {4, {20, 16, 12, 8}},
                                                                 {5, {20, 15, 10}},
                                                                 {6, {18, 12}},
                                                                 {7, {14}},
                                                                 {8, {16}},
                                                                 {9, {18}},
                                                                 {10, {20}},
                                                                 {11, {}},
                                                                 {19, {}},
                                                                 {38, {}}};
    for (const auto& [f, multiples] : cases) EXPECT_EQ(VarselMultiples(f), multiples) << f;
}

// Only the reference draw of the window gives values, each counted 1 when the draw after it
// (known with an offset) holds the number.
TEST(VarselStats, DynamicNumberWithAnOffset) {
    TStatsEnv env({MakeDraw(1, {1, 2, 3, 4, 5, 6, 7, 9}), MakeDraw(2, {1, 2, 3, 4, 5, 6, 7, 11}),
                   MakeDraw(3, {3, 9, 12, 14, 16, 17, 19, 20})});
    TStatTableParams p;
    p.RefIndex = 1;
    p.WindowLength = 1000;
    const TStatTable t = TStatTable::Compute(env.Create("HCV3"), p);
    TStrings rows;
    for (int r = 0; r < t.RowCount(); ++r)
        rows.push_back(t.CellText(r, kColValue) + "x" + t.CellText(r, kColCount) + "@" +
                       t.CellText(r, kColLastDraw));
    EXPECT_EQ(rows, (TStrings{"3x1@2", "18x0@2", "15x0@2", "12x1@2", "9x1@2", "6x0@2"}));
    EXPECT_EQ(t.CellText(0, kColFact), "-");
}

TEST(VarselStats, Filters) {
    TStatsEnv env({MakeDraw(1, {1, 2, 3, 4, 5, 6, 7, 9})});
    auto keeps = [&](const char* code, std::vector<TStatDraw> selected, const TComb& comb) {
        TCombsArray kept;
        FilterCombList(*env.Create(code), selected, 0, false, false, {&comb, 1}, kept);
        return kept.size() == 1;
    };
    const TComb seven9 = MakeComb({1, 2, 3, 4, 5, 6, 7, 9});
    const TComb eight = MakeComb({1, 2, 3, 4, 5, 6, 7, 8});
    EXPECT_TRUE(keeps("HCV1", {KeyRecord(1)}, seven9));
    EXPECT_FALSE(keeps("HCV1", {KeyRecord(1)}, eight));
    EXPECT_TRUE(keeps("HCV2", {KeyRecord(0)}, eight));
    EXPECT_FALSE(keeps("HCV2", {KeyRecord(0)}, seven9));
    // The dynamic filter reads the selected numbers: some number is 9 or 18.
    TCombsArray kept;
    const std::vector<TStatDraw> selected = {KeyRecord(9, 1, 0, 2), KeyRecord(18)};
    FilterCombList(*env.Create("HCV3"), selected, 0, false, false, AllCombs(), kept);
    EXPECT_EQ(kept.size(), 125970u - 43758u);  // all but C(18, 8)
}

}  // namespace
}  // namespace zentrix
