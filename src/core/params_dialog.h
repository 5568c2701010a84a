#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "core/config_data.h"

namespace zentrix {

// The logic of the parameters dialog "Параметры системы": it works on a copy of the
// configuration and gives back the record OK installs.

inline constexpr int kPrizeRows = kCombSize + 1;  // keyed 0..8

// The prize table's rows "%d=%.2f": row i holds the prize for i matching numbers.
std::vector<std::string> PrizeTableRows(const TConfigData& data);
// One prize entry per row (Overlap = the row key), a value that is not a number giving 0 and one
// out of range the nearest valid prize.
std::vector<TProfit> PrizeTableResult(const std::array<std::string, kPrizeRows>& values);
// Characters that can be typed into a prize value: control characters, digits and the locale's
// decimal separator.
bool PrizeValueCharAllowed(char32_t c);
// Characters that can be typed into a segment cell: control characters and digits.
bool SegmentCharAllowed(char32_t c);

// The segment grid: as many columns as the matrix, numbers laid out row by row; only the cells
// of numbers 1..20 can be selected. Cells hold the texts typed into them.
class TSegmentGrid {
  public:
    TSegmentGrid(const std::array<uint8_t, kMaxNumber>& segments, int cols);

    int Cols() const { return cols_; }
    int Rows() const;
    // The number of a zero-based cell, 0 for a cell beyond 20.
    int NumberAt(int row, int col) const;
    bool Selectable(int row, int col) const { return NumberAt(row, col) != 0; }
    const std::string& Cell(int row, int col) const;

    // Stores the typed text. A non-empty text that is not an integer 1..9 sets the cell to "1"
    // and gives the error text "Некорректное значение: %s!\n\nУкажите любое число от 1 до 9".
    std::optional<std::string> SetCell(int row, int col, const std::string& text);
    // A new column count: every number keeps its digit.
    void SetCols(int cols);
    // The 20 digits read row by row; an empty or non-digit cell counts as 1.
    std::array<uint8_t, kMaxNumber> Segments() const;

  private:
    int cols_;
    std::array<std::string, kMaxNumber> cells_;  // by number - 1
};

// The dialog's state between opening and OK, bound to its controls.
struct TParamsDialogModel {
    TConfigData original;
    int matrixCols = 4;
    int channelSize = 4;
    TCurrency cost = 0;
    std::array<std::string, kPrizeRows> prizeValues;  // the value part of each row
    TCDLParams cdl;
    TSegmentGrid segments{{}, 4};

    // The row count shown beside the columns spin.
    int MatrixRows() const;
    // The columns spin changed: the segment grid takes the new shape.
    void SetMatrixCols(int cols);
    // The record OK installs (MaxStake is carried over unchanged), every value within the ranges
    // `config set` checks.
    TConfigData Result() const;
};

TParamsDialogModel OpenParamsDialog(const TConfigData& data);

}  // namespace zentrix
