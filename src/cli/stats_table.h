#pragma once

#include <string>

#include "cli/cli_session.h"

namespace zentrix::cli {

// The window options of a command that computes a statistics table.
struct TTableOptions {
    std::string code;
    int window = 1000;
    int offset = 0;
    bool sorted = false;
    bool norm = false;
};

// The session with the registry loaded and every method listed, the archive loaded and the
// window set as the options say.
void PrepareStats(TCliSession& s, const TTableOptions& o);
// Selects the method by its code, which computes its table as choosing it in the window does.
void ComputeTable(TCliSession& s, const TTableOptions& o);

}  // namespace zentrix::cli
