#pragma once

#include <array>
#include <optional>
#include <string>

#include "core/draw.h"
#include "core/palette.h"
#include "core/text_table.h"
#include "stats/stat_table.h"

namespace zentrix {

inline constexpr int kWeekDays = 7;

// Short weekday names, Monday first.
const std::array<const char*, kWeekDays>& WeekdayNames();
// 1 = Monday .. 7 = Sunday of a draw's date text; nothing when the text is blank or is no date,
// so a draw without a readable date is never counted on a made-up day.
std::optional<int> DrawWeekday(const TDraw& draw);

// Counts of each number 1..20 on each weekday over a window ending at the reference draw. The
// grid has 21 columns and 8 rows: row 0 the numbers, column 0 the weekday names.
struct TWeekTable {
    std::array<std::array<int, kWeekDays>, kMaxNumber> counts{};  // [number - 1][day - 1]
    int maxCount = 0;
    int skipped = 0;  // draws of the window left out for their date

    static constexpr int kRows = kWeekDays + 1;
    static constexpr int kColumns = kMaxNumber + 1;

    int Count(int column, int row) const;  // 0 outside the data cells
    std::string Text(int row, int column) const;
    // White to red by the count; nothing for empty and fixed cells.
    std::optional<TColor> Color(int row, int column) const;
    TTextTable Table() const;
};

TWeekTable BuildWeekTable(const TDrawsArray& draws, int offset, int length);

// The chart of a cell: the selected weekday over the numbers, or with numberOverDays the
// selected number over the weekdays; a line in place of bars with line.
struct TWeekChart {
    bool line = false;
    TChartSeries series;
};
TWeekChart WeekChartOf(const TWeekTable& table, int column, int row, bool numberOverDays,
                       bool line);

}  // namespace zentrix
