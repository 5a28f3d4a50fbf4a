#pragma once
// The batch command line: "calc" and "stations" subcommands.
#include <iosfwd>
#include <string>
#include <vector>

namespace tavrel {

// Runs one command line (without the program name); returns the exit status.
int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace tavrel
