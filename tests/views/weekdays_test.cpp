#include "views/weekdays.h"

#include <gtest/gtest.h>

#include "support/make_draw.h"
#include "util/format.h"

namespace zentrix {
namespace {

using test::MakeDraw;

// Draws numbered from 1, one a day from Monday 01.01.2024, each holding 5.
TDrawsArray Days(int count) {
    TDrawsArray draws;
    for (int i = 0; i < count; ++i)
        draws.push_back(MakeDraw(i + 1, {5, 1, 2, 3, 4, 6, 7, 8}, 1,
                                 Format("%.2d.01.2024 12:00", {i + 1}).c_str()));
    return draws;
}

TEST(WeekdaysTest, SevenConsecutiveDaysGiveOneInEveryRow) {
    const TWeekTable table = BuildWeekTable(Days(7), 0, 7);
    for (int row = 1; row <= kWeekDays; ++row) EXPECT_EQ(table.Text(row, 5), "1") << row;
    EXPECT_EQ(table.Text(0, 5), "5");
    EXPECT_EQ(table.Text(1, 0), "Пн");
    EXPECT_EQ(table.Text(7, 0), "Вс");
    EXPECT_EQ(table.maxCount, 1);
}

TEST(WeekdaysTest, TheFirstOfJanuary2024IsAMonday) {
    const TDrawsArray draws = {MakeDraw(1, {1, 2, 3, 4, 5, 6, 7, 8}, 1, "01.01.2024 12:00")};
    EXPECT_EQ(DrawWeekday(draws[0]), 1);
    const TWeekTable table = BuildWeekTable(draws, 0, 1000);
    EXPECT_EQ(table.Count(1, 1), 1);
    EXPECT_EQ(table.Count(1, 2), 0);
    EXPECT_EQ(table.Text(2, 1), "");  // 0 shows as an empty cell
}

TEST(WeekdaysTest, DrawsWithoutAReadableDateAreLeftOut) {
    TDrawsArray draws = Days(3);
    draws.push_back(MakeDraw(4, {1, 2, 3, 4, 5, 6, 7, 8}, 1, "31.02.2024 12:00"));
    draws.push_back(MakeDraw(5, {1, 2, 3, 4, 5, 6, 7, 8}, 1, "not a date"));
    draws.push_back(MakeDraw(6, {1, 2, 3, 4, 5, 6, 7, 8}, 1, ""));
    const TWeekTable table = BuildWeekTable(draws, 0, 1000);
    EXPECT_EQ(table.skipped, 3);
    int fives = 0;
    for (int row = 1; row <= kWeekDays; ++row) fives += table.Count(5, row);
    EXPECT_EQ(fives, 3);
    EXPECT_EQ(table.Count(5, 6), 0);  // never on the Saturday of date 0
}

TEST(WeekdaysTest, WindowAndOffsetEndAtTheReferenceDraw) {
    // Offset 2 of 7 days: draws 1..5 (Monday..Friday); a window of 2: Thursday and Friday.
    const TWeekTable table = BuildWeekTable(Days(7), 2, 2);
    EXPECT_EQ(table.Count(5, 4), 1);
    EXPECT_EQ(table.Count(5, 5), 1);
    EXPECT_EQ(table.Count(5, 3), 0);
    EXPECT_EQ(table.Count(5, 6), 0);
    const TWeekTable empty = BuildWeekTable({}, 0, 1000);
    EXPECT_EQ(empty.maxCount, 0);
    EXPECT_EQ(empty.Color(1, 1), std::nullopt);
}

TEST(WeekdaysTest, HeatColoursScaleToTheLargestCount) {
    TWeekTable table;
    table.counts[0][0] = 2;
    table.counts[1][0] = 1;
    table.maxCount = 2;
    EXPECT_EQ(table.Color(1, 1), (TColor{255, 0, 0}));
    EXPECT_EQ(table.Color(1, 2), (TColor{255, 128, 128}));  // 127.5 rounds to even
    EXPECT_EQ(table.Color(2, 1), std::nullopt);             // an empty cell
    EXPECT_EQ(table.Color(0, 1), std::nullopt);             // a fixed cell
}

TEST(WeekdaysTest, ChartOfAWeekdayOrOfANumber) {
    const TWeekTable table = BuildWeekTable(Days(7), 0, 7);
    const TWeekChart wednesday = WeekChartOf(table, 7, 3, false, false);
    ASSERT_EQ(wednesday.series.Points.size(), size_t(kMaxNumber));
    EXPECT_EQ(wednesday.series.Points[4].Y, 1);
    EXPECT_EQ(wednesday.series.Points[4].Label, "5");
    EXPECT_FALSE(wednesday.line);
    const TWeekChart five = WeekChartOf(table, 5, 3, true, true);
    ASSERT_EQ(five.series.Points.size(), size_t(kWeekDays));
    for (const TChartPoint& p : five.series.Points) EXPECT_EQ(p.Y, 1);
    EXPECT_EQ(five.series.Points[2].Label, "Ср");
    EXPECT_TRUE(five.line);
    EXPECT_EQ(five.series.Width, 2);
    EXPECT_EQ(five.series.MarkerColor, (TColor{255, 0, 255}));
}

}  // namespace
}  // namespace zentrix
