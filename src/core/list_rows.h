#pragma once

#include <optional>
#include <string>
#include <vector>

#include "core/draw.h"
#include "core/palette.h"

namespace zentrix {

// The rows of the two virtual lists of the left page, produced on demand.

// Draws list: row r shows the draw at index High - r (the newest first).
// Columns "Тираж", "1".."8", "E", "S", "Дата тиража".
std::vector<std::string> DrawsListHeader();
std::vector<std::string> DrawsListRow(const TDrawsArray& draws, int row, bool sorted);
// The background of a cell; nothing for the list's own painting. The reference draw's row is
// marked; with channel colours the number cells take their channel's colour and the rest white.
std::optional<TColor> DrawsListCellColor(const TDrawsArray& draws, int row, int column, int offset,
                                         bool sorted, bool colorDraws, int channelSize);

// Combination list: row r shows entry r. Columns "№ п.п.", "1".."8", "S".
std::vector<std::string> CombListHeader();
std::vector<std::string> CombListRow(const TCombsArray& combs, int row);
std::optional<TColor> CombListCellColor(const TCombsArray& combs, int row, int column,
                                        bool colorCombs, int channelSize);

}  // namespace zentrix
