#include "views/grid_selection.h"

#include <gtest/gtest.h>

#include <map>

#include "util/errors.h"
#include "views/view_cache.h"

namespace zentrix {
namespace {

TEST(GridSelectionTest, NumbersColumnByColumnEachOnce) {
    // (row, column) -> text; column 3 is walked before column 17.
    const std::map<std::pair<int, int>, std::string> cells = {
        {{1, 3}, "3"}, {{2, 3}, ""}, {{1, 17}, "17"}, {{2, 17}, "17"}};
    auto text = [&](int row, int column) {
        auto it = cells.find({row, column});
        return it == cells.end() ? std::string() : it->second;
    };
    const TViewSelection s = NumbersInCells({3, 1, 17, 2}, text);
    EXPECT_EQ(s.numbers, (std::vector<int>{3, 17}));
    EXPECT_EQ(s.text, "3; 17");
    EXPECT_TRUE(NumbersInCells({4, 1, 16, 2}, text).numbers.empty());
}

TEST(GridSelectionTest, SchemeCellsSplitAtCommasWithoutBrackets) {
    auto text = [](int row, int column) {
        if (column == 1 && row == 1) return std::string("[20], 2, 1");
        if (column == 1 && row == 2) return std::string("7, [2]");
        if (column == 2 && row == 1) return std::string("11");
        return std::string();
    };
    const TViewSelection s = NumbersInCells({1, 1, 2, 2}, text);
    EXPECT_EQ(s.numbers, (std::vector<int>{20, 2, 1, 7, 11}));
    EXPECT_EQ(s.text, "20; 2; 1; 7; 11");
}

TEST(GridSelectionTest, WeekdayColumnsWhateverTheRows) {
    EXPECT_EQ(NumbersOfColumns({3, 5, 4, 7}).numbers, (std::vector<int>{3, 4}));
    EXPECT_EQ(NumbersOfColumns({3, 5, 4, 7}).text, "3; 4");
    EXPECT_TRUE(NumbersOfColumns({}).numbers.empty());
}

TEST(GridSelectionTest, TypedSelections) {
    EXPECT_EQ(ParseGridRange("3-17:1-4", 1, 9), (TGridRange{3, 1, 17, 4}));
    EXPECT_EQ(ParseGridRange("5", 1, 9), (TGridRange{5, 1, 5, 9}));
    EXPECT_EQ(ParseGridRange("2:3", 1, 9), (TGridRange{2, 3, 2, 3}));
    for (const char* bad : {"", "a", "5-3", "1-", "-2", "1:2:3", "1,2", "99999999999"})
        EXPECT_THROW(ParseGridRange(bad, 1, 9), EZentrix) << bad;
}

TEST(ViewCacheKeyTest, RebuildsOnlyWhenVisibleAndChangedOrForced) {
    TViewCacheKey<2> key;
    EXPECT_FALSE(key.NeedsRebuild(false, true, {10, 0}));  // hidden: never, even forced
    EXPECT_FALSE(key.Built());
    EXPECT_TRUE(key.NeedsRebuild(true, false, {10, 0}));   // the first visible call
    EXPECT_FALSE(key.NeedsRebuild(true, false, {10, 0}));  // unchanged
    EXPECT_TRUE(key.NeedsRebuild(true, true, {10, 0}));    // forced
    EXPECT_TRUE(key.NeedsRebuild(true, false, {11, 0}));   // changed
    EXPECT_FALSE(key.NeedsRebuild(false, false, {12, 0}));
    EXPECT_TRUE(key.NeedsRebuild(true, false, {12, 0}));  // the change while hidden still counts
    key.Reset();
    EXPECT_TRUE(key.NeedsRebuild(true, false, {12, 0}));
}

}  // namespace
}  // namespace zentrix
