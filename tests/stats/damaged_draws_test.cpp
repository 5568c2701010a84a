#include <gtest/gtest.h>

#include <map>

#include "core/archive_file.h"
#include "stats/stat_table.h"
#include "stats/stats_env.h"

namespace zentrix {
namespace {

using test::TStatsEnv;

// Draws 101..106 of which 102..105 hold a 175, an extra number 241, a repeated 7 and a 255.
TDrawsArray DamagedDraws() {
    return ReadDrawsFile(std::string(ZENTRIX_TEST_DATA) + "/archive_4_bad_of_6.ldr").draws;
}

// Value label -> "Количество" over the whole archive.
std::map<std::string, std::string> Counts(const TStatsEnv& env, const std::string& code) {
    TStatTableParams p;
    p.RefIndex = static_cast<int>(env.draws.size()) - 1;
    p.WindowLength = static_cast<int>(env.draws.size());
    const TStatTable t = TStatTable::Compute(env.Create(code), p);
    std::map<std::string, std::string> counts;
    for (int r = 0; r < t.RowCount(); ++r)
        counts[t.CellText(r, kColValue)] = t.CellText(r, kColCount);
    return counts;
}

TEST(DamagedDraws, AddNoValuesToTheStatistics) {
    const TStatsEnv env(DamagedDraws());
    ASSERT_EQ(env.draws.size(), 6u);

    const auto nums = Counts(env, "NUMS");
    EXPECT_EQ(nums.size(), 20u);  // the possible values only: no 175, no 255
    EXPECT_EQ(nums.count("175") + nums.count("255") + nums.count("0"), 0u);
    // 3 is in draws 101, 104, 105 and 106; only the two sound ones count.
    EXPECT_EQ(nums.at("3"), "2");
    EXPECT_EQ(nums.at("7"), "1");

    const auto extras = Counts(env, "POE1");
    EXPECT_EQ(extras, (std::map<std::string, std::string>{{"0", "1"}, {"2", "1"}}));

    // A damaged draw's graph value is that of no draw.
    auto poe = env.Create("POE1");
    auto* graph = dynamic_cast<TCustomGraphStat*>(poe.get());
    ASSERT_NE(graph, nullptr);
    EXPECT_EQ(graph->GraphValue(0, 0, false), 2);
    EXPECT_EQ(graph->GraphValue(2, 2, false), 0);
}

}  // namespace
}  // namespace zentrix
