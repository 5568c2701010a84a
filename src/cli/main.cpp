#include <iostream>

#include "cli/cli.h"
#include "util/program_folder.h"

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    return zentrix::cli::RunCli(args, std::cout, std::cerr, zentrix::ExecutablePath(argv[0]));
}
