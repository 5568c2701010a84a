#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace zentrix::cli {

using TTsvRow = std::vector<std::string>;

// One line of tab-separated cells; tabs and line breaks inside a cell become blanks.
void WriteTsvRow(std::ostream& out, const TTsvRow& cells);
void WriteTsv(std::ostream& out, const TTsvRow& header, const std::vector<TTsvRow>& rows);

}  // namespace zentrix::cli
