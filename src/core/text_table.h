#pragma once

#include <string>
#include <vector>

namespace zentrix {

enum class TCellAlign { Left, Center, Right };

// A table as texts: what the window, the CLI and the exports show. Widths are the window's
// pixel widths.
struct TTextTable {
    std::vector<std::string> headers;
    std::vector<TCellAlign> alignments;
    std::vector<int> widths;
    std::vector<std::vector<std::string>> rows;
};

}  // namespace zentrix
