#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "core/draw.h"
#include "core/palette.h"
#include "core/text_table.h"

namespace zentrix {

// Grid columns: 0 the draw number, 1..20 the numbers, 21 the extra number "E".
inline constexpr int kCardColumns = 22;
inline constexpr int kCardExtraColumn = 21;
inline constexpr int kCardCellSize = 18;

inline constexpr TColor kRepeatAndNeighbourColor{255, 255, 0};
inline constexpr TColor kRepeatColor{0, 255, 0};
inline constexpr TColor kNeighbourColor{0, 255, 255};

struct TCardOptions {
    bool channels = true;   // ColorCard
    bool sequences = true;  // ColorCardSequences
    int channelSize = 5;
};

// The draw card over the archive: row r >= 1 shows the draw at index (length - r), the newest
// first. Rows are produced when asked for, so the grid of a long archive stays virtual; the
// card only keeps how many rows its last build gave.
class TDrawCard {
  public:
    explicit TDrawCard(const TDrawsArray& draws) : draws_(draws) {}

    // RebuildCard's filling: the row count follows the archive (one empty row when it is empty).
    void Rebuild() { length_ = static_cast<int>(draws_.size()); }
    // Data rows of the grid (the header row not counted).
    int DataRows() const { return length_ > 0 ? length_ : 1; }
    // The archive length of the last build.
    int BuiltLength() const { return length_; }

    static std::string Header(int column);
    // Texts of data row `row` (1-based, as in the grid); empty for a row outside the archive.
    std::string Text(int row, int column) const;
    // The background of a data cell; nothing for the grid's normal colour. A selected cell's
    // highlight is the front end's.
    std::optional<TColor> Color(int row, int column, const TCardOptions& options) const;

    // The whole card as a plain table (for the spreadsheet export and the command line).
    TTextTable Table(int rows = -1) const;

  private:
    // Bit n set for each number 1..20 of the row's draw; 0 outside the archive.
    uint32_t Mask(int row) const;
    const TDraw* DrawOfRow(int row) const;

    const TDrawsArray& draws_;
    int length_ = 0;
};

}  // namespace zentrix
