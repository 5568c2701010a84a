#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/palette.h"
#include "core/text_table.h"
#include "stakes/stakes_file.h"

namespace zentrix {

inline constexpr int kStakeColumnCount = 9;

const std::array<std::string, kStakeColumnCount>& StakeHeaders();
// The row background of a kind when not selected; none for a separator (the window's colour).
std::optional<TColor> StakeKindColour(uint8_t kind);
// The nine cell texts of a record; all empty for a record of no draw.
std::vector<std::string> StakeCells(const TStakeRec& rec);
// Headers, widths and alignments; the rows are read on demand through StakeCells.
TTextTable StakesTableFrame();
// One number of the "Моя ставка" or "Результаты тиража" cell, drawn apart from the others.
struct TNumberMark {
    int number = 0;
    bool matched = false;  // bold and blue
    bool operator==(const TNumberMark&) const = default;
};
inline constexpr int kStakeNumbersColumn = 2;
inline constexpr int kStakeResultColumn = 4;
// The numbers of those two cells in their shown order, each marked when it is a matched number;
// empty for the other columns and for cells that show nothing.
std::vector<TNumberMark> StakeNumberMarks(const TStakeRec& rec, int column);
// "Ставок: %d"
std::string StakesCountText(int64_t count);

}  // namespace zentrix
