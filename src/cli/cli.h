#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace zentrix::cli {

// Runs the command line (args without the program name). Returns the exit status: 0 success,
// 1 failure (message on err), 2 wrong usage.
int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
           const std::string& executablePath = {});

}  // namespace zentrix::cli
