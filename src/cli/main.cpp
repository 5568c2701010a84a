#include <csignal>
#include <iostream>

#include "cli/cli.h"
#include "util/help_files.h"
#include "util/program_folder.h"

int main(int argc, char** argv) {
    // A reader that stops early ("draws list | head") ends the output, not the command: the
    // command finishes its work and the lines nobody reads are dropped.
    std::signal(SIGPIPE, SIG_IGN);
    std::vector<std::string> args(argv + 1, argv + argc);
    const std::string exe = zentrix::ExecutablePath(argv[0]);
    zentrix::SetHelpFolder(zentrix::FindHelpFolder(exe));
    return zentrix::cli::RunCli(args, std::cout, std::cerr, exe);
}
