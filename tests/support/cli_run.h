#pragma once

#include <string>
#include <vector>

namespace zentrix::test {

struct TCliResult {
    int status;
    std::string out, err;
};

// Runs the command line in-process with captured streams.
TCliResult RunCommand(const std::vector<std::string>& args);

}  // namespace zentrix::test
