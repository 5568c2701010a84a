#include "support/cli_run.h"

#include <sstream>

#include "cli/cli.h"

namespace zentrix::test {

TCliResult RunCommand(const std::vector<std::string>& args) {
    std::ostringstream out, err;
    int status = cli::RunCli(args, out, err);
    return {status, out.str(), err.str()};
}

}  // namespace zentrix::test
