#include "views/layout_scheme.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "core/archive.h"
#include "core/game.h"
#include "util/strings.h"

namespace zentrix {

namespace {

// Rounds to the nearest integer, halves to even.
uint8_t RoundChannel(double value) {
    return static_cast<uint8_t>(std::clamp(std::nearbyint(value), 0.0, 255.0));
}

// Columns and rows 1..5, 11..15, ..., 91..95.
bool InChequerBlock(int v) {
    return v >= 1 && v <= 95 && ((v - 1) / 5) % 2 == 0;
}

std::optional<double> AsNumber(const std::string& text) {
    std::string s = Trim(text);
    if (s.empty()) return std::nullopt;
    std::replace(s.begin(), s.end(), ',', '.');
    char* end = nullptr;
    const double v = std::strtod(s.c_str(), &end);
    if (end != s.c_str() + s.size()) return std::nullopt;
    return v;
}

// -1, 0, 1 as the sort's rule compares two cells.
int CompareCells(const std::string& a, const std::string& b) {
    const auto x = AsNumber(a), y = AsNumber(b);
    if (x && y) return *x < *y ? -1 : *x > *y ? 1 : 0;
    const int c = CompareText(a, b);
    return c < 0 ? -1 : c > 0 ? 1 : 0;
}

}  // namespace

TDrawWindow WindowEndingAtReference(const TDrawsArray& draws, int offset, int length) {
    TDrawWindow window;
    window.last = static_cast<int>(draws.size()) - 1 - offset;
    window.first = std::max(0, window.last - std::max(1, length) + 1);
    if (window.last < 0) window = {};
    return window;
}

TShemaArray CountWindowNumbers(const TDrawsArray& draws, const TDrawWindow& window) {
    TShemaArray entries;
    std::array<int, kMaxNumber + 1> slot;
    slot.fill(-1);
    for (int i = window.last; i >= window.first; --i)
        for (uint8_t n : draws[i].Numbers) {
            if (n < 1 || n > kMaxNumber) continue;
            if (slot[n] < 0) {
                slot[n] = static_cast<int>(entries.size());
                entries.push_back({n, 1, draws[i].Number});
            } else {
                ++entries[slot[n]].Count;
            }
        }
    return entries;
}

TLayoutScheme TLayoutScheme::Build(const TDrawsArray& draws, int offset, int length) {
    TLayoutScheme scheme;
    scheme.entries_ = CountWindowNumbers(draws, WindowEndingAtReference(draws, offset, length));
    TIntArray counts, lastDraws;
    for (const TShemaEntry& e : scheme.entries_) {
        if (std::find(counts.begin(), counts.end(), e.Count) == counts.end())
            counts.push_back(e.Count);
        if (std::find(lastDraws.begin(), lastDraws.end(), e.LastDraw) == lastDraws.end())
            lastDraws.push_back(e.LastDraw);
    }
    SortIntsDescending(counts);
    SortIntsDescending(lastDraws);
    scheme.counts_.assign(counts.begin(), counts.end());
    scheme.lastDraws_.assign(lastDraws.begin(), lastDraws.end());
    scheme.cells_.assign(scheme.Rows() - 1, std::vector<std::string>(scheme.Columns() - 1));
    const std::bitset<256> next = NextDrawSet(draws, offset);
    for (const TShemaEntry& e : scheme.entries_) {
        const size_t row = std::find(counts.begin(), counts.end(), e.Count) - counts.begin();
        const size_t column =
            std::find(lastDraws.begin(), lastDraws.end(), e.LastDraw) - lastDraws.begin();
        std::string text = std::to_string(e.Number);
        if (next.test(e.Number)) text = "[" + text + "]";
        std::string& cell = scheme.cells_[row][column];
        cell += cell.empty() ? text : ", " + text;
    }
    return scheme;
}

std::string TLayoutScheme::Text(int row, int column) const {
    if (row < 0 || column < 0 || row >= Rows() || column >= Columns()) return {};
    if (row == 0 && column == 0) return {};
    if (row == 0)
        return column <= static_cast<int>(lastDraws_.size())
                   ? std::to_string(lastDraws_[column - 1])
                   : std::string();
    if (column == 0)
        return row <= static_cast<int>(counts_.size()) ? std::to_string(counts_[row - 1])
                                                       : std::string();
    // A scheme not built yet has no cells.
    if (row > static_cast<int>(cells_.size())) return {};
    return cells_[row - 1][column - 1];
}

TColor LayoutGradientColor(int row, int column, int rows, int columns) {
    return {RoundChannel(255 - 155.0 * row / rows), RoundChannel(255 - 155.0 * column / columns),
            RoundChannel(100 + 155.0 * row / rows)};
}

TColor LayoutChequerColor(int row, int column) {
    return InChequerBlock(column) != InChequerBlock(row) ? kChequerPink : kChequerGreen;
}

std::optional<TColor> TLayoutScheme::Color(int row, int column, bool gradient) const {
    if (row < 1 || column < 1 || row >= Rows() || column >= Columns()) return std::nullopt;
    if (Text(row, column).find('[') != std::string::npos) return kNextDrawCellColor;
    return gradient ? LayoutGradientColor(row, column, Rows(), Columns())
                    : LayoutChequerColor(row, column);
}

TTextTable TLayoutScheme::Table() const {
    TTextTable table;
    for (int c = 0; c < Columns(); ++c) table.headers.push_back(Text(0, c));
    table.alignments.assign(Columns(), TCellAlign::Center);
    table.widths.assign(Columns(), kLayoutColumnWidth);
    table.widths[0] = kLayoutFirstColumnWidth;
    for (int r = 1; r < Rows(); ++r) {
        std::vector<std::string> cells(Columns());
        for (int c = 0; c < Columns(); ++c) cells[c] = Text(r, c);
        table.rows.push_back(std::move(cells));
    }
    return table;
}

TLayoutComparison BuildLayoutComparison(const TDrawsArray& draws, int offset, int length) {
    TLayoutComparison list;
    const TDrawWindow window = WindowEndingAtReference(draws, offset, length);
    if (window.last < window.first) return list;
    list.rangeHeader = std::to_string(draws[window.first].Number) + " - " +
                       std::to_string(draws[window.last].Number);
    for (const TShemaEntry& e : CountWindowNumbers(draws, window)) {
        const std::string count = std::to_string(e.Count);
        auto row = std::find_if(list.rows.begin(), list.rows.end(),
                                [&](const auto& r) { return r[0] == count; });
        if (row == list.rows.end())
            list.rows.push_back({count, std::to_string(e.Number)});
        else
            (*row)[1] += ", " + std::to_string(e.Number);
    }
    return list;
}

TListSort SortAfterClick(TListSort sort, int column) {
    if (sort.column == column) return {column, !sort.descending};
    return {column, false};
}

void SortListRows(std::vector<std::array<std::string, 2>>& rows, const TListSort& sort) {
    const size_t key = sort.column == 1 ? 1 : 0;
    std::stable_sort(rows.begin(), rows.end(), [&](const auto& a, const auto& b) {
        int c = CompareCells(a[key], b[key]);
        if (c == 0 && key != 0) c = CompareCells(a[0], b[0]);
        return sort.descending ? c > 0 : c < 0;
    });
}

}  // namespace zentrix
