#pragma once

#include <string>
#include <vector>

#include "stats/stat_table.h"
#include "stats/stats_env.h"

namespace zentrix::test {

// "label x count @ last draw / fact" of every row of the table (window 1000) in the value
// list's order.
inline std::vector<std::string> TableRows(const TStatsEnv& env, const std::string& code, int offset,
                                          bool sorted) {
    TStatTableParams p;
    p.RefIndex = static_cast<int>(env.draws.size()) - 1 - offset;
    p.WindowLength = 1000;
    p.SortedDraws = sorted;
    TStatTable t = TStatTable::Compute(env.Create(code), p);
    std::vector<std::string> rows;
    for (int r = 0; r < t.RowCount(); ++r)
        rows.push_back(t.CellText(r, kColValue) + "x" + t.CellText(r, kColCount) + "@" +
                       t.CellText(r, kColLastDraw) + "/" + t.CellText(r, kColFact));
    return rows;
}

}  // namespace zentrix::test
