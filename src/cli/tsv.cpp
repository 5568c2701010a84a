#include "cli/tsv.h"

namespace zentrix::cli {

void WriteTsvRow(std::ostream& out, const TTsvRow& cells) {
    std::string line;
    for (size_t i = 0; i < cells.size(); ++i) {
        if (i) line += '\t';
        for (char c : cells[i]) line += (c == '\t' || c == '\r' || c == '\n') ? ' ' : c;
    }
    line += '\n';
    out << line;
}

void WriteTsv(std::ostream& out, const TTsvRow& header, const std::vector<TTsvRow>& rows) {
    WriteTsvRow(out, header);
    for (const TTsvRow& row : rows) WriteTsvRow(out, row);
}

}  // namespace zentrix::cli
