// tavrel-cli: the initialise and calculate commands without a window.
#include <iostream>

#include "cli/Cli.h"

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    return tavrel::RunCli(args, std::cout, std::cerr);
}
