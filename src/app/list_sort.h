#pragma once

#include <string>
#include <utility>
#include <vector>

#include "stats/stat_table.h"

namespace zentrix {

// Orders the rows of a sortable list by one column's texts, compared as the program's tables
// compare cells (numbers as numbers, else texts ignoring case); equal cells keep their order.
// `texts` gives a row's cell texts; a column beyond them counts as empty.
template <typename TRow, typename TTexts>
void SortRowsByTexts(std::vector<TRow>& rows, int column, bool descending, TTexts texts) {
    if (rows.size() < 2 || column < 0) return;
    std::vector<std::pair<std::string, size_t>> keys;
    keys.reserve(rows.size());
    for (size_t i = 0; i < rows.size(); ++i) {
        std::vector<std::string> cells = texts(rows[i]);
        keys.emplace_back(column < static_cast<int>(cells.size()) ? std::move(cells[column]) : "",
                          i);
    }
    StableMergeSort(keys, [descending](const auto& a, const auto& b) {
        const int c = CompareCellTexts(a.first, b.first);
        return descending ? -c : c;
    });
    std::vector<TRow> sorted;
    sorted.reserve(rows.size());
    for (const auto& key : keys) sorted.push_back(std::move(rows[key.second]));
    rows = std::move(sorted);
}

}  // namespace zentrix
