#include "core/list_rows.h"

#include "core/archive.h"

namespace zentrix {

namespace {

bool ValidRow(size_t size, int row) {
    return row >= 0 && row < static_cast<int>(size);
}

const TDraw& DrawAtRow(const TDrawsArray& draws, int row) {
    return draws[draws.size() - 1 - static_cast<size_t>(row)];
}

std::vector<std::string> NumberHeaders() {
    std::vector<std::string> h;
    for (int i = 1; i <= kCombSize; ++i) h.push_back(std::to_string(i));
    return h;
}

}  // namespace

std::vector<std::string> DrawsListHeader() {
    std::vector<std::string> h{"Тираж"};
    for (std::string& n : NumberHeaders()) h.push_back(std::move(n));
    h.insert(h.end(), {"E", "S", "Дата тиража"});
    return h;
}

std::vector<std::string> DrawsListRow(const TDrawsArray& draws, int row, bool sorted) {
    if (!ValidRow(draws.size(), row)) return {};
    const TDraw& d = DrawAtRow(draws, row);
    const TComb numbers = DrawNumbers(d, sorted);
    std::vector<std::string> cells{std::to_string(d.Number)};
    for (uint8_t n : numbers) cells.push_back(std::to_string(n));
    cells.push_back(std::to_string(d.Extra));
    cells.push_back(std::to_string(NumbersSum(numbers)));
    cells.push_back(d.DateText());
    return cells;
}

std::optional<TColor> DrawsListCellColor(const TDrawsArray& draws, int row, int column, int offset,
                                         bool sorted, bool colorDraws, int channelSize) {
    if (!ValidRow(draws.size(), row)) return std::nullopt;
    const bool reference = row == offset;
    if (!colorDraws) return reference ? std::optional<TColor>(kReferenceRowColor) : std::nullopt;
    if (column >= 1 && column <= kCombSize)
        return ChannelColor(DrawNumbers(DrawAtRow(draws, row), sorted)[column - 1], channelSize);
    return reference ? kReferenceRowColor : kWhite;
}

std::vector<std::string> CombListHeader() {
    std::vector<std::string> h{"№ п.п."};
    for (std::string& n : NumberHeaders()) h.push_back(std::move(n));
    h.push_back("S");
    return h;
}

std::vector<std::string> CombListRow(const TCombsArray& combs, int row) {
    if (!ValidRow(combs.size(), row)) return {};
    const TComb& c = combs[row];
    std::vector<std::string> cells{std::to_string(row + 1)};
    for (uint8_t n : c) cells.push_back(std::to_string(n));
    cells.push_back(std::to_string(NumbersSum(c)));
    return cells;
}

std::optional<TColor> CombListCellColor(const TCombsArray& combs, int row, int column,
                                        bool colorCombs, int channelSize) {
    if (!colorCombs || !ValidRow(combs.size(), row)) return std::nullopt;
    if (column >= 1 && column <= kCombSize)
        return ChannelColor(combs[row][column - 1], channelSize);
    return kWhite;
}

}  // namespace zentrix
