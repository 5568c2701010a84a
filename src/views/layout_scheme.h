#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/draw.h"
#include "core/palette.h"
#include "core/text_table.h"

namespace zentrix {

// One number drawn in a window: how many of its draws hold it and the newest of them.
struct TShemaEntry {
    uint8_t Number = 0;
    int Count = 0;
    int LastDraw = 0;  // draw number
    bool operator==(const TShemaEntry&) const = default;
};
using TShemaArray = std::vector<TShemaEntry>;

// Indexes of a window of `length` draws ending at the reference draw (`offset` back from the
// newest); first > last for an empty archive.
struct TDrawWindow {
    int first = 0;
    int last = -1;
};
TDrawWindow WindowEndingAtReference(const TDrawsArray& draws, int offset, int length);

// Walks the window from the newest draw down, each draw's numbers in stored order; entries keep
// the order in which their numbers were first met. Numbers outside 1..20 are not counted.
TShemaArray CountWindowNumbers(const TDrawsArray& draws, const TDrawWindow& window);

inline constexpr TColor kNextDrawCellColor{0, 255, 0};
inline constexpr TColor kChequerPink{255, 234, 234};
inline constexpr TColor kChequerGreen{234, 255, 234};
inline constexpr int kLayoutFirstColumnWidth = 50;
inline constexpr int kLayoutColumnWidth = 40;

// The layout scheme: columns by the last draw (most recent first), rows by the count (most
// frequent first); cells in grid coordinates, row 0 and column 0 being the headers.
class TLayoutScheme {
  public:
    // The window of `length` draws ending at the reference draw; numbers of the draw after it
    // are written in brackets.
    static TLayoutScheme Build(const TDrawsArray& draws, int offset, int length);

    // Rows and columns of the grid, the fixed ones counted (2 by 2 when nothing was drawn).
    int Rows() const { return std::max<int>(2, static_cast<int>(counts_.size()) + 1); }
    int Columns() const { return std::max<int>(2, static_cast<int>(lastDraws_.size()) + 1); }
    std::string Text(int row, int column) const;
    const TShemaArray& Entries() const { return entries_; }
    // Data cells only; fixed cells keep the grid's colours.
    std::optional<TColor> Color(int row, int column, bool gradient) const;
    // The plain table for the export and the command line; widths as designed (the window
    // widens a column to its text).
    TTextTable Table() const;

  private:
    TShemaArray entries_;
    std::vector<int> lastDraws_;
    std::vector<int> counts_;
    std::vector<std::vector<std::string>> cells_;  // [row - 1][column - 1]
};

// The colour of a scheme cell by its position (the rules do not depend on the text but for
// the bracketed numbers).
TColor LayoutGradientColor(int row, int column, int rows, int columns);
TColor LayoutChequerColor(int row, int column);

// One comparison list: "Кол-во" and the numbers with that count, one row per distinct count in
// the order the counts are first met; the second header names the window's first and last draw.
struct TLayoutComparison {
    std::string rangeHeader;
    std::vector<std::array<std::string, 2>> rows;
};
inline constexpr const char* kLayoutCountHeader = "Кол-во";
TLayoutComparison BuildLayoutComparison(const TDrawsArray& draws, int offset, int length);

// A sortable list's order: a click on the sorting column reverses it, on another sorts by it
// ascending. Lists start on the first column, descending.
struct TListSort {
    int column = 0;
    bool descending = true;
    bool operator==(const TListSort&) const = default;
};
TListSort SortAfterClick(TListSort sort, int column);
// Values that both read as numbers (a comma counting as a decimal point) compare as numbers,
// others as text without regard to case; equal values fall back to the first column.
void SortListRows(std::vector<std::array<std::string, 2>>& rows, const TListSort& sort);

}  // namespace zentrix
