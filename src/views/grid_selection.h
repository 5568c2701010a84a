#pragma once

#include <functional>
#include <string>
#include <vector>

namespace zentrix {

// A rectangle of grid cells, both corners included, in the grid's own coordinates (row 0 and
// column 0 are the fixed header row and column).
struct TGridRange {
    int left = 0;
    int top = 0;
    int right = -1;
    int bottom = -1;
    bool Empty() const { return right < left || bottom < top; }
    bool operator==(const TGridRange&) const = default;
};

// The numbers a selection filters by, each once in the order first met, and their text for the
// filter log ("3; 17").
struct TViewSelection {
    std::vector<int> numbers;
    std::string text;
};

inline constexpr const char* kNoFilterValues = "В выделенном диапазоне нет значений для фильтра!";

// Walks the range column by column, top to bottom within a column; each cell's text is split at
// commas and every piece, stripped of "[" and "]" and trimmed, that reads as a number 1..20
// counts.
TViewSelection NumbersInCells(const TGridRange& range,
                              const std::function<std::string(int row, int column)>& cellText);
// The column numbers of the range that lie within 1..20, left to right.
TViewSelection NumbersOfColumns(const TGridRange& range);

// Reads a selection typed as "COLUMNS[:ROWS]", each part N or N-M ("3-17:1-4", "5"); the rows
// default to allRows. Raises EZentrix with the reason for anything else.
TGridRange ParseGridRange(const std::string& text, int firstRow, int lastRow);

}  // namespace zentrix
