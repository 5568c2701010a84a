#include "views/draw_card.h"

#include <algorithm>

namespace zentrix {

std::string TDrawCard::Header(int column) {
    if (column >= 1 && column <= kMaxNumber) return std::to_string(column);
    if (column == kCardExtraColumn) return "E";
    return {};
}

const TDraw* TDrawCard::DrawOfRow(int row) const {
    // Read from the live archive: a row the archive no longer holds is blank until the rebuild.
    const int index = static_cast<int>(draws_.size()) - row;
    if (row < 1 || row > DataRows() || index < 0) return nullptr;
    return &draws_[index];
}

uint32_t TDrawCard::Mask(int row) const {
    const TDraw* draw = DrawOfRow(row);
    if (!draw) return 0;
    uint32_t mask = 0;
    for (uint8_t n : draw->Numbers)
        if (n >= 1 && n <= kMaxNumber) mask |= uint32_t{1} << n;
    return mask;
}

std::string TDrawCard::Text(int row, int column) const {
    const TDraw* draw = DrawOfRow(row);
    if (!draw) return {};
    if (column == 0) return std::to_string(draw->Number);
    if (column == kCardExtraColumn) return std::to_string(draw->Extra);
    if (column < 1 || column > kMaxNumber) return {};
    return (Mask(row) >> column & 1) ? std::to_string(column) : std::string();
}

std::optional<TColor> TDrawCard::Color(int row, int column, const TCardOptions& options) const {
    if (row < 1 || column < 1 || column > kMaxNumber) return std::nullopt;
    const std::optional<TColor> channel =
        options.channels ? std::optional(ChannelColor(column, options.channelSize)) : std::nullopt;
    const uint32_t bit = uint32_t{1} << column;
    const uint32_t mask = Mask(row);
    if (!options.sequences || !(mask & bit)) return channel;
    const bool repeat = (row > 1 && (Mask(row - 1) & bit)) || (Mask(row + 1) & bit);
    const bool neighbour =
        (column > 1 && (mask & bit >> 1)) || (column < kMaxNumber && (mask & bit << 1));
    if (repeat && neighbour) return kRepeatAndNeighbourColor;
    if (repeat) return kRepeatColor;
    if (neighbour) return kNeighbourColor;
    return channel;
}

TTextTable TDrawCard::Table(int rows) const {
    TTextTable table;
    for (int c = 0; c < kCardColumns; ++c) table.headers.push_back(Header(c));
    table.alignments.assign(kCardColumns, TCellAlign::Center);
    table.alignments[0] = TCellAlign::Right;
    table.widths.assign(kCardColumns, kCardCellSize);
    table.widths[0] = 60;
    const int shown = rows < 0 ? DataRows() : std::min(rows, DataRows());
    for (int r = 1; r <= shown; ++r) {
        std::vector<std::string> cells(kCardColumns);
        for (int c = 0; c < kCardColumns; ++c) cells[c] = Text(r, c);
        table.rows.push_back(std::move(cells));
    }
    return table;
}

}  // namespace zentrix
