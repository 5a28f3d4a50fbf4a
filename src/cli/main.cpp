// tavrel-cli: the initialise and calculate commands without a window.
#include <csignal>
#include <iostream>

#include "cli/Cli.h"

int main(int argc, char** argv) {
    // A closed pipe on the other end of stdout must end in the program's own message and a non-zero status, not
    // in a silent death by SIGPIPE.
    std::signal(SIGPIPE, SIG_IGN);
    std::vector<std::string> args(argv + 1, argv + argc);
    return tavrel::RunCli(args, std::cout, std::cerr);
}
